// The objects the demo content draws and animates, defined together in globals.cpp: the scene
// and what it lists, the textures, the render flags, the frame time and the multitexture
// entry points.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cstdint>
#include <vector>

#include "assets/texture.h"
#include "scene/camera.h"
#include "scene/light.h"
#include "scene/mesh.h"
#include "scene/scene.h"

struct RenderFlags {
    bool lighting = false;
    bool fog = false;
    bool wireframe = false;
    bool texturing = false;
};

// What the program starts with: lit, fogged, textured, filled.
constexpr RenderFlags startRenderFlags = [] {
    RenderFlags flags;
    flags.lighting = true;
    flags.fog = true;
    flags.wireframe = false;
    flags.texturing = true;
    return flags;
}();

extern Camera camera;
extern Mesh smileMesh;
extern Mesh rageMesh;
extern Mesh closedMesh;
extern Mesh faceMesh;
extern Light light;
extern Texture rocksTexture;
extern Texture skyTexture;
extern Texture lightmapTexture;
extern Scene scene;
extern std::vector<Vec3> smileDeltas;
extern std::vector<Vec3> rageDeltas;

extern RenderFlags renderFlags;
extern std::uint32_t frameDelta;  // milliseconds between the last two frames
extern bool multitextureSupported;
extern PFNGLACTIVETEXTUREARBPROC activeTextureARB;
extern PFNGLMULTITEXCOORD2FARBPROC multiTexCoord2fARB;
extern GLUquadric* skyQuadric;
