// Ground, sky and axes: the GL state they leave behind in both ground paths, and the plain white
// ground and sky with texturing off.
#include <GL/gl.h>
#include <GL/glu.h>

#include <string>

#include "demo/environment.h"
#include "demo/globals.h"
#include "platform/gl_proc.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"

namespace {

constexpr int side = 64;

std::string dataFile(const char* name) { return std::string(FACEDEMO_DATA_DIR) + "/" + name; }

// The demo's view from the start camera with the real textures, the light and the sky quadric.
class EnvironmentTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        resetDemoGlobals();
        MessageBoxRecorder boxes;
        ASSERT_TRUE(rocksTexture.load(dataFile("rocks.bmp").c_str(), true, 3));
        ASSERT_TRUE(skyTexture.load(dataFile("sunsetclouds.bmp").c_str(), false, 1));
        ASSERT_TRUE(lightmapTexture.load(dataFile("Lightmap.bmp").c_str(), false, 1));
        activeTextureARB = reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(
            platform::getGLProcAddress("glActiveTextureARB", "GL_ARB_multitexture"));
        multiTexCoord2fARB = reinterpret_cast<PFNGLMULTITEXCOORD2FARBPROC>(
            platform::getGLProcAddress("glMultiTexCoord2fARB", "GL_ARB_multitexture"));
        ASSERT_NE(activeTextureARB, nullptr) << "the driver offers multitexturing";
        ASSERT_NE(multiTexCoord2fARB, nullptr);
        skyQuadric = gluNewQuadric();
        gluQuadricDrawStyle(skyQuadric, GLU_FILL);
        gluQuadricTexture(skyQuadric, GL_TRUE);

        light.setPosition(Vec3{-5.0f, -10.0f, 5.0f}, false);
        light.setColours(Rgba{0.2f, 0.2f, 0.2f, 1.0f}, Rgba{0.7f, 0.5f, 0.5f, 1.0f}, Rgba{0, 0, 0, 1});
        camera.translate(0.0f, -3.0f, -25.0f);

        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60.0, 1.0, 0.2, 350.0);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_NORMALIZE);
        glEnable(GL_COLOR_MATERIAL);
        glEnable(GL_LIGHT0);
    }
    void TearDown() override {
        gluDeleteQuadric(skyQuadric);
        skyQuadric = nullptr;
        activeTextureARB = nullptr;
        multiTexCoord2fARB = nullptr;
        multitextureSupported = false;
        rocksTexture = Texture();
        skyTexture = Texture();
        lightmapTexture = Texture();
        resetDemoGlobals();
        GlTest::TearDown();
    }

    // The flags and the GL state that goes with them, as the controls leave them.
    void setFlags(bool lighting, bool texturing) {
        renderFlags = RenderFlags{lighting, false, false, texturing};
        lighting ? glEnable(GL_LIGHTING) : glDisable(GL_LIGHTING);
        texturing ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
    }

    bool unitEnabled(GLenum unit) {
        activeTextureARB(unit);
        const bool enabled = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
        activeTextureARB(GL_TEXTURE0_ARB);
        return enabled;
    }
};

struct Pixel {
    GLubyte r, g, b;
    bool white() const { return r == 255 && g == 255 && b == 255; }
};

Pixel pixelAt(int x, int y) {
    GLubyte rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return Pixel{rgba[0], rgba[1], rgba[2]};
}

// Away from the axes and the light line: the ground in the bottom rows, the sky in the top rows.
constexpr int groundSpots[][2] = {{8, 2}, {56, 2}, {56, 10}};
constexpr int skySpots[][2] = {{8, 60}, {56, 60}, {56, 50}};

}  // namespace

TEST_F(EnvironmentTest, LeavesLightingTextureUnitsAndLineWidthAsItFoundThem) {
    for (bool multitexture : {true, false}) {
        for (bool texturing : {true, false}) {
            for (bool lighting : {true, false}) {
                const std::string which = std::string(multitexture ? "multitexture" : "single-texture") +
                                          " path, texturing " + (texturing ? "on" : "off") + ", lighting " +
                                          (lighting ? "on" : "off");
                multitextureSupported = multitexture;
                setFlags(lighting, texturing);
                glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

                drawEnvironment();

                EXPECT_EQ(glIsEnabled(GL_LIGHTING) == GL_TRUE, lighting) << "lighting, " << which;
                GLint activeUnit = 0;
                glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &activeUnit);
                EXPECT_EQ(activeUnit, GL_TEXTURE0_ARB) << "active texture unit, " << which;
                EXPECT_EQ(unitEnabled(GL_TEXTURE0_ARB), texturing) << "unit 0 texturing, " << which;
                EXPECT_FALSE(unitEnabled(GL_TEXTURE1_ARB)) << "unit 1 texturing, " << which;
                GLfloat width = 0;
                glGetFloatv(GL_LINE_WIDTH, &width);
                EXPECT_EQ(width, 1.0f) << "line width, " << which;
                GLint modes[2] = {};
                glGetIntegerv(GL_POLYGON_MODE, modes);
                EXPECT_EQ(modes[0], GL_LINE) << "the polygon mode is not changed, " << which;
                EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << which;
            }
        }
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

TEST_F(EnvironmentTest, WithoutTexturingGroundAndSkyArePlainWhiteInBothPaths) {
    for (bool multitexture : {true, false}) {
        const std::string path = multitexture ? "multitexture path" : "single-texture path";
        multitextureSupported = multitexture;

        // Lit and textured first: the textures show, so white below is not the textures' own colour.
        setFlags(true, true);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawEnvironment();
        int whiteWhenTextured = 0;
        for (const auto& spot : groundSpots) whiteWhenTextured += pixelAt(spot[0], spot[1]).white();
        for (const auto& spot : skySpots) whiteWhenTextured += pixelAt(spot[0], spot[1]).white();
        EXPECT_EQ(whiteWhenTextured, 0) << "textured, the ground and the sky are not plain white, " << path;

        for (bool lighting : {true, false}) {
            const std::string which = path + (lighting ? ", lighting on" : ", lighting off");
            setFlags(lighting, false);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            drawEnvironment();
            for (const auto& spot : groundSpots) {
                const Pixel p = pixelAt(spot[0], spot[1]);
                EXPECT_TRUE(p.white()) << "ground at (" << spot[0] << ", " << spot[1] << ") is (" << int(p.r) << ", "
                                       << int(p.g) << ", " << int(p.b) << "), " << which;
            }
            for (const auto& spot : skySpots) {
                const Pixel p = pixelAt(spot[0], spot[1]);
                EXPECT_TRUE(p.white()) << "sky at (" << spot[0] << ", " << spot[1] << ") is (" << int(p.r) << ", "
                                       << int(p.g) << ", " << int(p.b) << "), " << which;
            }
        }
    }
}
