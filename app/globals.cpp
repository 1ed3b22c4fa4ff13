// Every long-lived object of the process, constructed in this order before main and
// destroyed in reverse after it returns.
#include "app/globals.h"

GLWindow appWindow;
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
bool statusLineVisible = false;
KeyState keyState;
std::uint32_t lastFrameTime = 0;
std::uint32_t frameDelta = 0;
GLuint fontListBase = 0;
bool firstInit = true;
bool multitextureSupported = false;
PFNGLACTIVETEXTUREARBPROC activeTextureARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC multiTexCoord2fARB = nullptr;
GLUquadric* skyQuadric = nullptr;
