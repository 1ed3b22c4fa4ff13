// The stages of one frame, for instruments that want to time them (the frame benchmark).
#pragma once

enum class FrameStage { Controls, Clear, SceneRender, Timing, FrameRate, Environment, Overlay, Morph, Present, Count };

// Called after each stage of renderFrame when set; null in the program.
using FrameStageHook = void (*)(FrameStage finished);
extern FrameStageHook frameStageHook;
