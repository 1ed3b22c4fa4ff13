// A real OpenGL context without a window on screen, for tests that check what the driver computes.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/window.h"

// Starts the layer once per process, on SDL's offscreen video driver (EGL, Mesa) or, on Windows,
// with a window that is never shown. Returns that hidden window, which the test contexts draw to
// (width x height pixels).
platform::Window* offscreenWindow(int width = 64, int height = 64);

// The current context's polygon mode of front (0) or back (1) faces.
GLenum polygonMode(int face);

// Every test gets a fresh GL context, current, with GL_MODELVIEW selected: GL's own defaults,
// nothing enabled that the test did not enable.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    platform::Window* window = nullptr;
    platform::GLContext* context = nullptr;
};
