// A fixed-function GL light: claiming a GL slot, sending the parameters, and the node frame.
#include "scene/light.h"

#include <cmath>

namespace {

// The light's frame is built by turning its direction onto -Z.
constexpr float referenceDirection[3] = {0.0f, 0.0f, -1.0f};
// Radians to degrees as the light has always converted them: about 1.00019 times 180/pi,
// so every frame is turned that much further than the true angle.
constexpr float degreesPerRadian = 57.30659f;

}  // namespace

Light::Light() {
    glLight = GL_LIGHT0;
    resetToDefaults();
}

void Light::resetToDefaults() {
    resetTransform();
    position[0] = 0.0f;
    position[1] = 0.0f;
    position[2] = 1.0f;
    position[3] = 0.0f;
    spot = false;
    ambient = Rgba{0.0f, 0.0f, 0.0f, 1.0f};
    diffuse = Rgba{1.0f, 1.0f, 1.0f, 1.0f};
    specular = Rgba{1.0f, 1.0f, 1.0f, 1.0f};
    spotDirection = Vec3{0.0f, 0.0f, -1.0f};
    spotCutoff = 180.0f;
    spotExponent = 0.0f;
    constantAttenuation = 1.0f;
    linearAttenuation = 0.0f;
    quadraticAttenuation = 0.0f;
}

void Light::setPosition(Vec3 p, bool isSpot) {
    position[0] = p.x;
    position[1] = p.y;
    position[2] = p.z;
    position[3] = isSpot ? 1.0f : 0.0f;
    spot = isSpot;
}

void Light::setColours(Rgba newAmbient, Rgba newDiffuse, Rgba newSpecular) {
    ambient = newAmbient;
    diffuse = newDiffuse;
    specular = newSpecular;
}

bool Light::acquireGlLight() {
    GLint count = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &count);
    for (GLint i = 0; i < count; ++i) {
        const GLenum candidate = GL_LIGHT0 + static_cast<GLenum>(i);
        GLboolean enabled = GL_TRUE;
        glGetBooleanv(candidate, &enabled);
        if (!enabled) {
            glLight = candidate;
            glEnable(candidate);
            return true;
        }
    }
    return false;
}

void Light::upload() {
    glLightfv(glLight, GL_POSITION, position);
    glLightfv(glLight, GL_AMBIENT, &ambient.r);
    glLightfv(glLight, GL_DIFFUSE, &diffuse.r);
    glLightfv(glLight, GL_SPECULAR, &specular.r);
    if (spot) {
        glLightfv(glLight, GL_SPOT_DIRECTION, &spotDirection.x);
        glLightf(glLight, GL_SPOT_CUTOFF, spotCutoff);
        glLightf(glLight, GL_SPOT_EXPONENT, spotExponent);
    }
    glLightf(glLight, GL_CONSTANT_ATTENUATION, constantAttenuation);
    glLightf(glLight, GL_LINEAR_ATTENUATION, linearAttenuation);
    glLightf(glLight, GL_QUADRATIC_ATTENUATION, quadraticAttenuation);

    // The spot's frame has its origin at the light and its -Z along the beam; the z of the
    // direction is deliberately not negated. A directional light only turns its direction.
    if (spot) {
        orient(-position[0], -position[1], -position[2], -spotDirection.x, -spotDirection.y, spotDirection.z);
    } else {
        orient(0.0f, 0.0f, 0.0f, position[0], position[1], position[2]);
    }
}

void Light::orient(float ax, float ay, float az, float dx, float dy, float dz) {
    const float* r = referenceDirection;
    const double length = std::sqrt(double(dx) * dx + double(dy) * dy + double(dz) * dz);
    // A zero direction has no rotation that turns it onto the reference: keep the frame.
    if (!(length > 0.0)) return;

    // d lies on the reference axis when it is a non-zero multiple of it; the cross product
    // vanishes there, so any axis perpendicular to -Z serves.
    const float k = dz / r[2];
    float axis[3] = {1.0f, 0.0f, 0.0f};
    const bool onReferenceAxis = dx == k * r[0] && dy == k * r[1] && dz == k * r[2] && k != 0.0f;
    if (!onReferenceAxis) {
        axis[0] = dy * r[2] - dz * r[1];
        axis[1] = dz * r[0] - dx * r[2];
        axis[2] = dx * r[1] - dy * r[0];
    }
    const float angle = static_cast<float>(std::acos(-dz / length) * degreesPerRadian);

    glLoadIdentity();
    glTranslatef(-ax, -ay, -az);
    glRotatef(angle, axis[0], axis[1], axis[2]);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
}

void Light::place(SceneNode& camera) {
    glLoadIdentity();
    camera.apply();
    glLightfv(glLight, GL_POSITION, position);
    if (spot) {
        glLightfv(glLight, GL_SPOT_DIRECTION, &spotDirection.x);
        apply();
    }
}

void Light::setDrawColour(float alpha) { glColor4f(diffuse.r, diffuse.g, diffuse.b, alpha); }
