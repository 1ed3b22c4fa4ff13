// Scene node transforms: what GL computes for translate, rotate and scale, and in which order.
#include <GL/gl.h>

#include "scene/scene_node.h"
#include "tests/gl_test_context.h"
#include "tests/matrix_checks.h"

namespace {

constexpr float exact = 0.0f;
constexpr float nearly = 1e-6f;

}  // namespace

TEST_F(GlTest, ApplyMultipliesTheNodeOntoTheCurrentMatrix) {
    SceneNode node;
    const Matrix4 loaded = glProduct([] { glTranslatef(4.0f, 5.0f, 6.0f); });
    node.apply();
    expectMatrixNear(currentModelview(), loaded, exact, "a new node applies the identity");

    node.rotate(90.0f, 0.0f, 0.0f, 1.0f);
    const Matrix4 expected = glProduct([] {
        glTranslatef(4.0f, 5.0f, 6.0f);
        glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    });
    glLoadIdentity();
    glTranslatef(4.0f, 5.0f, 6.0f);
    node.apply();
    expectMatrixNear(currentModelview(), expected, nearly, "apply multiplies on the right of what is loaded");
}

TEST_F(GlTest, TranslateGoesOutsideAndRotateInsideTheNode) {
    SceneNode moved;
    moved.translate(1.0f, 2.0f, 3.0f);
    Matrix4 expected;
    expected[12] = 1.0f;
    expected[13] = 2.0f;
    expected[14] = 3.0f;
    expectMatrixNear(moved.matrix, expected, exact, "translate on a new node is a pure translation");
    expectMatrixNear(currentModelview(), moved.matrix, exact, "translate leaves the new matrix loaded");
    moved.translate(1.0f, 0.0f, 0.0f);
    expected[12] = 2.0f;
    expectMatrixNear(moved.matrix, expected, exact, "translations add up");

    SceneNode turned;
    turned.rotate(90.0f, 0.0f, 1.0f, 0.0f);
    expectMatrixNear(currentModelview(), turned.matrix, exact, "rotate leaves the new matrix loaded");
    turned.translate(1.0f, 0.0f, 0.0f);
    EXPECT_NEAR(turned.matrix[12], 1.0f, nearly) << "the translation is not turned by the node's rotation";
    EXPECT_NEAR(turned.matrix[13], 0.0f, nearly) << "translation y";
    EXPECT_NEAR(turned.matrix[14], 0.0f, nearly) << "translation z";
    EXPECT_NEAR(turned.matrix[8], 1.0f, nearly) << "the rotation about Y is kept (row 0, column 2)";
    EXPECT_NEAR(turned.matrix[2], -1.0f, nearly) << "the rotation about Y is kept (row 2, column 0)";

    SceneNode raised;
    raised.translate(0.0f, 10.0f, 0.0f);
    raised.rotate(30.0f, 1.0f, 0.0f, 0.0f);
    expectMatrixNear(raised.matrix, glProduct([] {
                         glTranslatef(0.0f, 10.0f, 0.0f);
                         glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
                     }),
                     nearly, "rotate turns the node about its own origin: T x R");
    EXPECT_FLOAT_EQ(raised.matrix[13], 10.0f) << "rotating keeps the node's position";
}

TEST_F(GlTest, ScaleThenPlaceGivesTranslationScaleRotation) {
    const float s = 1.0f / 30.0f;
    SceneNode node;
    node.scale(s);
    EXPECT_EQ(node.matrix[0], 0.033333335f) << "x scale in single precision";
    EXPECT_EQ(node.matrix[5], 0.033333335f) << "y scale";
    EXPECT_EQ(node.matrix[10], 0.033333335f) << "z scale";
    EXPECT_EQ(node.matrix[15], 1.0f) << "w is not scaled";
    expectMatrixNear(currentModelview(), node.matrix, exact, "scale leaves the new matrix loaded");

    node.translate(0.0f, 10.0f, 0.0f);
    node.rotate(30.0f, 1.0f, 0.0f, 0.0f);
    const Matrix4 expected = glProduct([s] {
        glTranslatef(0.0f, 10.0f, 0.0f);
        glScalef(s, s, s);
        glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
    });
    expectMatrixNear(node.matrix, expected, nearly, "scaled, moved and turned: T x S x R");
    EXPECT_FLOAT_EQ(node.matrix[13], 10.0f) << "the translation is not scaled";

    node.resetTransform();
    expectMatrixNear(node.matrix, Matrix4{}, exact, "resetTransform gives the identity");
}
