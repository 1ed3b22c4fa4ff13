// Key presses and releases as the window procedure receives them: Escape and F1 act at once,
// every key is recorded in the key-state table that the controls read each frame.
#pragma once

#include "platform/window.h"

void keyDown(platform::WPARAM virtualKey);
void keyUp(platform::WPARAM virtualKey);

// Why a display-mode switch ended the program (its window or GL state could not be made again);
// null while none has.
extern const char* displaySwitchFailure;
