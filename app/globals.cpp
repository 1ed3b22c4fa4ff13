// The shell's long-lived objects, constructed in this order before main and destroyed in
// reverse after it returns (the demo content's own are in demo/globals.cpp).
#include "app/globals.h"

GLWindow appWindow;

bool statusLineVisible = false;
KeyState keyState;
std::uint32_t lastFrameTime = 0;
GLuint fontListBase = 0;
bool firstInit = true;
