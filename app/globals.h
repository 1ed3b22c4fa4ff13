// The process-wide objects and application state, defined together in globals.cpp.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cstdint>
#include <vector>

#include "app/gl_window.h"
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

// One slot per Windows virtual-key code: 1 while the key is down.
struct KeyState {
    std::int32_t slots[256] = {};
    std::int32_t& operator[](unsigned key) { return slots[key & 0xFF]; }
};

extern GLWindow appWindow;
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
extern bool statusLineVisible;
extern KeyState keyState;
extern std::uint32_t lastFrameTime;
extern std::uint32_t frameDelta;
extern GLuint fontListBase;  // 0: no glyph lists
extern bool firstInit;
extern bool multitextureSupported;
extern PFNGLACTIVETEXTUREARBPROC activeTextureARB;
extern PFNGLMULTITEXCOORD2FARBPROC multiTexCoord2fARB;
extern GLUquadric* skyQuadric;
