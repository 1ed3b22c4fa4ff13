// GL initialisation and release: the fixed state, the flags' capabilities, glyph lists, sky quadric,
// light and textures on a fresh context, the failures of start-up and the release of what it made.
#include <GL/gl.h>

#include <cstring>
#include <filesystem>

#include "app/application.h"
#include "app/globals.h"
#include "app/hud.h"
#include "assets/load_failure.h"
#include "cli/run.h"
#include "demo/globals.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"

namespace {

const char* const programOnly[] = {"facedemo"};

constexpr float nearly = 1e-6f;

// The application's window is the fixture's own; the globals that initGL fills are put back after.
class InitGlTest : public AppWindowTest {
protected:
    void SetUp() override {
        AppWindowTest::SetUp();
        savedFlags = renderFlags;
        renderFlags = startRenderFlags;
        firstInit = false;
        resetDemoGlobals();
        resetTextures();
    }
    void TearDown() override {
        releaseGLResources();
        renderFlags = savedFlags;
        firstInit = false;
        resetDemoGlobals();
        resetTextures();
        AppWindowTest::TearDown();
    }

    static void resetTextures() {
        rocksTexture = Texture();
        skyTexture = Texture();
        lightmapTexture = Texture();
    }

    // Replaces the fixture's context by a new one, as a display-mode switch does.
    void renewContext() {
        releaseGLResources();
        platform::makeCurrent(nullptr, nullptr);
        platform::deleteGLContext(context);
        context = platform::createGLContext(platform::getDC(window));
        ASSERT_NE(context, nullptr);
        ASSERT_TRUE(platform::makeCurrent(platform::getDC(window), context));
        appWindow.renderContext = context;
        glMatrixMode(GL_MODELVIEW);
    }

    RenderFlags savedFlags;
    MessageBoxRecorder boxes;
};

bool allGlyphListsExist(GLuint base) {
    for (GLuint i = 0; i < static_cast<GLuint>(overlayGlyphs.count); ++i) {
        if (!glIsList(base + i)) return false;
    }
    return true;
}

bool anyGlyphListExists(GLuint base) {
    for (GLuint i = 0; i < static_cast<GLuint>(overlayGlyphs.count); ++i) {
        if (glIsList(base + i)) return true;
    }
    return false;
}

}  // namespace

TEST_F(InitGlTest, FixedStateGlyphsQuadricLightAndTexturesOnAFreshContext) {
    ScopedWorkDir dir;
    dir.copyData({"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});
    light.setColours(Rgba{0.1f, 0.2f, 0.3f, 1.0f}, Rgba{0.7f, 0.5f, 0.5f, 1.0f}, Rgba{0.0f, 0.0f, 0.0f, 1.0f});
    light.setPosition(Vec3{-5.0f, -10.0f, 5.0f}, false);

    ASSERT_TRUE(initGL()) << "initGL with the three images present";
    EXPECT_TRUE(MessageBoxRecorder::boxes().empty()) << "nothing to report on a driver with multitexturing";
    EXPECT_TRUE(multitextureSupported) << "llvmpipe offers GL_ARB_multitexture";
    EXPECT_NE(activeTextureARB, nullptr);
    EXPECT_NE(multiTexCoord2fARB, nullptr);

    GLfloat clear[4] = {1, 1, 1, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.0f) << "clear colour red";
    EXPECT_EQ(clear[1], 0.0f) << "clear colour green";
    EXPECT_EQ(clear[2], 0.0f) << "clear colour blue";
    EXPECT_EQ(clear[3], 1.0f) << "clear colour alpha";

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "depth test";
    GLint depthFunc = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    EXPECT_EQ(depthFunc, GL_LEQUAL) << "depth function";
    EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "blending";
    GLint blendSrc = 0, blendDst = 0;
    glGetIntegerv(GL_BLEND_SRC, &blendSrc);
    glGetIntegerv(GL_BLEND_DST, &blendDst);
    EXPECT_EQ(blendSrc, GL_SRC_ALPHA) << "blend source factor";
    EXPECT_EQ(blendDst, GL_ONE_MINUS_SRC_ALPHA) << "blend destination factor";
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE)) << "normalisation";

    GLint fogMode = 0;
    glGetIntegerv(GL_FOG_MODE, &fogMode);
    EXPECT_EQ(fogMode, GL_EXP) << "exponential fog";
    GLfloat fogDensity = 0;
    glGetFloatv(GL_FOG_DENSITY, &fogDensity);
    EXPECT_NEAR(fogDensity, 0.03f, nearly) << "fog density";
    GLfloat fogColour[4] = {};
    glGetFloatv(GL_FOG_COLOR, fogColour);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(fogColour[i], 0.6f, nearly) << "fog colour component " << i;

    EXPECT_TRUE(glIsEnabled(GL_FOG)) << "fog flag on";
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "lighting flag on";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "texturing flag on";
    EXPECT_EQ(polygonMode(0), static_cast<GLenum>(GL_FILL)) << "filled front faces";
    EXPECT_EQ(polygonMode(1), static_cast<GLenum>(GL_FILL)) << "filled back faces";
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL)) << "colour material";
    GLint colourMaterialFace = 0, colourMaterialMode = 0;
    glGetIntegerv(GL_COLOR_MATERIAL_FACE, &colourMaterialFace);
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &colourMaterialMode);
    EXPECT_EQ(colourMaterialFace, GL_FRONT_AND_BACK) << "GL's default colour-material face";
    EXPECT_EQ(colourMaterialMode, GL_AMBIENT_AND_DIFFUSE) << "GL's default colour-material mode";

    EXPECT_NE(fontListBase, 0u) << "glyph lists reserved";
    EXPECT_TRUE(allGlyphListsExist(fontListBase)) << "96 consecutive glyph lists";
    EXPECT_NE(skyQuadric, nullptr) << "sky quadric made";

    EXPECT_EQ(light.glLight, static_cast<GLenum>(GL_LIGHT0)) << "the first free light is claimed";
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0)) << "and enabled";
    GLfloat diffuse[4] = {}, ambient[4] = {}, position[4] = {};
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    EXPECT_NEAR(diffuse[0], 0.7f, nearly) << "diffuse uploaded";
    EXPECT_NEAR(diffuse[1], 0.5f, nearly);
    EXPECT_NEAR(ambient[2], 0.3f, nearly) << "ambient uploaded";
    EXPECT_NEAR(position[1], -10.0f, 1e-4f) << "direction uploaded";
    EXPECT_EQ(position[3], 0.0f) << "a directional light";

    const GLuint names[3] = {rocksTexture.glName, skyTexture.glName, lightmapTexture.glName};
    for (GLuint name : names) EXPECT_TRUE(glIsTexture(name)) << "texture " << name << " exists";
    EXPECT_NE(names[0], names[1]) << "three distinct textures";
    EXPECT_NE(names[1], names[2]);
    EXPECT_NE(names[0], names[2]);
    EXPECT_GT(rocksTexture.width, 0) << "the rock image was read";
    EXPECT_FALSE(firstInit) << "later calls skip the face scene";
}

TEST_F(InitGlTest, TheFlagsDecideTheirCapabilitiesOnEveryNewContext) {
    ScopedWorkDir dir;
    dir.copyData({"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});
    const RenderFlags cases[] = {
        {false, false, true, false},
        {true, false, false, true},
        {false, true, true, true},
        {true, true, false, false},
    };
    for (const RenderFlags& flags : cases) {
        renewContext();
        renderFlags = flags;
        ASSERT_TRUE(initGL());
        const std::string which = std::string("lighting ") + (flags.lighting ? "on" : "off") + ", fog " +
                                  (flags.fog ? "on" : "off") + ", wireframe " + (flags.wireframe ? "on" : "off") +
                                  ", texturing " + (flags.texturing ? "on" : "off");
        EXPECT_EQ(glIsEnabled(GL_LIGHTING) == GL_TRUE, flags.lighting) << which;
        EXPECT_EQ(glIsEnabled(GL_FOG) == GL_TRUE, flags.fog) << which;
        EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D) == GL_TRUE, flags.texturing) << which;
        const GLenum mode = flags.wireframe ? GL_LINE : GL_FILL;
        EXPECT_EQ(polygonMode(0), mode) << "front polygon mode, " << which;
        EXPECT_EQ(polygonMode(1), mode) << "back polygon mode, " << which;
        EXPECT_TRUE(glIsEnabled(GL_LIGHT0)) << "a new context gets its light again, " << which;
        EXPECT_TRUE(allGlyphListsExist(fontListBase)) << "glyph lists in the new context, " << which;
    }
}

TEST_F(InitGlTest, FirstRunBuildsTheSceneAndLaterRunsKeepIt) {
    ScopedWorkDir dir;
    dir.copyData({"smile.sos", "rage.sos", "closed.sos", "rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});
    firstInit = true;
    ASSERT_TRUE(initGL()) << "first initialisation with every file present";
    EXPECT_FALSE(firstInit);
    ASSERT_EQ(scene.meshes.size(), 3u) << "the face scene was built";
    GLfloat diffuse[4] = {}, position[4] = {};
    glGetLightfv(light.glLight, GL_DIFFUSE, diffuse);
    glGetLightfv(light.glLight, GL_POSITION, position);
    EXPECT_NEAR(diffuse[0], 0.7f, nearly) << "the light is uploaded after the scene gave it its colours";
    EXPECT_NEAR(diffuse[1], 0.5f, nearly);
    EXPECT_NEAR(position[0], -5.0f, 1e-4f) << "and its direction";
    EXPECT_NEAR(position[2], 5.0f, 1e-4f);
    const std::uint32_t vertices = faceMesh.getCounts().first;
    const Vec3 someVertex = faceMesh.vertices.at(vertices / 2).position;

    // A display-mode switch: new context, mesh files gone; only the images are read again.
    std::filesystem::remove("smile.sos");
    std::filesystem::remove("rage.sos");
    std::filesystem::remove("closed.sos");
    renewContext();
    ASSERT_TRUE(initGL()) << "the mesh files are read once per process";
    EXPECT_EQ(scene.meshes.size(), 3u) << "the scene is not filled again";
    EXPECT_EQ(scene.lights.size(), 1u);
    EXPECT_EQ(faceMesh.getCounts().first, vertices);
    EXPECT_EQ(faceMesh.vertices.at(vertices / 2).position.y, someVertex.y) << "the face keeps its vertices";
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0)) << "the light is claimed in the new context";
    EXPECT_TRUE(glIsTexture(rocksTexture.glName)) << "textures made in the new context";
}

TEST_F(InitGlTest, AMissingFileFailsWithTheLoadersMessageOnly) {
    const char* images[] = {"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"};
    for (int missing = 0; missing < 3; ++missing) {
        renewContext();
        resetTextures();
        MessageBoxRecorder::boxes().clear();
        ScopedWorkDir dir;
        for (int i = 0; i < 3; ++i) {
            if (i != missing) dir.copyData({images[i]});
        }
        EXPECT_FALSE(initGL()) << "initGL fails without " << images[missing];
        ASSERT_EQ(MessageBoxRecorder::boxes().size(), 1u) << "one message, the loader's, for " << images[missing];
        const RecordedBox& box = MessageBoxRecorder::boxes()[0];
        EXPECT_EQ(box.text, std::string("Failed to open DIB file ") + images[missing] + ".\n");
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.type, platform::MB_OK);
        EXPECT_EQ(loadFailure.file, images[missing]) << "the loader's failure is kept for the caller";
        EXPECT_TRUE(allGlyphListsExist(fontListBase)) << "glyph lists made before the failure stay";
        EXPECT_NE(skyQuadric, nullptr) << "the quadric exists whatever fails later";
        const GLuint loaded[3] = {rocksTexture.glName, skyTexture.glName, lightmapTexture.glName};
        for (int i = missing + 1; i < 3; ++i) {
            EXPECT_EQ(loaded[i], 0u) << "loading stops at the first failure: " << images[i] << " not tried";
        }
    }

    // The face scene's own failure shows nothing here; the caller reports it.
    renewContext();
    resetTextures();
    MessageBoxRecorder::boxes().clear();
    ScopedWorkDir dir;
    dir.copyData({"smile.sos", "closed.sos", "rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});
    firstInit = true;
    EXPECT_FALSE(initGL()) << "initGL fails without rage.sos";
    EXPECT_TRUE(MessageBoxRecorder::boxes().empty()) << "no message from initGL for a mesh file";
    EXPECT_EQ(loadFailure.file, "rage.sos") << "the mesh reader's failure is kept for the caller";
    EXPECT_EQ(loadFailure.reason, "cannot be opened");
    EXPECT_TRUE(firstInit) << "a failed first run is still the first run";
    EXPECT_EQ(rocksTexture.glName, 0u) << "no texture is loaded after the face scene failed";
}

TEST_F(InitGlTest, ReleaseDeletesTheListsAndTheQuadricAndIsHarmlessTwice) {
    releaseGLResources();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "releasing before anything was made";

    ScopedWorkDir dir;
    dir.copyData({"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});
    ASSERT_TRUE(initGL());
    const GLuint base = fontListBase;
    ASSERT_TRUE(allGlyphListsExist(base));

    releaseGLResources();
    EXPECT_FALSE(anyGlyphListExists(base)) << "all 96 glyph lists deleted";
    EXPECT_EQ(fontListBase, 0u) << "the lists are marked absent";
    EXPECT_EQ(skyQuadric, nullptr) << "the quadric is deleted and marked absent";

    // A list made afterwards may take the freed names; a second release must not touch it.
    const GLuint other = glGenLists(1);
    glNewList(other, GL_COMPILE);
    glEndList();
    releaseGLResources();
    EXPECT_TRUE(glIsList(other)) << "a second release deletes nothing";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "no GL error from releasing twice";
    glDeleteLists(other, 1);
}

TEST_F(InitGlTest, StartUpReportsAFailureAndEndsWithExitCodeZero) {
    ScopedWorkDir dir;
    dir.copyData({"smile.sos", "rage.sos", "closed.sos", "rocks.bmp", "Lightmap.bmp"});
    appWindow = GLWindow();
    firstInit = true;
    drainMessages();

    testing::internal::CaptureStderr();
    EXPECT_EQ(runApplication(1, programOnly), 0) << "a failed start ends with exit code 0";
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("facedemo: cannot read sunsetclouds.bmp: not found in " +
                           std::filesystem::current_path().string()),
              std::string::npos)
        << "standard error names the missing file and where it was looked for: " << written;
    const std::vector<RecordedBox>& shown = MessageBoxRecorder::boxes();
    ASSERT_EQ(shown.size(), 2u) << "the loader's message, then the start-up's";
    EXPECT_EQ(shown[0].text, "Failed to open DIB file sunsetclouds.bmp.\n");
    EXPECT_EQ(shown[1].text, "Failed to initialize!");
    EXPECT_EQ(shown[1].caption, "ERROR");
    EXPECT_NE(shown[1].owner, nullptr) << "the start-up's message is owned by the window";
    EXPECT_EQ(appWindow.windowHandle, nullptr) << "the window is destroyed";
    EXPECT_EQ(appWindow.renderContext, nullptr) << "and its context";
    EXPECT_EQ(fontListBase, 0u) << "the glyph lists were released with it";
    EXPECT_EQ(skyQuadric, nullptr);

    ASSERT_TRUE(platform::makeCurrent(platform::getDC(window), context));
    drainMessages();
}

TEST_F(InitGlTest, StartUpAndQuitRunTheWholeApplication) {
    ScopedWorkDir dir;
    dir.copyData({"smile.sos", "rage.sos", "closed.sos", "rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});
    appWindow = GLWindow();
    renderFlags = RenderFlags{};
    firstInit = true;
    drainMessages();
    // Queued before the window exists, the quit is the first message the loop takes.
    platform::postQuitMessage(0);

    EXPECT_EQ(runApplication(1, programOnly), 0) << "the quit message's code is the exit code";
    EXPECT_TRUE(MessageBoxRecorder::boxes().empty()) << "a clean start shows nothing";
    EXPECT_FALSE(firstInit) << "initGL ran to its end";
    EXPECT_EQ(scene.meshes.size(), 3u) << "the face scene was built";
    EXPECT_TRUE(renderFlags.lighting && renderFlags.fog && renderFlags.texturing && !renderFlags.wireframe)
        << "start flags: lighting, fog and texturing on, wireframe off";
    EXPECT_TRUE(appWindow.active) << "showing the window activated it";
    EXPECT_EQ(appWindow.windowHandle, nullptr) << "the window is destroyed after the loop";
    EXPECT_EQ(skyQuadric, nullptr) << "the quadric was released";

    ASSERT_TRUE(platform::makeCurrent(platform::getDC(window), context));
    drainMessages();
}
