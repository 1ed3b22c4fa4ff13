// Start-up, GL initialisation, the message loop, the frame and shutdown.
#include "app/application.h"

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/controls.h"
#include "app/data_directory.h"
#include "app/frame_monitor.h"
#include "app/frame_stages.h"
#include "app/globals.h"
#include "app/hud.h"
#include "app/options.h"
#include "app/run_record.h"
#include "app/validation.h"
#include "demo/environment.h"
#include "demo/expression_morph.h"
#include "demo/face_scene.h"
#include "demo/globals.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/gl_proc.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace {

constexpr const char* windowTitle = "OpenGL Window";
constexpr int startColorBits = 32;

constexpr GLfloat fogDensity = 0.03f;
constexpr GLfloat fogColour[4] = {0.6f, 0.6f, 0.6f, 1.0f};

void lookUpMultitexture() {
    activeTextureARB = reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(platform::getGLProcAddress("glActiveTextureARB"));
    multiTexCoord2fARB =
        reinterpret_cast<PFNGLMULTITEXCOORD2FARBPROC>(platform::getGLProcAddress("glMultiTexCoord2fARB"));
    multitextureSupported = activeTextureARB && multiTexCoord2fARB;
    if (!multitextureSupported) {
        platform::messageBox(nullptr, "Multitexturing not supported!", "INFO", platform::MB_OK);
    }
}

void setFixedState() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_NORMALIZE);
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogf(GL_FOG_DENSITY, fogDensity);
    glFogfv(GL_FOG_COLOR, fogColour);
    if (renderFlags.fog) glEnable(GL_FOG);
    if (renderFlags.lighting) glEnable(GL_LIGHTING);
    if (renderFlags.texturing) glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, renderFlags.wireframe ? GL_LINE : GL_FILL);
    glEnable(GL_COLOR_MATERIAL);
}

}  // namespace

bool initApplication() {
    // The command line may ask for another size, or full screen (at the desktop's size unless
    // a size was given); without it this is the 700 x 500 window.
    int width = options.width;
    int height = options.height;
    if (options.fullScreen && !options.sizeGiven) platform::desktopSize(width, height);
    if (!appWindow.create(windowTitle, width, height, startColorBits, options.fullScreen)) {
        platform::messageBox(nullptr, "Window could not be open! Program is about to close.", "PROGRAM FAILURE",
                             platform::MB_OK);
        return false;
    }
    renderFlags = startRenderFlags;
    return true;
}

bool initGL() {
    lookUpMultitexture();
    setFixedState();

    fontListBase = glGenLists(overlayGlyphs.count);
    platform::buildFontBitmaps(overlayGlyphs.first, overlayGlyphs.count, fontListBase);

    skyQuadric = gluNewQuadric();
    gluQuadricDrawStyle(skyQuadric, GLU_FILL);
    gluQuadricTexture(skyQuadric, GL_TRUE);

    if (firstInit) {
        // Show black while the meshes load.
        glClear(GL_COLOR_BUFFER_BIT);
        platform::swapBuffers(appWindow.deviceContext);
        if (!buildFaceScene()) return false;
    }

    light.acquireGlLight();
    light.upload();

    if (!rocksTexture.load(rocksFile, true, 3)) return false;
    if (!skyTexture.load(skyFile, false, 1)) return false;
    if (!lightmapTexture.load(lightmapFile, false, 1)) return false;

    firstInit = false;
    return true;
}

void releaseGLResources() {
    if (fontListBase != 0) {
        glDeleteLists(fontListBase, overlayGlyphs.count);
        fontListBase = 0;
    }
    if (skyQuadric) {
        gluDeleteQuadric(skyQuadric);
        skyQuadric = nullptr;
    }
}

void renderFrame() {
    if (!appWindow.active) return;

    processControls();
    frameStageDone(FrameStage::Controls);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    frameStageDone(FrameStage::Clear);
    scene.render(false);
    frameStageDone(FrameStage::SceneRender);

    // Unsigned subtraction: the clock's wrap-around still gives the right difference.
    const std::uint32_t now = platform::timeGetTime();
    frameDelta = now - lastFrameTime;
    lastFrameTime = now;
    frameStageDone(FrameStage::Timing);

    accumulateFrameRate();
    frameStageDone(FrameStage::FrameRate);
    drawEnvironment();
    frameStageDone(FrameStage::Environment);
    drawHud();
    frameStageDone(FrameStage::Overlay);
    advanceMorph();
    frameStageDone(FrameStage::Morph);
    platform::swapBuffers(appWindow.deviceContext);
    frameStageDone(FrameStage::Present);
}

namespace {

// Start-up, then the validation or the message loop, and the window's end. Returns the exit code
// of what was asked, before the command line's chores after the run.
int startAndRun(const DataLookup& lookup) {
    if (!initApplication()) {
        appWindow.destroy();
        const std::string why = platform::windowSystemError();
        return couldNotRun("no window or GL context could be made" + (why.empty() ? "" : ": " + why));
    }
    platform::raiseThreadPriority();
    const bool initialised = initGL();
    if (options.info || !options.report.empty()) recordGLDescription();
    if (!initialised) {
        const std::vector<std::string> unreadable = unreadableDataFiles(lookup);
        for (const std::string& line : unreadable) printLine(line);
        platform::messageBox(appWindow.windowHandle, "Failed to initialize!", "ERROR", platform::MB_OK);
        appWindow.destroy();
        return couldNotRun(unreadable.empty() ? "the initialisation failed"
                                              : "the initialisation failed: " + unreadable.front());
    }
    if (options.info) printGLInfo();
    if (options.validate) {
        const int code = runValidation(referenceDirectory(lookup), options.savePictures);
        appWindow.destroy();
        return code;
    }
    startFrameMonitor(options);

    platform::Message message;
    for (;;) {
        if (platform::peekMessage(message)) {
            if (message.message == platform::WM_QUIT) break;
            platform::translateMessage(message);
            platform::dispatchMessage(message);
        } else {
            renderFrame();
        }
    }
    appWindow.destroy();
    // A display-mode switch that failed has ended the loop and said why.
    if (!runRecord.failure.empty()) return couldNotRun(runRecord.failure);
    return static_cast<int>(message.wParam);
}

}  // namespace

int runApplication(int argc, const char* const* argv) {
    DataLookup lookup;
    int exitCode = exitDone;
    if (!applyCommandLine(argc, argv, lookup, exitCode)) return exitCode;
    return finishRun(startAndRun(lookup));
}
