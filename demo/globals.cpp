// The demo content's long-lived objects, constructed in this order before main and destroyed
// in reverse after it returns.
#include "demo/globals.h"

Camera camera;
Mesh smileMesh;
Mesh rageMesh;
Mesh closedMesh;
Mesh faceMesh;
Light light;
Texture rocksTexture;
Texture skyTexture;
Texture lightmapTexture;
Scene scene;
std::vector<Vec3> smileDeltas;
std::vector<Vec3> rageDeltas;

RenderFlags renderFlags;
std::uint32_t frameDelta = 0;
bool multitextureSupported = false;
PFNGLACTIVETEXTUREARBPROC activeTextureARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC multiTexCoord2fARB = nullptr;
GLUquadric* skyQuadric = nullptr;
