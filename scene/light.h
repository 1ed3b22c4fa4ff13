// One fixed-function GL light: its parameters, its GL slot and its placement under the camera.
#pragma once

#include <GL/gl.h>

#include "scene/scene_node.h"

class Light : public SceneNode {
public:
    Light();

    void resetToDefaults();
    // w becomes 1 for a spot light, 0 for a directional one (x, y, z point towards the light).
    void setPosition(Vec3 p, bool spot);
    void setColours(Rgba ambient, Rgba diffuse, Rgba specular);
    // Claims and enables the first GL light that is not yet enabled.
    bool acquireGlLight();
    // Sends every parameter to the claimed GL light and derives the node matrix.
    void upload();
    // M <- T(-a) x R, where R turns direction d onto (0, 0, -1). A zero d leaves M alone.
    void orient(float ax, float ay, float az, float dx, float dy, float dz);
    // Sends the position (and spot direction) again under the camera's view.
    void place(SceneNode& camera);
    // Current colour <- the diffuse colour with the given alpha.
    void setDrawColour(float alpha);

    GLenum glLight = GL_LIGHT0;
    float position[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    bool spot = false;
    Rgba ambient{0.0f, 0.0f, 0.0f, 1.0f};
    Rgba diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    Rgba specular{1.0f, 1.0f, 1.0f, 1.0f};
    Vec3 spotDirection{0.0f, 0.0f, -1.0f};
    float spotCutoff = 180.0f;
    float spotExponent = 0.0f;
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
};
