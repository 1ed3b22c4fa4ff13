// The camera: yaw and moves go into the matrix, the tilt stays a separate angle.
#include "scene/camera.h"

#include <GL/gl.h>

namespace {

// The tilt may reach straight up or straight down, minus the camera's margin.
constexpr float pitchLimit = 90.0f;

}  // namespace

void Camera::apply() {
    glRotatef(pitch, 1.0f, 0.0f, 0.0f);
    glMultMatrixf(matrix.data());
}

void Camera::addPitch(float delta) {
    const float candidate = pitch + delta;
    if (candidate > pitchLimit - pitchMargin) return;
    if (candidate < pitchMargin - pitchLimit) return;
    pitch = candidate;
}

void Camera::levelPitch() { pitch = 0.0f; }

void Camera::yaw(float angle) {
    glLoadIdentity();
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    glMultMatrixf(matrix.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
}

void Camera::moveAlongZ(float distance) {
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, distance);
    glMultMatrixf(matrix.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
}

void Camera::moveAlongY(float distance) {
    glLoadIdentity();
    glTranslatef(0.0f, distance, 0.0f);
    glMultMatrixf(matrix.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
}
