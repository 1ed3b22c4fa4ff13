// The executable's directory over SDL_GetBasePath and the thread priority over SDL; a program here
// always has its console.
#include "platform/process.h"

#include <SDL.h>

namespace platform {

std::string executableDirectory() {
    char* base = SDL_GetBasePath();
    if (!base) return std::string();
    std::string directory = base;
    SDL_free(base);
    while (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\')) directory.pop_back();
    return directory;
}

const char* backendName() { return "sdl"; }

const char* windowSystemName() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver ? driver : "none";
}

void useParentConsole() {}

void endRunOnConsoleInterrupt() {}

void raiseThreadPriority() { SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH); }

}  // namespace platform
