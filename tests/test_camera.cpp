// Camera: the pitch limits, and where yaw and the moves put the eye in the world.
#include <GL/gl.h>

#include "scene/camera.h"
#include "tests/gl_test_context.h"
#include "tests/matrix_checks.h"

namespace {

constexpr float nearly = 1e-5f;

}  // namespace

TEST(CameraPitch, LimitsAreInclusiveAndRefusedNotClamped) {
    Camera camera;
    camera.addPitch(90.0f);
    EXPECT_EQ(camera.pitch, 90.0f) << "the upper limit itself is accepted";
    camera.addPitch(0.5f);
    EXPECT_EQ(camera.pitch, 90.0f) << "a step past the upper limit is refused";

    Camera straight;
    straight.addPitch(100.0f);
    EXPECT_EQ(straight.pitch, 0.0f) << "a change past the limit is refused as a whole, not clamped";

    Camera tilted;
    tilted.addPitch(85.0f);
    tilted.addPitch(10.0f);
    EXPECT_EQ(tilted.pitch, 85.0f) << "85 + 10 is refused";
    tilted.addPitch(5.0f);
    EXPECT_EQ(tilted.pitch, 90.0f) << "85 + 5 reaches the limit";

    Camera down;
    down.addPitch(-89.0f);
    down.addPitch(-1.0f);
    EXPECT_EQ(down.pitch, -90.0f) << "the lower limit itself is accepted";
    down.addPitch(-0.001f);
    EXPECT_EQ(down.pitch, -90.0f) << "the smallest step past the lower limit is refused";

    down.levelPitch();
    EXPECT_EQ(down.pitch, 0.0f) << "levelPitch brings the tilt back to 0";
}

TEST_F(GlTest, ApplyPutsThePitchInFrontOfTheView) {
    Camera camera;
    glLoadIdentity();
    camera.apply();
    expectMatrixNear(currentModelview(), Matrix4{}, 0.0f, "a new camera applies the identity");

    camera.yaw(30.0f);
    camera.moveAlongZ(2.0f);
    const Matrix4 view = camera.matrix;
    camera.addPitch(20.0f);
    camera.levelPitch();
    expectMatrixNear(camera.matrix, view, 0.0f, "tilting and levelling leave the matrix alone");

    camera.addPitch(20.0f);
    glLoadIdentity();
    camera.apply();
    expectMatrixNear(currentModelview(), glProduct([&view] {
                         glRotatef(20.0f, 1.0f, 0.0f, 0.0f);
                         glMultMatrixf(view.data());
                     }),
                     nearly, "apply gives R(pitch, 1, 0, 0) x M");

    Camera level;
    level.addPitch(10.0f);
    glLoadIdentity();
    level.apply();
    EXPECT_GT(transformed(currentModelview(), 0.0f, 0.0f, -5.0f, 1.0f).y, 0.0f)
        << "a positive pitch tilts the view down: a point straight ahead moves up";

    Camera pitched;
    pitched.addPitch(30.0f);
    pitched.translate(1.0f, 2.0f, 3.0f);
    expectMatrixNear(pitched.matrix, glProduct([] {
                         glTranslatef(1.0f, 2.0f, 3.0f);
                         glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
                     }),
                     nearly, "translate on a tilted camera takes the pitch into the matrix");
}

TEST_F(GlTest, YawAndMovesPlaceTheEye) {
    Camera turned;
    turned.yaw(90.0f);
    turned.moveAlongZ(1.0f);
    expectMatrixNear(turned.matrix, glProduct([] {
                         glTranslatef(0.0f, 0.0f, 1.0f);
                         glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
                     }),
                     nearly, "yaw(90) then moveAlongZ(1) is T(0, 0, 1) x R(90, 0, 1, 0)");
    expectMatrixNear(currentModelview(), turned.matrix, 0.0f, "the moved view is left loaded");
    expectVecNear(eyePosition(turned.matrix), Vec3{1.0f, 0.0f, 0.0f}, nearly, "the eye stepped forward to +X");
    const Vec3 eyeForward = transformed(turned.matrix, 1.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_NEAR(eyeForward.z, -1.0f, nearly) << "world +X is straight ahead (eye -Z)";

    Camera right;
    right.yaw(10.0f);
    EXPECT_LT(transformed(right.matrix, 0.0f, 0.0f, -5.0f, 1.0f).x, 0.0f)
        << "a positive yaw turns right: a point straight ahead moves to the left";

    Camera tilted;
    tilted.addPitch(45.0f);
    tilted.moveAlongZ(1.0f);
    expectVecNear(eyePosition(tilted.matrix), Vec3{0.0f, 0.0f, -1.0f}, nearly,
                  "moves stay horizontal whatever the pitch");

    Camera lowered;
    lowered.moveAlongY(-2.0f);
    expectVecNear(eyePosition(lowered.matrix), Vec3{0.0f, 2.0f, 0.0f}, nearly, "a negative moveAlongY raises the eye");
    lowered.moveAlongY(3.0f);
    expectVecNear(eyePosition(lowered.matrix), Vec3{0.0f, -1.0f, 0.0f}, nearly, "a positive moveAlongY lowers it");

    Camera start;
    start.translate(0.0f, -3.0f, -25.0f);
    expectVecNear(eyePosition(start.matrix), Vec3{0.0f, 3.0f, 25.0f}, nearly, "the start position");
    const Vec3 lookAlong = transformed(start.matrix, 0.0f, 0.0f, -1.0f, 0.0f);
    expectVecNear(lookAlong, Vec3{0.0f, 0.0f, -1.0f}, nearly, "still looking along world -Z");
}
