// The stages of one frame, for instruments that watch it: the frame monitor, the validation, the
// run report and the benchmarks each add a listener of their own.
#pragma once

// Drawn follows the last drawing step: the back buffer holds the finished frame, about to be
// presented, so that is where a picture of it is read back.
enum class FrameStage {
    Controls,
    Clear,
    SceneRender,
    Timing,
    FrameRate,
    Environment,
    Overlay,
    Morph,
    Drawn,
    Present,
    Count
};

// Called after each stage of renderFrame, in the order the listeners were added.
using FrameStageListener = void (*)(FrameStage finished);

// Adding a listener that is already there, or removing one that is not, changes nothing.
void addFrameStageListener(FrameStageListener listener);
void removeFrameStageListener(FrameStageListener listener);
bool hasFrameStageListener(FrameStageListener listener);

// Tells every listener that a stage is done; renderFrame calls it.
void frameStageDone(FrameStage finished);
