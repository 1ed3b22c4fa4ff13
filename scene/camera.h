// The viewer: heading and position in the node's matrix, the up/down tilt kept apart as pitch.
#pragma once

#include "scene/scene_node.h"

class Camera : public SceneNode {
public:
    // Multiplies R(pitch, 1, 0, 0) x M onto the current matrix.
    void apply() override;

    // Accepts the new pitch only when it stays within the limits (inclusive); never clamps.
    void addPitch(float delta);
    void levelPitch();
    // Positive angles turn the view to the right, about the world's vertical through the eye.
    void yaw(float angle);
    // Positive distances move the eye forward along its heading.
    void moveAlongZ(float distance);
    // Positive distances lower the eye.
    void moveAlongY(float distance);

    float pitch = 0.0f;
    float pitchMargin = 0.0f;
};
