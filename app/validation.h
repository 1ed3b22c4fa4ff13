// The validation run: a fixed sequence of frames on a fixed frame clock, each check's picture
// read back and compared with the reference picture the program made on a known-good driver.
#pragma once

#include <string>

// Called before the window is made: every frame from now on advances the clock by the same
// step, so that the frames drawn are the same on every run.
void useValidationClock();

// Draws the checks' frames in the window made by start-up and compares each picture with
// referenceDir/<check>.png, one line per check on standard output. With saveDir set, each
// picture is also written there. Returns the exit code: 0 when every check passed, 1 otherwise.
int runValidation(const std::string& referenceDir, const std::string& saveDir);
