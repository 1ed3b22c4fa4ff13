// The base of everything placed in the world: one 4x4 transform that GL computes for us.
#pragma once

#include "scene/types.h"

// Every transform operation lets the driver do the arithmetic on the modelview matrix and
// reads the result back, so a node's matrix is exactly the product GL would form.
// All operations need a current GL context with GL_MODELVIEW selected.
class SceneNode {
public:
    SceneNode() = default;

    // Multiplies the node's matrix onto the current GL matrix.
    virtual void apply();

    void resetTransform();
    // M <- T(x, y, z) x A, where A is what apply() multiplies.
    void translate(float x, float y, float z);
    // M <- M x R(angle, x, y, z).
    void rotate(float angle, float x, float y, float z);
    // M <- S(s) on a node whose matrix is the identity.
    void scale(float s);

    Matrix4 matrix;
};
