// The shell's own process-wide state, defined together in globals.cpp: the window, the key
// table, the frame clock, the glyph lists and the start-up flag.
#pragma once

#include <GL/gl.h>

#include <cstdint>

#include "app/gl_window.h"

// One slot per Windows virtual-key code: 1 while the key is down.
struct KeyState {
    std::int32_t slots[256] = {};
    std::int32_t& operator[](unsigned key) { return slots[key & 0xFF]; }
};

extern GLWindow appWindow;

extern bool statusLineVisible;
extern KeyState keyState;
extern std::uint32_t lastFrameTime;
extern GLuint fontListBase;  // 0: no glyph lists
extern bool firstInit;
