// Ground (multitextured when the driver can), sky sphere, world axes and the light line.
#include "demo/environment.h"

#include "demo/globals.h"

namespace {

constexpr GLint axisLength = 10;
constexpr GLfloat lineWidth = 2.0f;
constexpr GLint groundHalfSize = 100;
constexpr GLint groundHeight = -1;
constexpr GLint rockRepeats = 20;
constexpr GLdouble skyRadius = 100.0;
constexpr GLint skySlices = 20;
constexpr GLint skyStacks = 20;

struct GroundCorner {
    GLint x, z;          // world position on the ground plane
    GLint rockS, rockT;  // unit 0: the rock texture, repeated
    GLint mapS, mapT;    // unit 1: the lightmap, stretched once
};

// Counter-clockwise seen from above.
constexpr GroundCorner groundCorners[4] = {
    {-groundHalfSize, groundHalfSize, 0, 0, 0, 0},
    {groundHalfSize, groundHalfSize, rockRepeats, 0, 1, 0},
    {groundHalfSize, -groundHalfSize, rockRepeats, rockRepeats, 1, 1},
    {-groundHalfSize, -groundHalfSize, 0, rockRepeats, 0, 1},
};

void drawAxesAndLightLine() {
    glPushAttrib(GL_TEXTURE_BIT);
    glDisable(GL_TEXTURE_2D);
    glLineWidth(lineWidth);
    glLoadIdentity();
    camera.apply();
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3i(0, 0, 0);
    glVertex3i(axisLength, 0, 0);
    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex3i(0, 0, 0);
    glVertex3i(0, axisLength, 0);
    glColor3f(0.0f, 0.0f, 1.0f);
    glVertex3i(0, 0, 0);
    glVertex3i(0, 0, axisLength);
    light.setDrawColour(1.0f);
    glVertex3i(0, 0, 0);
    glVertex3f(light.position[0], light.position[1], light.position[2]);
    glEnd();
    // Line width is not among the pushed attributes.
    glLineWidth(1.0f);
    glPopAttrib();
}

void drawMultitexturedGround() {
    glPushAttrib(GL_TEXTURE_BIT);
    if (renderFlags.texturing) {
        activeTextureARB(GL_TEXTURE0_ARB);
        glEnable(GL_TEXTURE_2D);
        rocksTexture.bind();
        activeTextureARB(GL_TEXTURE1_ARB);
        glEnable(GL_TEXTURE_2D);
        lightmapTexture.bind();
    }
    glBegin(GL_QUADS);
    for (const GroundCorner& c : groundCorners) {
        multiTexCoord2fARB(GL_TEXTURE0_ARB, static_cast<GLfloat>(c.rockS), static_cast<GLfloat>(c.rockT));
        multiTexCoord2fARB(GL_TEXTURE1_ARB, static_cast<GLfloat>(c.mapS), static_cast<GLfloat>(c.mapT));
        glVertex3i(c.x, groundHeight, c.z);
    }
    glEnd();
    glPopAttrib();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    if (renderFlags.texturing) {
        activeTextureARB(GL_TEXTURE0_ARB);
        glEnable(GL_TEXTURE_2D);
        skyTexture.bind();
    }
}

// Without multitexturing the ground has the rock texture alone; texturing follows GL_TEXTURE_2D.
void drawSingleTexturedGround() {
    rocksTexture.bind();
    glBegin(GL_QUADS);
    for (const GroundCorner& c : groundCorners) {
        glTexCoord2i(c.rockS, c.rockT);
        glVertex3i(c.x, groundHeight, c.z);
    }
    glEnd();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    skyTexture.bind();
}

}  // namespace

void drawEnvironment() {
    drawAxesAndLightLine();

    glPushAttrib(GL_LIGHTING_BIT);
    glDisable(GL_LIGHTING);
    glLoadIdentity();
    camera.apply();
    glColor3f(1.0f, 1.0f, 1.0f);
    if (multitextureSupported) {
        drawMultitexturedGround();
    } else {
        drawSingleTexturedGround();
    }
    // The rotation above turns the quadric's pole axis onto the world's vertical.
    gluSphere(skyQuadric, skyRadius, skySlices, skyStacks);
    glPopAttrib();
}
