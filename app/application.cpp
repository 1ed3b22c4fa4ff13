// Start-up, GL initialisation, the message loop, the frame and shutdown.
#include "app/application.h"

#include "app/controls.h"
#include "app/frame_stages.h"
#include "app/globals.h"
#include "app/hud.h"
#include "app/projection.h"
#include "app/window_proc.h"
#include "demo/environment.h"
#include "demo/expression_morph.h"
#include "demo/face_scene.h"
#include "demo/gl_resources.h"
#include "demo/globals.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/message_box.h"
#include "platform/messages.h"

namespace {

constexpr const char* windowTitle = "OpenGL Window";
constexpr int startColorBits = 32;

void setFixedState() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_NORMALIZE);
    setUpFog();
    if (renderFlags.fog) glEnable(GL_FOG);
    if (renderFlags.lighting) glEnable(GL_LIGHTING);
    if (renderFlags.texturing) glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, renderFlags.wireframe ? GL_LINE : GL_FILL);
    glEnable(GL_COLOR_MATERIAL);
}

}  // namespace

WindowHandlers shellWindowHandlers() { return WindowHandlers{windowProc, resizeView, initGL, releaseGLResources}; }

bool initApplication(int width, int height, bool fullScreen) {
    setWindowHandlers(shellWindowHandlers());
    if (!appWindow.create(windowTitle, width, height, startColorBits, fullScreen)) {
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
    platform::buildFontBitmaps(appWindow.deviceContext, overlayGlyphs.first, overlayGlyphs.count, fontListBase);

    createSkyQuadric();

    if (firstInit) {
        // Show black while the meshes load.
        glClear(GL_COLOR_BUFFER_BIT);
        platform::swapBuffers(appWindow.deviceContext);
        if (!buildFaceScene()) return false;
    }

    setUpLight();
    if (!loadTextures()) return false;

    firstInit = false;
    return true;
}

void releaseGLResources() {
    if (fontListBase != 0) {
        glDeleteLists(fontListBase, overlayGlyphs.count);
        fontListBase = 0;
    }
    releaseSkyQuadric();
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
    frameStageDone(FrameStage::Drawn);
    platform::swapBuffers(appWindow.deviceContext);
    frameStageDone(FrameStage::Present);
}

bool dispatchWaitingMessages(int& quitCode) {
    platform::Message message;
    while (platform::peekMessage(message)) {
        if (message.message == platform::WM_QUIT) {
            quitCode = static_cast<int>(message.wParam);
            return false;
        }
        platform::translateMessage(message);
        platform::dispatchMessage(message);
    }
    return true;
}

int runMessageLoop() {
    int quitCode = 0;
    while (dispatchWaitingMessages(quitCode)) renderFrame();
    return quitCode;
}
