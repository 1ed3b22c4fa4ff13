// The window procedure: size, activation, close and key messages, and the view they leave.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "app/application.h"
#include "app/gl_window.h"
#include "app/globals.h"
#include "app/window_proc.h"
#include "demo/globals.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"
#include "tests/matrix_checks.h"

namespace {

using platform::makeLong;

constexpr std::uintptr_t altContextBit = 1u << 29;

// The projection gluPerspective forms for the demo's view on a fresh identity.
Matrix4 expectedProjection(double aspect) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(60.0, aspect, 0.2, 350.0);
    Matrix4 m;
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return m;
}

Matrix4 currentProjection() {
    Matrix4 m;
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    return m;
}

platform::LRESULT send(std::uint32_t message, platform::WPARAM wParam, platform::LPARAM lParam = 0) {
    return windowProc(appWindow.windowHandle, message, wParam, lParam);
}

// The procedure sees the fixture's window and context as the application's own.
class WindowProcTest : public AppWindowTest {
protected:
    void SetUp() override {
        AppWindowTest::SetUp();
        appWindow.fullScreen = false;
        keyState = KeyState();
        drainMessages();
    }
    void TearDown() override {
        drainMessages();
        keyState = KeyState();
        AppWindowTest::TearDown();
    }

    MessageBoxRecorder boxes;
    FixedClock clock;
};

}  // namespace

TEST_F(WindowProcTest, SizeMessageSetsViewportStoredSizeAndProjection) {
    const Matrix4 modelview = glProduct([] { glTranslatef(1.0f, 2.0f, 3.0f); });

    EXPECT_EQ(send(platform::WM_SIZE, platform::SIZE_RESTORED, makeLong(200, 100)), 0) << "handled messages return 0";
    EXPECT_EQ(appWindow.width, 200) << "stored width";
    EXPECT_EQ(appWindow.height, 100) << "stored height";
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 200) << "viewport width";
    EXPECT_EQ(viewport[3], 100) << "viewport height";
    expectMatrixNear(currentProjection(), expectedProjection(2.0), 1e-6f, "60-degree perspective at aspect 2");
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW) << "the modelview matrix is selected again";
    expectMatrixNear(currentModelview(), modelview, 0.0f, "the modelview matrix itself is not touched");

    // Minimised: a 0 x 0 size.
    send(platform::WM_SIZE, platform::SIZE_MINIMIZED, makeLong(0, 0));
    EXPECT_EQ(appWindow.width, 0) << "minimised width";
    EXPECT_EQ(appWindow.height, 0) << "the stored height stays 0";
    const Matrix4 projection = currentProjection();
    for (int k = 0; k < 16; ++k) EXPECT_TRUE(std::isfinite(projection[k])) << "no division by zero: element " << k;
    expectMatrixNear(projection, expectedProjection(0.0), 1e-6f, "aspect 0 / 1");

    // A height of 0 with a width counts as height 1 for the aspect ratio.
    send(platform::WM_SIZE, platform::SIZE_RESTORED, makeLong(300, 0));
    EXPECT_EQ(appWindow.height, 0) << "height 0 is stored as 0";
    expectMatrixNear(currentProjection(), expectedProjection(300.0), 1e-7f, "aspect 300 / 1");
}

TEST_F(WindowProcTest, SizeMessageWithoutContextOnlyStoresTheSize) {
    send(platform::WM_SIZE, platform::SIZE_RESTORED, makeLong(64, 64));
    const Matrix4 projection = currentProjection();

    appWindow.renderContext = nullptr;
    send(platform::WM_SIZE, platform::SIZE_RESTORED, makeLong(320, 240));
    EXPECT_EQ(appWindow.width, 320) << "the size is stored all the same";
    EXPECT_EQ(appWindow.height, 240);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 64) << "no viewport change before the context is current";
    EXPECT_EQ(viewport[3], 64);
    expectMatrixNear(currentProjection(), projection, 0.0f, "no projection change before the context is current");
}

TEST_F(WindowProcTest, ActivationRestartsTheFrameClockUnlessMinimised) {
    appWindow.active = false;
    lastFrameTime = 99;
    frameDelta = 17;
    FixedClock::now() = 123456;
    EXPECT_EQ(send(platform::WM_ACTIVATE, makeLong(platform::WA_ACTIVE, 0)), 0);
    EXPECT_TRUE(appWindow.active) << "activated, not minimised";
    EXPECT_EQ(lastFrameTime, 123456u) << "the frame clock restarts at the clock's time";
    EXPECT_EQ(frameDelta, 0u) << "the next frame sees no time spent away";

    // Minimised: inactive, and the clock is left alone.
    lastFrameTime = 99;
    frameDelta = 17;
    FixedClock::now() = 200000;
    send(platform::WM_ACTIVATE, makeLong(platform::WA_INACTIVE, 1));
    EXPECT_FALSE(appWindow.active) << "minimised";
    EXPECT_EQ(lastFrameTime, 99u) << "no clock restart while minimised";
    EXPECT_EQ(frameDelta, 17u) << "frameDelta untouched while minimised";

    send(platform::WM_ACTIVATE, makeLong(platform::WA_ACTIVE, 1));
    EXPECT_FALSE(appWindow.active) << "the minimised flag decides, whatever the low word says";
    EXPECT_EQ(lastFrameTime, 99u);

    // Losing the focus without being minimised still counts as active.
    FixedClock::now() = 300000;
    send(platform::WM_ACTIVATE, makeLong(platform::WA_INACTIVE, 0));
    EXPECT_TRUE(appWindow.active) << "deactivated but not minimised: frames keep running";
    EXPECT_EQ(lastFrameTime, 300000u);
    EXPECT_EQ(frameDelta, 0u);
}

TEST_F(WindowProcTest, CloseAndEscapePostQuitWithZero) {
    EXPECT_EQ(send(platform::WM_CLOSE, 0), 0);
    std::vector<platform::Message> queued = drainMessages();
    EXPECT_EQ(countQuitMessages(queued, 0), 1) << "WM_CLOSE posts one WM_QUIT with exit code 0";
    EXPECT_EQ(appWindow.windowHandle, window) << "closing does not destroy the window";

    keyState['A'] = 1;
    send(platform::WM_KEYDOWN, platform::VK_ESCAPE);
    queued = drainMessages();
    EXPECT_EQ(countQuitMessages(queued, 0), 1) << "Escape posts WM_QUIT with 0, even with another key held";
    EXPECT_EQ(keyState[platform::VK_ESCAPE], 1) << "Escape's slot is set after it acted";
    send(platform::WM_KEYUP, platform::VK_ESCAPE);
    EXPECT_EQ(keyState[platform::VK_ESCAPE], 0) << "and cleared on release";

    // Alt+F4 goes through the default handling to WM_CLOSE.
    platform::registerWindowClass(platform::moduleInstance(), windowProc);
    windowProc(window, platform::WM_SYSKEYDOWN, platform::VK_F4, static_cast<platform::LPARAM>(altContextBit));
    queued = pumpMessages();
    EXPECT_EQ(countQuitMessages(queued, 0), 1) << "Alt+F4 quits with 0 through WM_CLOSE";
    EXPECT_EQ(keyState[platform::VK_F4], 0) << "a system key does not reach the table";
}

TEST_F(WindowProcTest, KeysSetAndClearTheirSlots) {
    send(platform::WM_KEYDOWN, 'L');
    EXPECT_EQ(keyState['L'], 1) << "key down sets the slot";
    send(platform::WM_KEYDOWN, 'L');
    EXPECT_EQ(keyState['L'], 1) << "an auto-repeat sets it again";
    send(platform::WM_KEYDOWN, platform::VK_UP);
    EXPECT_EQ(keyState[platform::VK_UP], 1) << "several keys can be down";
    send(platform::WM_KEYUP, 'L');
    EXPECT_EQ(keyState['L'], 0) << "key up clears the slot";
    EXPECT_EQ(keyState[platform::VK_UP], 1) << "other slots stay";
    EXPECT_TRUE(drainMessages().empty()) << "ordinary keys post nothing";

    // A key posted to the window reaches the table only when the loop dispatches it, as a user's
    // key does; the loop's dispatch stops at the quit message with its code.
    platform::registerWindowClass(platform::moduleInstance(), windowProc);
    ASSERT_TRUE(platform::postMessage(window, platform::WM_KEYDOWN, 'T', 1));
    platform::postQuitMessage(7);
    EXPECT_EQ(keyState['T'], 0) << "not before it is dispatched";
    int quitCode = 0;
    EXPECT_FALSE(dispatchWaitingMessages(quitCode)) << "the quit message ends the dispatch";
    EXPECT_EQ(quitCode, 7);
    EXPECT_EQ(keyState['T'], 1) << "the posted key went through the window procedure";
    ASSERT_TRUE(platform::postMessage(window, platform::WM_KEYUP, 'T', 0xC0000001));
    EXPECT_TRUE(dispatchWaitingMessages(quitCode));
    EXPECT_EQ(keyState['T'], 0);
    EXPECT_FALSE(platform::postMessage(nullptr, platform::WM_KEYDOWN, 'T', 1)) << "no window, nothing posted";
    EXPECT_TRUE(drainMessages().empty());

    // F1 with no window of the application to switch: nothing but the slot.
    appWindow.windowHandle = nullptr;
    appWindow.deviceContext = nullptr;
    send(platform::WM_KEYDOWN, platform::VK_F1);
    EXPECT_EQ(keyState[platform::VK_F1], 1) << "F1's slot is set after it acted";
    EXPECT_FALSE(appWindow.fullScreen) << "no switch without a window";
    EXPECT_EQ(appWindow.renderContext, context) << "the context is left alone";
    EXPECT_TRUE(MessageBoxRecorder::boxes().empty()) << "no message";
    EXPECT_EQ(countQuitMessages(drainMessages(), 0), 0) << "no quit";
    send(platform::WM_KEYUP, platform::VK_F1);
    EXPECT_EQ(keyState[platform::VK_F1], 0);
}

TEST_F(WindowProcTest, SystemKeysNeverReachTheTable) {
    const platform::LPARAM alt = static_cast<platform::LPARAM>(altContextBit);
    send(platform::WM_SYSKEYDOWN, 'T', alt);
    EXPECT_EQ(keyState['T'], 0) << "Alt+T is a system key";
    send(platform::WM_SYSKEYDOWN, platform::VK_F10);
    EXPECT_EQ(keyState[platform::VK_F10], 0) << "F10 is a system key";

    keyState['W'] = 1;
    send(platform::WM_SYSKEYUP, 'W', alt);
    EXPECT_EQ(keyState['W'], 1) << "a system key release does not clear the slot";
    EXPECT_EQ(countQuitMessages(drainMessages(), 0), 0) << "Alt+T and F10 do not quit";
}
