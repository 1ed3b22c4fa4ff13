// Preloaded into the real program by bench/startup.sh: records when each window is destroyed
// and when each buffer swap happens, so start-up and display-mode switches can be timed from
// outside without changing the program.
#include <dlfcn.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// Wall-clock milliseconds, so that the launching script's own clock can be subtracted.
double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

FILE* out() {
    static FILE* file = [] {
        const char* path = std::getenv("FIRST_FRAME_PROBE_OUT");
        return path ? std::fopen(path, "w") : nullptr;
    }();
    return file;
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    using Swap = void (*)(SDL_Window*);
    static Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    real(window);
    if (FILE* f = out()) {
        std::fprintf(f, "swap %.3f\n", nowMs());
        std::fflush(f);
    }
}

extern "C" void SDL_DestroyWindow(SDL_Window* window) {
    using Destroy = void (*)(SDL_Window*);
    static Destroy real = reinterpret_cast<Destroy>(dlsym(RTLD_NEXT, "SDL_DestroyWindow"));
    if (FILE* f = out()) {
        std::fprintf(f, "destroy %.3f\n", nowMs());
        std::fflush(f);
    }
    real(window);
}
