// The validation run: a fixed sequence of frames on a fixed frame clock, each check's picture
// read back and compared with the reference picture the program made on a known-good driver.
#pragma once

#include <string>
#include <vector>

#include "check/run_record.h"

// Called before the window is made: every frame from now on advances the clock by the same
// step, so that the frames drawn are the same on every run.
void useValidationClock();

// What the validation found: each check's result, in order, and why it could not finish.
struct ValidationResult {
    std::vector<CheckResult> checks;
    // Empty when every check was drawn and compared with its reference picture, and every picture
    // asked for was written; otherwise the first reason it was not.
    std::string failure;

    bool allPassed() const;
};

// Draws the checks' frames in the window made by start-up, its keys sent to the window as the
// window system sends a user's, and compares each picture with referenceDir/<check>.png, one line
// per check on standard output. With saveDir set, each picture is also written there, and for a
// failing check a picture of where it differs (<check>-diff.png). drawFrame draws one whole frame
// as the message loop does.
ValidationResult runValidation(const std::string& referenceDir, const std::string& saveDir, void (*drawFrame)());
