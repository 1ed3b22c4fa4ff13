// The executable's directory over SDL_GetBasePath; a program here always has its console. Memory
// figures from /proc/self/statm where the system has it (Linux); no GDI or USER objects here.
#include "platform/process.h"

#include <SDL.h>
#include <unistd.h>

#include <fstream>

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

ProcessFigures processFigures() {
    ProcessFigures figures;
    // In pages: the whole mapping, what of it is resident, and what of that is shared with files.
    std::ifstream statm("/proc/self/statm");
    long long size = 0, resident = 0, shared = 0;
    if (!(statm >> size >> resident >> shared)) return figures;
    const long long pageBytes = sysconf(_SC_PAGESIZE);
    figures.residentBytes = resident * pageBytes;
    figures.privateBytes = (resident - shared) * pageBytes;
    return figures;
}

}  // namespace platform
