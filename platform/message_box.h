// Modal message boxes with Windows' flags and answers.
#pragma once

#include "platform/window.h"

namespace platform {

// MessageBoxA's button group is the low four bits of its type.
constexpr unsigned buttonGroupMask = 0x0000000F;
constexpr unsigned MB_OK = 0x00000000;
constexpr unsigned MB_YESNO = 0x00000004;
constexpr unsigned MB_ICONEXCLAMATION = 0x00000030;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows the box (owned by owner when not null) and returns the button pressed: Return
// presses the default button (OK or Yes); Escape closes an OK box, and N answers No (Windows'
// own box) or Escape does (SDL's). Where no box can be shown, or when rendering off screen, the
// text goes to standard error and the default answer is returned.
int messageBox(Window* owner, const char* text, const char* caption, unsigned type);

// Test seam: while a handler is set, messageBox calls it instead of showing anything.
using MessageBoxHandler = int (*)(Window* owner, const char* text, const char* caption, unsigned type);
void setMessageBoxHandler(MessageBoxHandler handler);

}  // namespace platform
