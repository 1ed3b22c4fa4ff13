// The scene container and the per-frame render pass over its lights and meshes.
#include "scene/scene.h"

#include <GL/gl.h>

#include "scene/camera.h"
#include "scene/light.h"
#include "scene/mesh.h"

void Scene::addMesh(Mesh* mesh) {
    if (mesh) meshes.push_back(mesh);
}

void Scene::addLight(Light* light) {
    if (light) lights.push_back(light);
}

void Scene::setCamera(Camera* camera) { activeCamera = camera; }

// Lights first, so every light is fixed in the world before a mesh is lit by it; both lists are
// walked from the last added to the first. Texturing's state is saved and restored around the
// meshes; the client arrays stay enabled, as nothing else draws from arrays.
void Scene::render(bool textured) {
    // Without a camera the world is seen from the origin rather than through a null pointer.
    SceneNode noCamera;
    SceneNode& view = activeCamera ? static_cast<SceneNode&>(*activeCamera) : noCamera;

    for (int i = static_cast<int>(lights.size()) - 1; i >= 0; --i) {
        glLoadIdentity();
        lights[i]->place(view);
    }

    glPushAttrib(GL_TEXTURE_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    if (textured) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    } else {
        glDisable(GL_TEXTURE_2D);
    }

    for (int i = static_cast<int>(meshes.size()) - 1; i >= 0; --i) {
        glLoadIdentity();
        view.apply();
        meshes[i]->draw();
    }

    glPopAttrib();
}
