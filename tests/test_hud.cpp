// The overlay: the frame-rate window and its text, the status line, and the bar and text drawn
// over the picture with the GL state put back afterwards.
#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/controls.h"
#include "app/globals.h"
#include "app/hud.h"
#include "demo/globals.h"
#include "platform/font.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"
#include "tests/matrix_checks.h"

namespace {

constexpr int side = 64;  // the test surface is side x side pixels
constexpr int barRows = 35;

void resetFrameRate() {
    fpsFrameCount = 0;
    fpsElapsed = 0;
    fpsText[0] = '\0';
}

// Runs `frames` frames of `ms` milliseconds each through the frame-rate measurement.
void runFrames(int frames, std::uint32_t ms) {
    for (int i = 0; i < frames; ++i) {
        frameDelta = ms;
        accumulateFrameRate();
    }
}

std::string padded(const char* text, std::size_t width) {
    std::string s(text);
    s.resize(std::max(width, s.size()), ' ');
    return s;
}

}  // namespace

TEST(FrameRate, MeanOverAWindowOfMoreThanHalfASecond) {
    resetFrameRate();
    runFrames(59, 8);
    EXPECT_STREQ(fpsText, "") << "no figure for the first half second (472 ms)";
    runFrames(1, 38);
    EXPECT_STREQ(fpsText, "FPS: 117.6") << "60 frames in 510 ms, one leading blank, ten characters";

    runFrames(59, 8);
    EXPECT_STREQ(fpsText, "FPS: 117.6") << "the figure stays until the next window closes";
    runFrames(1, 38);
    EXPECT_STREQ(fpsText, "FPS: 117.6") << "the next window starts from zero frames and zero time";

    runFrames(50, 10);
    EXPECT_STREQ(fpsText, "FPS: 117.6") << "exactly 500 ms does not close the window";
    runFrames(1, 1);
    EXPECT_STREQ(fpsText, "FPS: 101.8") << "51 frames in 501 ms close it";

    resetFrameRate();
    runFrames(1, 2000);
    EXPECT_STREQ(fpsText, "FPS:   0.5") << "one long frame: one frame in two seconds";
}

TEST(FrameRate, AFigureTooWideForTheTextIsCutToTenCharacters) {
    resetFrameRate();
    renderFlags = startRenderFlags;
    composeStatusLine();
    const std::string statusBefore = statusText;
    const std::string modeBefore = renderModeText;

    // 6012 frames in 501 ms: 12000.0 frames per second, eleven characters formatted.
    runFrames(6011, 0);
    EXPECT_STREQ(fpsText, "") << "6011 frames in no time are no window";
    runFrames(1, 501);
    EXPECT_EQ(std::strlen(fpsText), 10u) << "the text stays within its ten characters";
    EXPECT_STREQ(fpsText, "FPS:12000.") << "the first ten characters of FPS:12000.0";

    runFrames(999999, 0);
    runFrames(1, 501);
    EXPECT_STREQ(fpsText, "FPS:199600") << "a seven-digit figure is cut the same way";
    EXPECT_EQ(statusBefore, statusText) << "the neighbouring texts are untouched";
    EXPECT_EQ(modeBefore, renderModeText);
}

TEST(StatusLine, ThirtyFourCharactersForEveryCombinationOfFlags) {
    for (int bits = 0; bits < 16; ++bits) {
        renderFlags = RenderFlags{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
        composeStatusLine();
        const char* mode = renderFlags.wireframe ? "WIRE" : renderFlags.texturing ? "TEXTURE" : "FLAT";
        const std::string expected = " RENDER:" + padded(mode, 7) +
                                     " LIGHTS:" + padded(renderFlags.lighting ? "ON" : "OFF", 3) +
                                     " FOG:" + padded(renderFlags.fog ? "ON" : "OFF", 3);
        EXPECT_EQ(std::strlen(statusText), 34u) << "flags " << bits;
        EXPECT_EQ(std::string(statusText), expected) << "flags " << bits;
    }

    renderFlags = startRenderFlags;
    composeStatusLine();
    EXPECT_STREQ(statusText, " RENDER:TEXTURE LIGHTS:ON  FOG:ON ") << "the start flags";
    renderFlags = RenderFlags{false, false, true, true};
    composeStatusLine();
    EXPECT_STREQ(statusText, " RENDER:WIRE    LIGHTS:OFF FOG:OFF") << "wireframe wins over texturing";
}

TEST_F(GlTest, StatusLineIsComposedOnlyWhenAToggleKeyIsHandled) {
    renderFlags = startRenderFlags;
    statusLineVisible = false;
    keyState = KeyState();
    std::strcpy(statusText, "stale");

    // Flags changed behind the controls' back, then frames with move keys only.
    renderFlags.texturing = false;
    frameDelta = 20;
    keyState[platform::VK_UP] = 1;
    keyState[platform::VK_SHIFT] = 1;
    processControls();
    EXPECT_STREQ(statusText, "stale") << "no toggle key, no new status line";
    keyState = KeyState();

    keyState['L'] = 1;
    processControls();
    EXPECT_STREQ(statusText, " RENDER:FLAT    LIGHTS:OFF FOG:ON ") << "L composes the line from every current flag";
    EXPECT_FALSE(statusLineVisible) << "composed while hidden";

    keyState['I'] = 1;
    processControls();
    EXPECT_TRUE(statusLineVisible);
    EXPECT_STREQ(statusText, " RENDER:FLAT    LIGHTS:OFF FOG:ON ") << "I shows the line composed from the flags";

    keyState['W'] = 1;
    processControls();
    EXPECT_STREQ(statusText, " RENDER:WIRE    LIGHTS:OFF FOG:ON ") << "W recomposes it";
    statusLineVisible = false;
    keyState = KeyState();
    renderFlags = RenderFlags{};
}

namespace {

// The overlay over the fixture's 64 x 64 surface, with the blending initGL sets and the glyph lists.
class HudTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        savedWidth = appWindow.width;
        savedHeight = appWindow.height;
        appWindow.width = side;
        appWindow.height = side;
        hudWidth = 0;
        fpsText[0] = '\0';
        statusLineVisible = false;
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        fontListBase = glGenLists(overlayGlyphs.count);
        haveFont = platform::buildFontBitmaps(platform::getDC(offscreenWindow()), overlayGlyphs.first,
                                              overlayGlyphs.count, fontListBase);
    }
    void TearDown() override {
        glDeleteLists(fontListBase, overlayGlyphs.count);
        fontListBase = 0;
        hudWidth = 0;
        fpsText[0] = '\0';
        statusLineVisible = false;
        appWindow.width = savedWidth;
        appWindow.height = savedHeight;
        GlTest::TearDown();
    }

    void clearTo(float grey) {
        glClearColor(grey, grey, grey, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // The red channel of the whole surface, row by row from the bottom.
    std::vector<GLubyte> readRed() {
        std::vector<GLubyte> red(side * side);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, side, side, GL_RED, GL_UNSIGNED_BYTE, red.data());
        return red;
    }

    // Whether any pixel in the given columns of the bar is lit by text.
    static bool textIn(const std::vector<GLubyte>& red, int fromX, int toX) {
        for (int y = 0; y < barRows; ++y) {
            for (int x = fromX; x < toX; ++x) {
                if (red[y * side + x] > 150) return true;
            }
        }
        return false;
    }

    std::int32_t savedWidth = 0;
    std::int32_t savedHeight = 0;
    bool haveFont = false;
};

}  // namespace

TEST_F(HudTest, TheStateAroundTheOverlayIsPutBack) {
    for (bool on : {true, false}) {
        const char* which = on ? "with everything on" : "with everything off";
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-1, 1, -1, 1, 1, 10);
        Matrix4 projection;
        glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(1.0f, 2.0f, 3.0f);
        for (GLenum cap : {GL_LIGHTING, GL_DEPTH_TEST, GL_TEXTURE_2D}) on ? glEnable(cap) : glDisable(cap);
        glPolygonMode(GL_FRONT_AND_BACK, on ? GL_LINE : GL_FILL);

        drawHud();

        GLint depth = 0;
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1) << "projection popped, " << which;
        Matrix4 after;
        glGetFloatv(GL_PROJECTION_MATRIX, after.data());
        expectMatrixNear(after, projection, 0.0f, std::string("the scene's projection is back, ") + which);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW) << "modelview selected, " << which;
        expectMatrixNear(currentModelview(), Matrix4{}, 0.0f, std::string("modelview left as the identity, ") + which);
        EXPECT_EQ(glIsEnabled(GL_LIGHTING) == GL_TRUE, on) << "lighting restored, " << which;
        EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST) == GL_TRUE, on) << "depth test restored, " << which;
        EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D) == GL_TRUE, on) << "texturing restored, " << which;
        const GLenum polygons = on ? GL_LINE : GL_FILL;
        EXPECT_EQ(polygonMode(0), polygons) << "front polygon mode restored, " << which;
        EXPECT_EQ(polygonMode(1), polygons) << "back polygon mode restored, " << which;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << which;
    }
}

TEST_F(HudTest, TheBarIsFilledAndHalfTransparentInWireframeToo) {
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogf(GL_FOG_DENSITY, 0.03f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    clearTo(1.0f);
    // A depth buffer that would hide everything if the depth test stayed on.
    glClearDepth(0.0);
    glClear(GL_DEPTH_BUFFER_BIT);

    drawHud();
    const std::vector<GLubyte> red = readRed();
    for (int x : {0, 20, 40, side - 1}) {
        for (int y : {0, 17, barRows - 1}) {
            EXPECT_NEAR(red[y * side + x], 128, 4) << "half-transparent black over white at (" << x << ", " << y << ")";
        }
        for (int y : {barRows, 50, side - 1}) {
            EXPECT_EQ(red[y * side + x], 255) << "above the bar untouched at (" << x << ", " << y << ")";
        }
    }
}

TEST_F(HudTest, TextFollowsTheFrameRateAndTheVisibleStatusLine) {
    if (!haveFont) GTEST_SKIP() << "no font on this machine";
    clearTo(0.0f);
    drawHud();
    EXPECT_FALSE(textIn(readRed(), 0, side)) << "no text while the figure is still empty";

    std::strcpy(fpsText, "FPS:  60.0");
    clearTo(0.0f);
    drawHud();
    std::vector<GLubyte> red = readRed();
    EXPECT_TRUE(textIn(red, 10, side)) << "the figure is drawn";
    EXPECT_FALSE(textIn(red, 0, 9)) << "starting 10 pixels from the left edge";

    fpsText[0] = '\0';
    renderFlags = startRenderFlags;
    composeStatusLine();
    statusLineVisible = true;
    clearTo(0.0f);
    drawHud();
    EXPECT_TRUE(textIn(readRed(), 10, side)) << "the visible status line is drawn";
    statusLineVisible = false;
    clearTo(0.0f);
    drawHud();
    EXPECT_FALSE(textIn(readRed(), 0, side)) << "the hidden status line is not";
}

TEST_F(HudTest, TheWidthIsTakenOnceAndTheTextStartScales) {
    if (!haveFont) GTEST_SKIP() << "no font on this machine";
    appWindow.width = side / 2;
    drawHud();
    EXPECT_EQ(hudWidth, side / 2) << "taken at the first draw";

    // The window grew to 64 pixels: the bar still spans it, the text starts at 10 x 64 / 32.
    appWindow.width = side;
    std::strcpy(fpsText, "FPS:  60.0");
    clearTo(1.0f);
    drawHud();
    EXPECT_EQ(hudWidth, side / 2) << "not refreshed after a resize";
    const std::vector<GLubyte> red = readRed();
    EXPECT_NEAR(red[0 * side + side - 1], 128, 4) << "the bar reaches the right edge";
    clearTo(0.0f);
    drawHud();
    const std::vector<GLubyte> text = readRed();
    EXPECT_FALSE(textIn(text, 0, 19)) << "no text left of 20 pixels";
    EXPECT_TRUE(textIn(text, 20, side)) << "the text starts at 20 pixels";
}
