// The validation run: a fixed sequence of frames on a fixed frame clock, each check's picture
// read back and compared with the reference picture the program made on a known-good driver.
#pragma once

#include <string>

// Called before the window is made: every frame from now on advances the clock by the same
// step, so that the frames drawn are the same on every run.
void useValidationClock();

// Draws the checks' frames in the window made by start-up and compares each picture with
// referenceDir/<check>.png, one line per check on standard output and one record each in the
// run's record. With saveDir set, each picture is also written there, and for a failing check a
// picture of where it differs (<check>-diff.png). Returns the exit code: exitDone when every check
// passed, exitCheckFailed when one failed, exitCouldNotRun when the run was stopped, a reference
// picture is missing or a picture could not be written.
// drawFrame draws one whole frame as the message loop does.
int runValidation(const std::string& referenceDir, const std::string& saveDir, void (*drawFrame)());
