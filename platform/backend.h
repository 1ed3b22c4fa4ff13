// What a backend supplies beyond the contract's headers: the calls the layer's shared files (the
// message-box seam, the clock's seam, the extension check, the window registry) build on. Besides
// these a backend defines every function the headers of platform/ declare, except those the shared
// files define; tests/platform_contract.cpp lists them all and links the list against each backend.
// Included only inside platform/.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace platform {

// The current context's address of a GL entry point, or null.
void* backendGLProcAddress(const char* name);
// A modal box: the button pressed; messageOnStandardError's answer where none can be shown.
int backendMessageBox(Window* owner, const char* text, const char* caption, unsigned type);
// The system's millisecond clock, wrapping around at 2^32.
std::uint32_t backendTime();
// Windows made from now on are drawn off screen and never shown.
void backendUseOffscreenRendering();

// Offered to the backends by the shared files: where no box can be shown, the text on standard
// error, and the box's default answer. The live windows, the window procedure and the off-screen
// flag are in platform/window_registry.h.
int messageOnStandardError(const char* text, const char* caption, unsigned type);

}  // namespace platform
