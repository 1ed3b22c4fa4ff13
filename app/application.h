// Start-up, per-context GL initialisation, the frame, the message loop and shutdown of the shell.
#pragma once

#include "app/gl_window.h"

constexpr int startWidth = 700;  // the first window's client size
constexpr int startHeight = 500;

// What the shell hands its window: the window procedure, the view's resize, initGL and
// releaseGLResources.
WindowHandlers shellWindowHandlers();
// Creates the window with its GL context (the 700 x 500 start window unless another size or full
// screen is asked for), hands it what it runs on every new context and on release, and sets the
// start flags. The "PROGRAM FAILURE" box when it cannot.
bool initApplication(int width = startWidth, int height = startHeight, bool fullScreen = false);
// Sets up the current GL context and (re)loads everything that lives in a GL context.
bool initGL();
// Deletes what initGL made that the context's destruction does not take with it.
void releaseGLResources();
// One frame; called whenever no message is waiting.
void renderFrame();
// Takes and dispatches every waiting message; false when the quit message came, with the exit
// code it carries in quitCode.
bool dispatchWaitingMessages(int& quitCode);
// Takes and dispatches every waiting message, and runs a frame whenever none waits, until the
// quit message; returns the exit code it carries.
int runMessageLoop();
