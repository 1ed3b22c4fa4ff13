// Start-up, per-context GL initialisation, the frame and shutdown of the application.
#pragma once

// Creates the window and sets the start flags.
bool initApplication();
// Sets up the current GL context and (re)loads everything that lives in a GL context.
bool initGL();
// Deletes what initGL made that the context's destruction does not take with it.
void releaseGLResources();
// One frame; called whenever no message is waiting.
void renderFrame();
// The entry point's work: start-up, the message loop and shutdown. Returns the exit code.
int runApplication();
