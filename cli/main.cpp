// Process entry: everything happens in runApplication.
#include "cli/run.h"

#ifdef _WIN32
#include <cstdlib>

// The Windows GUI entry. Its handles are opaque here, so that <windows.h> stays in the platform
// layer; the command line comes from the C runtime's own argument vector.
extern "C" int __stdcall WinMain(struct HINSTANCE__*, struct HINSTANCE__*, char*, int) {
    return runApplication(__argc, __argv);
}
#elif defined(__EMSCRIPTEN__)
#include <cstdlib>

// In a browser every frame and every message box suspends main until the page's event loop
// resumes it (Asyncify), and once it has been suspended the runtime drops main's return value:
// the page would show the exit code of the first suspension (0) or none at all. Ending through
// exit hands the run's own exit code to the page on every path.
int main(int argc, char** argv) { std::exit(runApplication(argc, argv)); }
#else
int main(int argc, char** argv) { return runApplication(argc, argv); }
#endif
