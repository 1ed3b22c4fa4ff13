// One frame: its timing across the clock's wrap-around, nothing at all while minimised, the
// order of controls, timing and morph within it, and the monitor that the command line hangs on it.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <vector>

#include "app/application.h"
#include "app/frame_stages.h"
#include "app/globals.h"
#include "app/hud.h"
#include "app/window_proc.h"
#include "cli/frame_monitor.h"
#include "demo/expression_morph.h"
#include "demo/globals.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"
#include "tests/matrix_checks.h"

namespace {

std::vector<FrameStage>& stagesSeen() {
    static std::vector<FrameStage> seen;
    return seen;
}

void recordStage(FrameStage stage) { stagesSeen().push_back(stage); }

// The application's window is the fixture's, active, with what a frame draws with.
class FrameTest : public AppWindowTest {
protected:
    void SetUp() override {
        AppWindowTest::SetUp();
        appWindow.width = 64;
        appWindow.height = 64;
        appWindow.active = true;
        resetDemoGlobals();
        renderFlags = RenderFlags{false, false, false, false};
        multitextureSupported = false;
        fpsFrameCount = 0;
        fpsElapsed = 0;
        skyQuadric = gluNewQuadric();
        stagesSeen().clear();
        addFrameStageListener(recordStage);
    }
    void TearDown() override {
        removeFrameStageListener(recordStage);
        gluDeleteQuadric(skyQuadric);
        skyQuadric = nullptr;
        resetDemoGlobals();
        AppWindowTest::TearDown();
    }

    FixedClock clock;
};

void readPixel(int x, int y, GLubyte rgba[4]) { glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba); }

}  // namespace

TEST_F(FrameTest, FrameDeltaIsTheClockDifferenceAcrossTheWrapAround) {
    lastFrameTime = 1000;
    FixedClock::now() = 1016;
    renderFrame();
    EXPECT_EQ(frameDelta, 16u) << "the time since the last frame";
    EXPECT_EQ(lastFrameTime, 1016u) << "the next frame measures from now";

    FixedClock::now() = 1050;
    renderFrame();
    EXPECT_EQ(frameDelta, 34u) << "measured from the previous frame, not from the start";

    renderFrame();
    EXPECT_EQ(frameDelta, 0u) << "a frame within the same millisecond";

    lastFrameTime = 0xFFFFFFF0u;
    FixedClock::now() = 0x10u;
    renderFrame();
    EXPECT_EQ(frameDelta, 0x20u) << "the difference taken modulo 2^32 when the clock wraps";
    EXPECT_EQ(lastFrameTime, 0x10u);

    const std::vector<FrameStage> order = {FrameStage::Controls, FrameStage::Clear,     FrameStage::SceneRender,
                                           FrameStage::Timing,   FrameStage::FrameRate, FrameStage::Environment,
                                           FrameStage::Overlay,  FrameStage::Morph,     FrameStage::Drawn,
                                           FrameStage::Present};
    ASSERT_EQ(stagesSeen().size(), 4 * order.size()) << "every frame runs every stage";
    EXPECT_TRUE(std::equal(order.begin(), order.end(), stagesSeen().begin())) << "in the frame's fixed order";
}

TEST_F(FrameTest, NothingHappensWhileMinimised) {
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    appWindow.active = false;
    lastFrameTime = 500;
    frameDelta = 20;
    FixedClock::now() = 90000;
    morphElapsed = 19;
    fpsFrameCount = 3;
    fpsElapsed = 100;
    keyState[platform::VK_UP] = 1;
    keyState['T'] = 1;
    const Matrix4 view = camera.matrix;

    for (int i = 0; i < 3; ++i) renderFrame();

    EXPECT_TRUE(stagesSeen().empty()) << "no stage runs, nothing is presented";
    EXPECT_EQ(lastFrameTime, 500u) << "no timing while minimised";
    EXPECT_EQ(frameDelta, 20u);
    EXPECT_EQ(morphElapsed, 19u) << "no morph time gathers";
    EXPECT_EQ(morphStep, 0) << "no morph step";
    EXPECT_EQ(fpsFrameCount, 3) << "skipped frames are not counted";
    EXPECT_EQ(fpsElapsed, 100u);
    EXPECT_EQ(keyState['T'], 1) << "toggle keys wait for the next drawn frame";
    EXPECT_FALSE(renderFlags.texturing);
    expectMatrixNear(camera.matrix, view, 0.0f, "the camera does not move");
    GLubyte pixel[4] = {};
    readPixel(32, 32, pixel);
    EXPECT_EQ(pixel[0], 255) << "the picture is not cleared";
    EXPECT_EQ(pixel[1], 0);

    // Restored after a long pause: activation restarts the clock, so the first frame is a 0 ms frame.
    windowProc(window, platform::WM_ACTIVATE, platform::makeLong(platform::WA_ACTIVE, 0), 0);
    keyState['T'] = 0;
    renderFrame();
    EXPECT_EQ(frameDelta, 0u) << "the pause is never seen";
    expectMatrixNear(camera.matrix, view, 0.0f, "no jump of the camera after the restore");
    EXPECT_EQ(morphStep, 0) << "no jump of the morph after the restore";
}

TEST_F(FrameTest, ControlsUseThePreviousFrameAndTheMorphTheCurrentOne) {
    // The previous frame took 20 ms; this one takes 100 ms.
    frameDelta = 20;
    lastFrameTime = 1000;
    FixedClock::now() = 1100;
    keyState[platform::VK_UP] = 1;
    renderFrame();
    expectVecNear(eyePosition(camera.matrix), Vec3{0.0f, 0.0f, -0.2f}, 1e-6f,
                  "the move uses the previous frame's 20 ms, not this frame's 100 ms");
    EXPECT_EQ(frameDelta, 100u);
    EXPECT_EQ(fpsElapsed, 100u) << "the frame rate gathers this frame's time";
    EXPECT_EQ(morphStep, 1) << "a 100 ms frame takes one step";
    keyState[platform::VK_UP] = 0;

    // A first 20 ms frame after a 0 ms one: its step is taken in the same frame.
    morphStep = 0;
    morphElapsed = 0;
    frameDelta = 0;
    lastFrameTime = 5000;
    FixedClock::now() = 5020;
    renderFrame();
    EXPECT_EQ(morphStep, 1) << "the morph sees the 20 ms measured earlier in the same frame";
    EXPECT_EQ(morphElapsed, 0u);

    FixedClock::now() = 5039;
    renderFrame();
    EXPECT_EQ(morphStep, 1) << "19 ms: no step";
}

TEST_F(FrameTest, AFixedFrameTimeIsEachFramesTimeWhateverTheSystemClockSays) {
    // Started just before the clock wraps; the system's clock (the fixture's) stands still.
    lastFrameTime = 0xFFFFFFF8u;
    FixedClock::now() = 123456;
    Options fixed;
    fixed.frameTimeMs = 5;
    startFrameMonitor(fixed);
    keyState[platform::VK_UP] = 1;
    for (int i = 0; i < 4; ++i) {
        renderFrame();
        EXPECT_EQ(frameDelta, 5u) << "frame " << i << ": one frame time, across the wrap-around too";
    }
    expectVecNear(eyePosition(camera.matrix), Vec3{0.0f, 0.0f, -0.15f}, 1e-6f,
                  "the first frame moves by the 0 ms before it, the three after by 5 ms each");
    EXPECT_EQ(fpsElapsed, 20u) << "the overlay's figure goes by frames";
    EXPECT_EQ(morphStep, 1) << "four 5 ms frames make one 20 ms morph step";

    // An activation (a restore, a new window) reads the fixed clock: one 0 ms frame, then 5 ms again.
    windowProc(window, platform::WM_ACTIVATE, platform::makeLong(platform::WA_ACTIVE, 0), 0);
    renderFrame();
    EXPECT_EQ(frameDelta, 0u) << "no time passes between an activation and the next frame";
    renderFrame();
    EXPECT_EQ(frameDelta, 5u);
    stopFrameMonitor();
}

TEST_F(FrameTest, TheFrameMonitorStopsAfterItsFramesWithTheLastPicture) {
    Options none;
    startFrameMonitor(none);
    renderFrame();
    EXPECT_EQ(stopFrameMonitor().frames, 0) << "asked nothing, it counts nothing";
    EXPECT_TRUE(hasFrameStageListener(recordStage)) << "nor takes another instrument's listener away";

    Options three;
    three.frames = 3;
    three.screenshot = "unused.png";
    startFrameMonitor(three);
    drainMessages();
    for (int i = 0; i < 2; ++i) renderFrame();
    EXPECT_EQ(countQuitMessages(drainMessages(), 0), 0) << "two frames of three: no quit yet";
    EXPECT_TRUE(lastFrame().empty()) << "nothing read back before the last frame";
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    renderFrame();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(countQuitMessages(drainMessages(), 0), 1) << "the third frame posts the quit, with exit code 0";
    ASSERT_EQ(lastFrame().width, 64) << "the last frame read back, the window's size";
    // Cleared red; the overlay's bar (opaque here: this context blends nothing) over the bottom.
    EXPECT_EQ(lastFrame().at(0, 0)[0], 255) << "the top row: the last frame's clear colour";
    EXPECT_EQ(lastFrame().at(0, 63)[0], 0) << "the bottom row: the overlay, drawn before the picture was taken";
    const FrameSummary summary = stopFrameMonitor();
    EXPECT_EQ(summary.frames, 3) << "three frames counted";
    EXPECT_LE(summary.percentile99Ms, summary.worstMs) << "the 99th percentile never exceeds the worst";
    EXPECT_TRUE(hasFrameStageListener(recordStage)) << "its own listener removed, the other kept";
    stagesSeen().clear();
    renderFrame();
    EXPECT_EQ(stagesSeen().size(), static_cast<std::size_t>(FrameStage::Count)) << "each stage told once";
}
