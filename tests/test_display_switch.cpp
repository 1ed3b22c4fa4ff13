// F1's display-mode switch on the offscreen driver: a new window and context in the other mode with
// the GL state, lists, light and textures made anew and everything else carried on, switches that
// give back what they make, and a switch whose re-initialisation fails.
#include <GL/gl.h>

#include <filesystem>

#include "app/application.h"
#include "app/globals.h"
#include "app/hud.h"
#include "app/window_proc.h"
#include "bench/process_figures.h"
#include "demo/expression_morph.h"
#include "demo/globals.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"

#ifndef _WIN32
#include "platform/sdl/seams.h"
#endif

namespace {

platform::LRESULT pressF1() { return windowProc(appWindow.windowHandle, platform::WM_KEYDOWN, platform::VK_F1, 0); }

// The names alive in the current context among the first few thousand, which hold every list and
// texture the program makes.
long liveNames(GLboolean (*alive)(GLuint)) {
    long count = 0;
    for (GLuint name = 1; name <= 4096; ++name) count += alive(name) ? 1 : 0;
    return count;
}
long liveLists() {
    return liveNames([](GLuint name) { return glIsList(name); });
}
long liveTextures() {
    return liveNames([](GLuint name) { return glIsTexture(name); });
}

// The application's own window, made by the test and destroyed after it.
class DisplaySwitchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(offscreenWindow(), nullptr) << "the offscreen video driver did not start";
        appWindow = GLWindow();
        resetDemoGlobals();
        firstInit = false;
        renderFlags = startRenderFlags;
        setWindowHandlers(shellWindowHandlers());
        drainMessages();
    }
    void TearDown() override {
        appWindow.destroy();
        setWindowHandlers(WindowHandlers{});
        appWindow = GLWindow();
        resetDemoGlobals();
        rocksTexture = Texture();
        skyTexture = Texture();
        lightmapTexture = Texture();
        drainMessages();
    }

    MessageBoxRecorder boxes;
};

}  // namespace

TEST_F(DisplaySwitchTest, F1SwitchesToFullScreenAndBackCarryingTheStateOn) {
    ScopedWorkDir dir;
    dir.copyData({"smile.sos", "rage.sos", "closed.sos", "rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});
    ASSERT_TRUE(appWindow.create("OpenGL Window", 700, 500, 32, false));
    firstInit = true;
    ASSERT_TRUE(initGL());
    int desktopWidth = 0, desktopHeight = 0;
    ASSERT_TRUE(platform::desktopSize(desktopWidth, desktopHeight));

    // State that must survive: flags, camera, morph, the face.
    renderFlags.wireframe = true;
    renderFlags.fog = false;
    camera.moveAlongZ(3.0f);
    const Matrix4 view = camera.matrix;
    frameDelta = 20;
    for (int i = 0; i < 7; ++i) advanceMorph();
    const Vec3 faceVertex = faceMesh.vertices[42].position;
    // The meshes are read once: a switch must not need them.
    std::filesystem::remove("smile.sos");
    std::filesystem::remove("rage.sos");
    std::filesystem::remove("closed.sos");

    EXPECT_EQ(pressF1(), 0);
    ASSERT_NE(appWindow.windowHandle, nullptr) << "a new window";
    EXPECT_TRUE(appWindow.fullScreen) << "in full screen";
    EXPECT_EQ(appWindow.width, desktopWidth) << "at the desktop's size";
    EXPECT_EQ(appWindow.height, desktopHeight);
    EXPECT_TRUE(appWindow.active) << "the new window is activated";
    EXPECT_EQ(keyState[platform::VK_F1], 1) << "F1's slot is set after the switch";
    EXPECT_TRUE(MessageBoxRecorder::boxes().empty()) << "nothing to report";
    EXPECT_EQ(countQuitMessages(drainMessages(), 0), 0) << "the program goes on";

    EXPECT_EQ(polygonMode(0), static_cast<GLenum>(GL_LINE)) << "the new context gets the wireframe flag";
    EXPECT_FALSE(glIsEnabled(GL_FOG)) << "and the fog flag";
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0)) << "the light is claimed anew";
    EXPECT_TRUE(glIsList(fontListBase)) << "glyph lists in the new context";
    EXPECT_TRUE(glIsTexture(rocksTexture.glName) && glIsTexture(skyTexture.glName) &&
                glIsTexture(lightmapTexture.glName))
        << "the images are read again";
    EXPECT_EQ(scene.meshes.size(), 3u) << "the scene is kept";
    EXPECT_EQ(faceMesh.vertices[42].position.y, faceVertex.y) << "the face keeps its expression";
    EXPECT_EQ(morphStep, 7) << "the morph goes on where it was";
    for (int k = 0; k < 16; ++k) EXPECT_EQ(camera.matrix[k], view[k]) << "the camera keeps its place: " << k;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], desktopWidth) << "the view fills the new window";

    windowProc(appWindow.windowHandle, platform::WM_KEYUP, platform::VK_F1, 0);
    pressF1();
    ASSERT_NE(appWindow.windowHandle, nullptr);
    EXPECT_FALSE(appWindow.fullScreen) << "F1 again: back to a window";
    EXPECT_EQ(appWindow.width, 500) << "of 500 x 500, not the first window's 700 x 500";
    EXPECT_EQ(appWindow.height, 500);
    EXPECT_EQ(polygonMode(0), static_cast<GLenum>(GL_LINE)) << "the flags carry on again";
    EXPECT_EQ(scene.meshes.size(), 3u);
    EXPECT_TRUE(MessageBoxRecorder::boxes().empty());
}

// The new window's GL context is a new one, in GL's initial state, which the program's own set-up
// then changes: what the program never sets is back where GL starts (on the fixed-function layer
// too, whose context is made anew over each new ES context).
TEST_F(DisplaySwitchTest, TheNewContextStartsFromGlsInitialState) {
    ScopedWorkDir dir;
    dir.copyData({"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});
    ASSERT_TRUE(appWindow.create("OpenGL Window", 700, 500, 32, false));
    ASSERT_TRUE(initGL());
    glEnable(GL_CULL_FACE);
    glLineWidth(3);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glPushAttrib(GL_FOG_BIT);

    pressF1();
    ASSERT_NE(appWindow.windowHandle, nullptr);
    ASSERT_TRUE(appWindow.fullScreen);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    GLfloat lineWidth = 0;
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    EXPECT_EQ(lineWidth, 1.0f);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1) << "the matrix stack starts empty";
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 0) << "and the attribute stack";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "while the program's own set-up is made again";
}

// Each switch releases the window, its device context and its GL context and makes them anew:
// after switches there and back the process holds the same GUI objects (where the system counts
// them) and the new context just the glyph lists and the three textures.
TEST_F(DisplaySwitchTest, SwitchesGiveBackWhatTheyMake) {
    ScopedWorkDir dir;
    dir.copyData({"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});
    ASSERT_TRUE(appWindow.create("OpenGL Window", 700, 500, 32, false));
    ASSERT_TRUE(initGL());
    auto roundTrip = [] {
        for (int i = 0; i < 2; ++i) {
            pressF1();
            windowProc(appWindow.windowHandle, platform::WM_KEYUP, platform::VK_F1, 0);
            pumpMessages();
        }
    };
    // The first full-screen window may leave the system objects it keeps for the process.
    roundTrip();
    ASSERT_NE(appWindow.windowHandle, nullptr);
    const bench::ProcessFigures before = bench::processFigures();
    EXPECT_EQ(liveLists(), static_cast<long>(overlayGlyphs.count)) << "the glyph lists";
    EXPECT_EQ(liveTextures(), 3) << "the three images";

    for (int i = 0; i < 3; ++i) roundTrip();
    ASSERT_NE(appWindow.windowHandle, nullptr);
    EXPECT_FALSE(appWindow.fullScreen);
    const bench::ProcessFigures after = bench::processFigures();
    EXPECT_EQ(after.gdiObjects, before.gdiObjects) << "device contexts, fonts and bitmaps given back";
    EXPECT_EQ(after.userObjects, before.userObjects) << "windows given back";
    EXPECT_EQ(liveLists(), static_cast<long>(overlayGlyphs.count)) << "no lists left over from other contexts";
    EXPECT_EQ(liveTextures(), 3) << "no textures left over";
    EXPECT_TRUE(MessageBoxRecorder::boxes().empty());
}

TEST_F(DisplaySwitchTest, ASwitchWhoseInitialisationFailsEndsTheProgram) {
    ScopedWorkDir dir;
    dir.copyData({"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});
    ASSERT_TRUE(appWindow.create("OpenGL Window", 700, 500, 32, false));
    ASSERT_TRUE(initGL());
    std::filesystem::remove("Lightmap.bmp");

    pressF1();
    const std::vector<RecordedBox>& shown = MessageBoxRecorder::boxes();
    ASSERT_EQ(shown.size(), 2u) << "the loader's message, then the failure";
    EXPECT_EQ(shown[0].text, "Failed to open DIB file Lightmap.bmp.\n");
    EXPECT_EQ(shown[1].text, "Failed to initialize!");
    EXPECT_EQ(shown[1].caption, "ERROR");
    EXPECT_EQ(countQuitMessages(drainMessages(), 0), 1) << "the program ends with exit code 0";
}

#ifndef _WIN32
// SDL changes the display mode only as it shows a full-screen window. A display that refuses it
// then gets the same question as one that refuses up front: Yes, a window of that size instead;
// No, no window at all.
TEST_F(DisplaySwitchTest, AFullScreenModeRefusedAsTheWindowShowsAsksTheQuestion) {
    int desktopWidth = 0, desktopHeight = 0;
    ASSERT_TRUE(platform::desktopSize(desktopWidth, desktopHeight));
    platform::refuseDisplayModes(true);
    const bool madeWindowed = appWindow.create("OpenGL Window", desktopWidth, desktopHeight, 32, true);
    ASSERT_EQ(MessageBoxRecorder::boxes().size(), 1u) << "the question, answered Yes";
    EXPECT_EQ(MessageBoxRecorder::boxes()[0].caption, "GLWindow");
    EXPECT_EQ(MessageBoxRecorder::boxes()[0].type, platform::MB_YESNO | platform::MB_ICONEXCLAMATION);
    ASSERT_TRUE(madeWindowed);
    EXPECT_FALSE(appWindow.fullScreen) << "Yes: in a window";
    EXPECT_EQ(appWindow.width, desktopWidth) << "of the size asked for";
    EXPECT_NE(appWindow.renderContext, nullptr) << "with its GL context";
    appWindow.destroy();

    platform::setMessageBoxHandler(
        [](platform::Window*, const char*, const char*, unsigned) { return platform::IDNO; });
    EXPECT_FALSE(appWindow.create("OpenGL Window", desktopWidth, desktopHeight, 32, true)) << "No: no window";
    EXPECT_EQ(appWindow.windowHandle, nullptr);
    EXPECT_EQ(appWindow.renderContext, nullptr);
    platform::refuseDisplayModes(false);
}
#endif
