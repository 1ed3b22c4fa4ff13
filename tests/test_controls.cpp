// Keyboard controls: the moves and turns of one frame for its frame time, the Shift boost, several
// keys in one frame, and the toggle chain with the flags and GL state it changes.
#include <GL/gl.h>

#include <string>

#include "app/controls.h"
#include "app/globals.h"
#include "app/window_proc.h"
#include "demo/globals.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"
#include "tests/matrix_checks.h"

namespace {

constexpr float nearly = 1e-5f;

// The flags at their start values with the GL state initGL gives them.
class ControlsTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        resetDemoGlobals();
        renderFlags = startRenderFlags;
        glEnable(GL_LIGHTING);
        glEnable(GL_FOG);
        glEnable(GL_TEXTURE_2D);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        statusLineVisible = false;
    }
    void TearDown() override {
        resetDemoGlobals();
        statusLineVisible = false;
        GlTest::TearDown();
    }

    // One frame of controls with these keys held for a frame of `ms` milliseconds.
    void frameWith(std::initializer_list<unsigned> keys, std::uint32_t ms) {
        for (unsigned key : keys) keyState[key] = 1;
        frameDelta = ms;
        processControls();
        for (unsigned key : keys) keyState[key] = 0;
    }
};

Matrix4 turnedBy(float degrees) {
    return glProduct([degrees] { glRotatef(degrees, 0.0f, 1.0f, 0.0f); });
}

}  // namespace

TEST_F(ControlsTest, EachHeldKeyMovesOrTurnsByTheFrameTime) {
    frameWith({platform::VK_UP}, 20);
    expectVecNear(eyePosition(camera.matrix), Vec3{0, 0, -0.2f}, nearly, "Up: 0.2 units forward in 20 ms");
    camera = Camera();
    frameWith({platform::VK_DOWN}, 50);
    expectVecNear(eyePosition(camera.matrix), Vec3{0, 0, 0.5f}, nearly, "Down: 0.5 units back in 50 ms");

    camera = Camera();
    frameWith({platform::VK_LEFT}, 20);
    expectMatrixNear(camera.matrix, turnedBy(-2.0f), nearly, "Left: 2 degrees in 20 ms");
    camera = Camera();
    frameWith({platform::VK_RIGHT}, 50);
    expectMatrixNear(camera.matrix, turnedBy(5.0f), nearly, "Right: 5 degrees in 50 ms");

    camera = Camera();
    frameWith({'A'}, 20);
    EXPECT_NEAR(camera.pitch, 1.6f, nearly) << "A: 1.6 degrees of pitch in 20 ms";
    expectMatrixNear(camera.matrix, Matrix4{}, 0.0f, "pitch stays out of the matrix");
    frameWith({'Z'}, 50);
    EXPECT_NEAR(camera.pitch, 1.6f - 4.0f, nearly) << "Z: 4 degrees back in 50 ms";
    frameWith({platform::VK_SPACE}, 20);
    EXPECT_EQ(camera.pitch, 0.0f) << "Space levels the view at once";
    camera.pitch = 89.5f;
    frameWith({'A'}, 20);
    EXPECT_EQ(camera.pitch, 89.5f) << "A stops at the pitch limit";

    camera = Camera();
    frameWith({platform::VK_PRIOR}, 20);
    expectVecNear(eyePosition(camera.matrix), Vec3{0, 0.2f / 3.0f, 0}, nearly, "Page Up: the camera rises");
    camera = Camera();
    frameWith({platform::VK_NEXT}, 30);
    expectVecNear(eyePosition(camera.matrix), Vec3{0, -0.1f, 0}, nearly, "Page Down: the camera sinks");

    // The arguments match what the camera operations give for the same amounts.
    camera = Camera();
    Camera expected;
    camera.yaw(30.0f);
    expected.yaw(30.0f);
    frameWith({platform::VK_UP}, 37);
    expected.moveAlongZ(37.0f * moveSpeed);
    expectMatrixNear(camera.matrix, expected.matrix, 0.0f, "Up after a turn moves along the new heading");
}

TEST_F(ControlsTest, ShiftAddsOneUnitPerFrameToTheMovesOnly) {
    frameWith({platform::VK_SHIFT, platform::VK_UP}, 20);
    expectVecNear(eyePosition(camera.matrix), Vec3{0, 0, -1.2f}, nearly, "Shift+Up: 0.2 + 1");
    camera = Camera();
    frameWith({platform::VK_SHIFT, platform::VK_UP}, 1000);
    expectVecNear(eyePosition(camera.matrix), Vec3{0, 0, -11.0f}, 1e-4f, "Shift+Up in a second-long frame: 10 + 1");
    camera = Camera();
    frameWith({platform::VK_SHIFT, platform::VK_DOWN}, 20);
    expectVecNear(eyePosition(camera.matrix), Vec3{0, 0, 1.2f}, nearly, "Shift+Down");
    camera = Camera();
    frameWith({platform::VK_SHIFT, platform::VK_PRIOR}, 30);
    expectVecNear(eyePosition(camera.matrix), Vec3{0, 1.1f, 0}, nearly, "Shift+Page Up: 0.1 + 1");
    camera = Camera();
    frameWith({platform::VK_SHIFT, platform::VK_NEXT}, 30);
    expectVecNear(eyePosition(camera.matrix), Vec3{0, -1.1f, 0}, nearly, "Shift+Page Down");

    camera = Camera();
    frameWith({platform::VK_SHIFT, platform::VK_LEFT}, 20);
    expectMatrixNear(camera.matrix, turnedBy(-2.0f), nearly, "Shift does not speed up turning");
    frameWith({platform::VK_SHIFT, 'A'}, 20);
    EXPECT_NEAR(camera.pitch, 1.6f, nearly) << "nor the pitch";

    // A second at a steady 60 frames per second: 10 units, and 60 more with Shift.
    camera = Camera();
    for (int frame = 0; frame < 60; ++frame) frameWith({platform::VK_UP}, frame < 40 ? 17 : 16);
    EXPECT_NEAR(eyePosition(camera.matrix).z, -10.0f, 1e-3f) << "10 units per second";
    camera = Camera();
    for (int frame = 0; frame < 60; ++frame) frameWith({platform::VK_SHIFT, platform::VK_UP}, frame < 40 ? 17 : 16);
    EXPECT_NEAR(eyePosition(camera.matrix).z, -70.0f, 1e-3f) << "one unit per frame more with Shift";
}

TEST_F(ControlsTest, SeveralHeldKeysActInTheSameFrameInTheirOrder) {
    frameWith({platform::VK_UP, platform::VK_LEFT}, 20);
    const float step = 20.0f * moveSpeed;
    Camera expected;
    expected.moveAlongZ(step);
    expected.yaw(-10.0f * step);
    expectMatrixNear(camera.matrix, expected.matrix, 0.0f, "Up and Left: the move, then the turn");
    EXPECT_NE(eyePosition(camera.matrix).z, 0.0f) << "the move is not lost";

    camera = Camera();
    frameWith({platform::VK_UP, platform::VK_DOWN}, 20);
    expectVecNear(eyePosition(camera.matrix), Vec3{}, nearly, "Up and Down cancel");

    camera = Camera();
    frameWith({'A', platform::VK_SPACE}, 20);
    EXPECT_EQ(camera.pitch, 0.0f) << "Space levels after A in the same frame";

    frameWith({platform::VK_RIGHT, platform::VK_NEXT, 'Z'}, 10);
    const float shortStep = 10.0f * moveSpeed;
    Camera three;
    three.yaw(10.0f * shortStep);
    three.moveAlongY(0.33333334f * shortStep);
    expectMatrixNear(camera.matrix, three.matrix, 0.0f, "Right and Page Down together");
    EXPECT_NEAR(camera.pitch, -0.8f, nearly) << "and Z in the same frame";
}

TEST_F(ControlsTest, EachToggleFlipsItsFlagAndTheGlStateOncePerPress) {
    struct Toggle {
        unsigned key;
        bool* flag;
        GLenum capability;
    };
    const Toggle toggles[] = {
        {'T', &renderFlags.texturing, GL_TEXTURE_2D},
        {'L', &renderFlags.lighting, GL_LIGHTING},
        {'F', &renderFlags.fog, GL_FOG},
    };
    for (const Toggle& t : toggles) {
        const std::string key(1, static_cast<char>(t.key));
        keyState[t.key] = 1;
        frameDelta = 20;
        processControls();
        EXPECT_FALSE(*t.flag) << key << " switches its flag off";
        EXPECT_FALSE(glIsEnabled(t.capability)) << key << " switches the GL state off";
        EXPECT_EQ(keyState[t.key], 0) << key << "'s slot is cleared once handled";
        processControls();
        EXPECT_FALSE(*t.flag) << key << " held without a new key-down message toggles once";
        keyState[t.key] = 1;
        processControls();
        EXPECT_TRUE(*t.flag) << key << " again switches it on";
        EXPECT_TRUE(glIsEnabled(t.capability)) << key << " again enables the GL state";
    }

    keyState['W'] = 1;
    processControls();
    EXPECT_TRUE(renderFlags.wireframe) << "W: wireframe on";
    EXPECT_EQ(polygonMode(0), static_cast<GLenum>(GL_LINE)) << "front faces as lines";
    EXPECT_EQ(polygonMode(1), static_cast<GLenum>(GL_LINE)) << "back faces as lines";
    keyState['W'] = 1;
    processControls();
    EXPECT_FALSE(renderFlags.wireframe) << "W again: filled";
    EXPECT_EQ(polygonMode(0), static_cast<GLenum>(GL_FILL));
    EXPECT_EQ(polygonMode(1), static_cast<GLenum>(GL_FILL));

    keyState['I'] = 1;
    processControls();
    EXPECT_TRUE(statusLineVisible) << "I shows the status line";
    EXPECT_EQ(keyState['I'], 0);
    keyState['I'] = 1;
    processControls();
    EXPECT_FALSE(statusLineVisible) << "I again hides it";
}

TEST_F(ControlsTest, ToggleKeysOfOneFrameFollowTheirPriority) {
    keyState['I'] = 1;
    keyState['L'] = 1;
    processControls();
    EXPECT_TRUE(statusLineVisible) << "I and L together: I in this frame";
    EXPECT_TRUE(renderFlags.lighting) << "L waits";
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(keyState['L'], 1) << "L's slot stays set";
    processControls();
    EXPECT_FALSE(renderFlags.lighting) << "L in the next frame";
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(keyState['L'], 0);

    keyState['F'] = 1;
    keyState['W'] = 1;
    processControls();
    EXPECT_FALSE(renderFlags.fog) << "F and W together: both in the same frame";
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(renderFlags.wireframe);
    EXPECT_EQ(polygonMode(0), static_cast<GLenum>(GL_LINE));

    keyState['T'] = 1;
    keyState['W'] = 1;
    keyState['F'] = 1;
    processControls();
    EXPECT_FALSE(renderFlags.texturing) << "T first";
    EXPECT_FALSE(renderFlags.fog) << "F waits behind T";
    EXPECT_TRUE(renderFlags.wireframe) << "W waits when T acted";
    processControls();
    EXPECT_TRUE(renderFlags.fog) << "F and W in the next frame";
    EXPECT_FALSE(renderFlags.wireframe);
    EXPECT_EQ(polygonMode(1), static_cast<GLenum>(GL_FILL));

    // A press and release that both arrive before a frame are not seen.
    windowProc(nullptr, platform::WM_KEYDOWN, 'L', 0);
    windowProc(nullptr, platform::WM_KEYUP, 'L', 0);
    processControls();
    EXPECT_FALSE(renderFlags.lighting) << "a press released before the frame does nothing";
}

TEST_F(ControlsTest, AZeroFrameMovesNothingExceptTheShiftBoost) {
    frameWith({platform::VK_UP, platform::VK_LEFT, 'A', platform::VK_PRIOR}, 0);
    expectMatrixNear(camera.matrix, Matrix4{}, 0.0f, "a 0 ms frame neither moves nor turns");
    EXPECT_EQ(camera.pitch, 0.0f) << "nor tilts";

    frameWith({platform::VK_SHIFT, platform::VK_UP}, 0);
    expectVecNear(eyePosition(camera.matrix), Vec3{0, 0, -1.0f}, nearly, "Shift with Up still moves one unit");
    camera = Camera();
    frameWith({platform::VK_SHIFT, platform::VK_RIGHT, 'Z'}, 0);
    expectMatrixNear(camera.matrix, Matrix4{}, 0.0f, "Shift alone gives turning nothing");
    EXPECT_EQ(camera.pitch, 0.0f);
}
