// Start-up, per-context GL initialisation, the frame and shutdown of the application.
#pragma once

// The three image files, read by relative name from the working directory.
constexpr const char* rocksFile = "rocks.bmp";
constexpr const char* skyFile = "sunsetclouds.bmp";
constexpr const char* lightmapFile = "Lightmap.bmp";

// Creates the window and sets the start flags.
bool initApplication();
// Sets up the current GL context and (re)loads everything that lives in a GL context.
bool initGL();
// Deletes what initGL made that the context's destruction does not take with it.
void releaseGLResources();
// One frame; called whenever no message is waiting.
void renderFrame();
// The entry point's work: the command line, start-up, the message loop and shutdown. Returns
// the exit code: always 0 without options; with them 0 when what was asked is done, 1 when a
// validation check failed, 2 for a bad command line, 3 when what was asked could not be done.
int runApplication(int argc, const char* const* argv);
