// Memory and live objects across display-mode switches, built in every build (the Windows build
// included, to run under Wine): the program starts as bench_startup starts it, then switches N
// times with its frames running between switches as in its message loop. After each switch's
// frames one line is printed: resident and private memory, GDI and USER objects, and the display
// lists and textures alive in the current context; then each figure's growth per switch after
// the first few, for the windowed and the full-screen rows apart.
//
//   switch_soak [--switches N] [--frames F] [--settle S] [--cycle f1|layer|popup|windowed|mode]
//               [--offscreen] [--data DIR]
//
//   f1        (default) the program's own switch: WM_KEYDOWN and WM_KEYUP of F1 to its window
//             procedure, which destroys the window and its context, makes them again in the other
//             mode and runs the GL initialisation again
//   layer     the same calls of the platform layer (display mode, window, context) in the same
//             order, without the program: no GL initialisation, no glyph lists, no textures
//   popup     as layer, the full-screen windows covering the desktop without the display-mode
//             change and the hidden cursor
//   windowed  the layer's window and context made and released again at 500 x 500, with no
//             display-mode change
//   mode      the display mode alone: changed to the desktop's size and restored in turn, with
//             one 500 x 500 window and its context kept throughout
//
// N defaults to 40 switches, F to 30 frames between switches; the slope leaves out the first S
// switches (default 5). The data files are read from DIR (default the build's data directory).
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/gl_window.h"
#include "app/globals.h"
#include "app/window_proc.h"
#include "bench/process_figures.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace {

using Clock = std::chrono::steady_clock;

// The highest GL name looked at: the program's glyph lists and textures have the first few.
constexpr GLuint highestName = 16384;
constexpr int windowedSide = 500;
constexpr int colourBits = 32;
constexpr const char* title = "OpenGL Window";

enum class Cycle { f1, layer, popup, windowed, mode };

struct Settings {
    int switches = 40;
    int frames = 30;
    int settle = 5;
    Cycle cycle = Cycle::f1;
    bool offscreen = false;
    std::string data = FACEDEMO_DATA_DIR;
};

struct Row {
    bool fullScreen = false;
    double switchMs = 0.0;
    bench::ProcessFigures process;
    long lists = 0;
    long textures = 0;
};

bool parse(int argc, char** argv, Settings& settings) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--switches" && hasValue) {
            settings.switches = std::atoi(argv[++i]);
        } else if (option == "--frames" && hasValue) {
            settings.frames = std::atoi(argv[++i]);
        } else if (option == "--settle" && hasValue) {
            settings.settle = std::atoi(argv[++i]);
        } else if (option == "--data" && hasValue) {
            settings.data = argv[++i];
        } else if (option == "--offscreen") {
            settings.offscreen = true;
        } else if (option == "--cycle" && hasValue) {
            const std::string cycle = argv[++i];
            if (cycle == "f1") {
                settings.cycle = Cycle::f1;
            } else if (cycle == "layer") {
                settings.cycle = Cycle::layer;
            } else if (cycle == "popup") {
                settings.cycle = Cycle::popup;
            } else if (cycle == "windowed") {
                settings.cycle = Cycle::windowed;
            } else if (cycle == "mode") {
                settings.cycle = Cycle::mode;
            } else {
                return false;
            }
        } else {
            return false;
        }
    }
    return settings.switches > 0 && settings.frames >= 0 && settings.settle >= 0;
}

long liveNames(GLboolean (*alive)(GLuint)) {
    long count = 0;
    for (GLuint name = 1; name <= highestName; ++name) count += alive(name) ? 1 : 0;
    return count;
}

GLboolean isList(GLuint name) { return glIsList(name); }
GLboolean isTexture(GLuint name) { return glIsTexture(name); }

Row measure(bool fullScreen, double switchMs) {
    Row row;
    row.fullScreen = fullScreen;
    row.switchMs = switchMs;
    row.lists = liveNames(isList);
    row.textures = liveNames(isTexture);
    row.process = bench::processFigures();
    return row;
}

// The program's message loop for a while: messages are dispatched, and a frame is drawn whenever
// none is waiting, until `frames` frames have been drawn. False when the program was told to end.
bool runProgramFrames(int frames) {
    platform::Message message;
    for (int drawn = 0; drawn < frames;) {
        if (platform::peekMessage(message)) {
            if (message.message == platform::WM_QUIT) return false;
            platform::translateMessage(message);
            platform::dispatchMessage(message);
        } else {
            renderFrame();
            ++drawn;
        }
    }
    return true;
}

// The layer alone: a window, its context, and frames that clear, draw one triangle and present.
// A frame draws something, as the program's always do: on Linux, Mesa's llvmpipe (22.3) keeps a
// screen-sized buffer of every full-screen window whose frames were only cleared.
struct LayerWindow {
    platform::Window* window = nullptr;
    platform::DeviceContext* deviceContext = nullptr;
    platform::GLContext* context = nullptr;
    bool fullScreen = false;
    bool modeChanged = false;
};

platform::LRESULT layerProcedure(platform::Window* window, std::uint32_t message, platform::WPARAM wParam,
                                 platform::LPARAM lParam) {
    if (message == platform::WM_SIZE || message == platform::WM_ACTIVATE) return 0;
    return platform::defWindowProc(window, message, wParam, lParam);
}

// In GLWindow::create's order: class, display mode and cursor, window, context, shown. A
// full-screen window covers the desktop, with the display mode changed and the cursor hidden as
// F1 does when changeMode is set.
bool createLayerWindow(LayerWindow& layer, bool fullScreen, bool changeMode) {
    if (!platform::registerWindowClass(platform::moduleInstance(), layerProcedure)) return false;
    int width = windowedSide;
    int height = windowedSide;
    if (fullScreen && !platform::desktopSize(width, height)) return false;
    if (fullScreen && changeMode) {
        if (!platform::changeDisplayMode(width, height, colourBits)) return false;
        platform::showCursor(false);
        layer.modeChanged = true;
    }
    layer.fullScreen = fullScreen;
    layer.window = platform::createWindow(title, width, height, fullScreen);
    if (!layer.window) return false;
    layer.deviceContext = platform::getDC(layer.window);
    layer.context = layer.deviceContext ? platform::createGLContext(layer.deviceContext) : nullptr;
    if (!layer.context || !platform::makeCurrent(layer.deviceContext, layer.context)) return false;
    platform::showWindow(layer.window);
    platform::windowBorders(layer.window);
    glViewport(0, 0, width, height);
    return true;
}

// In GLWindow::destroy's order: display mode and cursor, context, window, class.
void destroyLayerWindow(LayerWindow& layer) {
    if (layer.modeChanged) {
        platform::restoreDisplayMode();
        platform::showCursor(true);
    }
    if (layer.context) {
        platform::makeCurrent(nullptr, nullptr);
        platform::deleteGLContext(layer.context);
    }
    if (layer.deviceContext) platform::releaseDC(layer.window, layer.deviceContext);
    platform::destroyWindow(layer.window);
    platform::unregisterWindowClass(platform::moduleInstance());
    layer = LayerWindow();
}

bool runLayerFrames(LayerWindow& layer, int frames) {
    platform::Message message;
    for (int drawn = 0; drawn < frames;) {
        if (platform::peekMessage(message)) {
            if (message.message == platform::WM_QUIT) return false;
            platform::dispatchMessage(message);
        } else {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glBegin(GL_TRIANGLES);
            glVertex2f(-1.0f, -1.0f);
            glVertex2f(1.0f, -1.0f);
            glVertex2f(0.0f, 1.0f);
            glEnd();
            platform::swapBuffers(layer.deviceContext);
            ++drawn;
        }
    }
    return true;
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Growth per switch of one figure from rows[from] on, among the rows of one mode (full screen or
// windowed, which differ by the size of their frame buffers): the median of the slopes between
// every two such rows (Theil and Sen), which one passing spike does not move. 0 with fewer than
// two rows.
template <typename Figure>
double slope(const std::vector<Row>& rows, std::size_t from, bool fullScreen, Figure figure) {
    std::vector<double> slopes;
    for (std::size_t i = from; i < rows.size(); ++i) {
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            if (rows[i].fullScreen != fullScreen || rows[j].fullScreen != fullScreen) continue;
            const double rise = static_cast<double>(figure(rows[j])) - static_cast<double>(figure(rows[i]));
            slopes.push_back(rise / static_cast<double>(j - i));
        }
    }
    if (slopes.empty()) return 0.0;
    std::sort(slopes.begin(), slopes.end());
    const std::size_t middle = slopes.size() / 2;
    return slopes.size() % 2 ? slopes[middle] : (slopes[middle - 1] + slopes[middle]) / 2;
}

long long kilobytes(long long bytes) { return bytes < 0 ? -1 : bytes / 1024; }

void print(const std::vector<Row>& rows, const Settings& settings) {
    std::printf("%-6s %-6s %9s %12s %11s %5s %5s %6s %9s\n", "switch", "mode", "switch_ms", "resident_kb", "private_kb",
                "gdi", "user", "lists", "textures");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        std::printf("%-6zu %-6s %9.1f %12lld %11lld %5ld %5ld %6ld %9ld\n", i, r.fullScreen ? "full" : "window",
                    r.switchMs, kilobytes(r.process.residentBytes), kilobytes(r.process.privateBytes),
                    r.process.gdiObjects, r.process.userObjects, r.lists, r.textures);
    }
    const std::size_t from = static_cast<std::size_t>(settings.settle) < rows.size() ? settings.settle : 0;
    const Row& first = rows[from];
    const Row& last = rows.back();
    std::printf("switch %zu to switch %zu: resident %lld -> %lld KB, private %lld -> %lld KB\n", from, rows.size() - 1,
                kilobytes(first.process.residentBytes), kilobytes(last.process.residentBytes),
                kilobytes(first.process.privateBytes), kilobytes(last.process.privateBytes));
    for (const bool fullScreen : {false, true}) {
        const auto inMode = [fullScreen](const Row& r) { return r.fullScreen == fullScreen; };
        if (std::count_if(rows.begin() + static_cast<std::ptrdiff_t>(from), rows.end(), inMode) < 2) continue;
        std::printf(
            "growth per switch from switch %zu, %s rows (median slope): resident %.1f KB, private %.1f KB, gdi %.2f, "
            "user %.2f, lists %.2f, textures %.2f\n",
            from, fullScreen ? "full-screen" : "windowed",
            slope(rows, from, fullScreen, [](const Row& r) { return r.process.residentBytes; }) / 1024.0,
            slope(rows, from, fullScreen, [](const Row& r) { return r.process.privateBytes; }) / 1024.0,
            slope(rows, from, fullScreen, [](const Row& r) { return r.process.gdiObjects; }),
            slope(rows, from, fullScreen, [](const Row& r) { return r.process.userObjects; }),
            slope(rows, from, fullScreen, [](const Row& r) { return r.lists; }),
            slope(rows, from, fullScreen, [](const Row& r) { return r.textures; }));
    }
}

// An unattended soak must not wait on a box: its text goes to standard error, answered as Return
// would answer it.
int reportBox(platform::Window*, const char* text, const char* caption, unsigned type) {
    std::fprintf(stderr, "box \"%s\": %s\n", caption, text);
    return (type & platform::buttonGroupMask) == platform::MB_YESNO ? platform::IDYES : platform::IDOK;
}

int soakProgram(const Settings& settings, std::vector<Row>& rows) {
    if (!initApplication()) return 3;
    firstInit = true;
    if (!initGL()) {
        appWindow.destroy();
        return 3;
    }
    bool running = runProgramFrames(settings.frames);
    rows.push_back(measure(appWindow.fullScreen, 0.0));
    for (int i = 0; running && i < settings.switches; ++i) {
        const Clock::time_point start = Clock::now();
        windowProc(appWindow.windowHandle, platform::WM_KEYDOWN, platform::VK_F1, 0);
        windowProc(appWindow.windowHandle, platform::WM_KEYUP, platform::VK_F1, 0);
        const double switchMs = millisecondsSince(start);
        running = appWindow.windowHandle && runProgramFrames(settings.frames);
        if (running) rows.push_back(measure(appWindow.fullScreen, switchMs));
    }
    appWindow.destroy();
    return running ? 0 : 3;
}

int soakLayer(const Settings& settings, std::vector<Row>& rows) {
    LayerWindow layer;
    bool running = createLayerWindow(layer, false, false) && runLayerFrames(layer, settings.frames);
    if (running) rows.push_back(measure(false, 0.0));
    bool modeChanged = false;
    for (int i = 0; running && i < settings.switches; ++i) {
        bool fullScreen = false;
        if (settings.cycle == Cycle::mode) {
            fullScreen = !modeChanged;
        } else if (settings.cycle != Cycle::windowed) {
            fullScreen = !layer.fullScreen;
        }
        const Clock::time_point start = Clock::now();
        if (settings.cycle == Cycle::mode) {
            int width = 0, height = 0;
            running = !fullScreen ||
                      (platform::desktopSize(width, height) && platform::changeDisplayMode(width, height, colourBits));
            if (!fullScreen) platform::restoreDisplayMode();
            modeChanged = fullScreen;
        } else {
            destroyLayerWindow(layer);
            running = createLayerWindow(layer, fullScreen, settings.cycle == Cycle::layer);
        }
        const double switchMs = millisecondsSince(start);
        running = running && runLayerFrames(layer, settings.frames);
        if (running) rows.push_back(measure(fullScreen, switchMs));
    }
    if (modeChanged) platform::restoreDisplayMode();
    destroyLayerWindow(layer);
    return running ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    Settings settings;
    if (!parse(argc, argv, settings)) {
        std::fprintf(stderr,
                     "usage: %s [--switches N] [--frames F] [--settle S] [--cycle f1|layer|popup|windowed|mode] "
                     "[--offscreen] [--data DIR]\n",
                     argv[0]);
        return 2;
    }
    if (settings.offscreen) platform::useOffscreenRendering();
    platform::setMessageBoxHandler(reportBox);
    std::error_code error;
    std::filesystem::current_path(settings.data, error);
    if (error) {
        std::fprintf(stderr, "cannot read the data files in %s: %s\n", settings.data.c_str(), error.message().c_str());
        return 3;
    }
    std::vector<Row> rows;
    const int code = settings.cycle == Cycle::f1 ? soakProgram(settings, rows) : soakLayer(settings, rows);
    if (code != 0) {
        const std::string why = platform::windowSystemError();
        std::fprintf(stderr, "the soak stopped after %zu switches%s%s\n", rows.empty() ? 0 : rows.size() - 1,
                     why.empty() ? "" : ": ", why.c_str());
    }
    if (!rows.empty()) print(rows, settings);
    return code;
}
