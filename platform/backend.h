// What the layer's shared files ask of the backend they are built with. Included only inside
// platform/; not part of the contract.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace platform {

// The backend's own address of a GL entry point of the current context, or null.
void* backendGLProcAddress(const char* name);
// Shows a modal box and returns the button pressed (text and caption are never null).
int backendMessageBox(Window* owner, const char* text, const char* caption, unsigned type);
// Whether useOffscreenRendering was called.
bool offscreenRendering();
// Where no box can be shown: the text on standard error, and the box's default answer.
int messageOnStandardError(const char* text, const char* caption, unsigned type);
// The system's millisecond clock, wrapping around at 2^32.
std::uint32_t backendTime();

}  // namespace platform
