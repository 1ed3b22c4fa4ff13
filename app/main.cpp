// Process entry: everything happens in runApplication.
#include "app/application.h"

#ifdef _WIN32
// The Windows GUI entry. Its handles are opaque here, so that <windows.h> stays in the platform
// layer; the arguments are ignored.
extern "C" int __stdcall WinMain(struct HINSTANCE__*, struct HINSTANCE__*, char*, int) { return runApplication(); }
#else
int main() { return runApplication(); }
#endif
