// Process entry: everything happens in runApplication.
#include "cli/run.h"

#ifdef _WIN32
#include <cstdlib>

// The Windows GUI entry. Its handles are opaque here, so that <windows.h> stays in the platform
// layer; the command line comes from the C runtime's own argument vector.
extern "C" int __stdcall WinMain(struct HINSTANCE__*, struct HINSTANCE__*, char*, int) {
    return runApplication(__argc, __argv);
}
#else
int main(int argc, char** argv) { return runApplication(argc, argv); }
#endif
