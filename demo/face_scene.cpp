// Set-up of the face scene: meshes, their placement, the light and the start camera.
#include "demo/face_scene.h"

#include "demo/data_files.h"
#include "demo/expression_morph.h"
#include "demo/globals.h"

namespace {

constexpr Vec3 faceLift{0.0f, 10.0f, 0.0f};
constexpr float faceTiltDegrees = 30.0f;
constexpr Vec3 lightPosition{-5.0f, -10.0f, 5.0f};
constexpr Rgba lightAmbient{0.2f, 0.2f, 0.2f, 1.0f};
constexpr Rgba lightDiffuse{0.7f, 0.5f, 0.5f, 1.0f};
constexpr Rgba lightSpecular{0.0f, 0.0f, 0.0f, 1.0f};
constexpr Vec3 cameraStart{0.0f, -3.0f, -25.0f};

}  // namespace

bool buildFaceScene() {
    if (!smileMesh.load(smileFile)) return false;
    smileMesh.scale(faceScale);
    smileMesh.colour = faceColour;
    scene.addMesh(&smileMesh);

    if (!rageMesh.load(rageFile)) return false;
    rageMesh.scale(faceScale);
    rageMesh.colour = faceColour;
    scene.addMesh(&rageMesh);

    if (!closedMesh.load(closedFile)) return false;
    closedMesh.colour = faceColour;

    copyMesh(closedMesh, faceMesh);
    faceMesh.scale(faceScale);
    faceMesh.translate(faceLift.x, faceLift.y, faceLift.z);
    faceMesh.rotate(faceTiltDegrees, 1.0f, 0.0f, 0.0f);
    scene.addMesh(&faceMesh);

    if (!buildMorphTables()) return false;

    light.setPosition(lightPosition, false);
    light.setColours(lightAmbient, lightDiffuse, lightSpecular);
    scene.addLight(&light);

    camera.translate(cameraStart.x, cameraStart.y, cameraStart.z);
    scene.setCamera(&camera);
    return true;
}
