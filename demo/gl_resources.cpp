// The demo's GL resources: looked up, set and loaded into the current context.
#include "demo/gl_resources.h"

#include "demo/data_files.h"
#include "demo/globals.h"
#include "platform/gl_proc.h"
#include "platform/message_box.h"

namespace {

constexpr const char* multitextureExtension = "GL_ARB_multitexture";
constexpr GLfloat fogDensity = 0.03f;
constexpr GLfloat fogColour[4] = {0.6f, 0.6f, 0.6f, 1.0f};

}  // namespace

void lookUpMultitexture() {
    activeTextureARB = reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(
        platform::getGLProcAddress("glActiveTextureARB", multitextureExtension));
    multiTexCoord2fARB = reinterpret_cast<PFNGLMULTITEXCOORD2FARBPROC>(
        platform::getGLProcAddress("glMultiTexCoord2fARB", multitextureExtension));
    multitextureSupported = activeTextureARB && multiTexCoord2fARB;
    if (!multitextureSupported) {
        platform::messageBox(nullptr, "Multitexturing not supported!", "INFO", platform::MB_OK);
    }
}

void setUpFog() {
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogf(GL_FOG_DENSITY, fogDensity);
    glFogfv(GL_FOG_COLOR, fogColour);
}

void createSkyQuadric() {
    skyQuadric = gluNewQuadric();
    gluQuadricDrawStyle(skyQuadric, GLU_FILL);
    gluQuadricTexture(skyQuadric, GL_TRUE);
}

void releaseSkyQuadric() {
    if (!skyQuadric) return;
    gluDeleteQuadric(skyQuadric);
    skyQuadric = nullptr;
}

void setUpLight() {
    light.acquireGlLight();
    light.upload();
}

bool loadTextures() {
    if (!rocksTexture.load(rocksFile, true, 3)) return false;
    if (!skyTexture.load(skyFile, false, 1)) return false;
    return lightmapTexture.load(lightmapFile, false, 1);
}
