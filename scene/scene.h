// The lights and meshes of the world and the camera they are seen through.
#pragma once

#include <vector>

class Mesh;
class Light;
class Camera;

class Scene {
public:
    void addMesh(Mesh* mesh);
    void addLight(Light* light);
    void setCamera(Camera* camera);
    // Places the lights, then draws the meshes (both last-added first) through the camera.
    void render(bool textured);

    std::vector<Mesh*> meshes;
    std::vector<Light*> lights;
    Camera* activeCamera = nullptr;
};
