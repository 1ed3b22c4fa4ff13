// GL initialisation on a driver without GL_ARB_multitexture: the INFO message on every call, and
// initialisation goes on. The driver reads its extension override once, before the first context,
// so this runs in a process of its own.
#include <GL/gl.h>

#include <cstdlib>

#include "app/application.h"
#include "app/globals.h"
#include "demo/globals.h"
#include "platform/gl_proc.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"

namespace {

#ifdef _WIN32
// Under Wine the driver reads the Unix environment, which the test's runner sets.
const bool extensionHidden = std::getenv("MESA_EXTENSION_OVERRIDE") != nullptr;
#else
// Set before main, so before any GL context of this process exists.
const bool extensionHidden = setenv("MESA_EXTENSION_OVERRIDE", "-GL_ARB_multitexture", 1) == 0;
#endif

int countInfoBoxes() {
    int count = 0;
    for (const RecordedBox& box : MessageBoxRecorder::boxes()) {
        if (box.text == "Multitexturing not supported!" && box.caption == "INFO" && box.type == platform::MB_OK &&
            box.owner == nullptr)
            ++count;
    }
    return count;
}

}  // namespace

TEST_F(GlTest, WithoutMultitexturingInitGlReportsItEachTimeAndGoesOn) {
    ASSERT_TRUE(extensionHidden);
    if (platform::getGLProcAddress("glActiveTextureARB", "GL_ARB_multitexture") != nullptr) {
        GTEST_SKIP() << "this driver ignores MESA_EXTENSION_OVERRIDE";
    }

    const GLWindow savedWindow = appWindow;
    appWindow.windowHandle = window;
    appWindow.deviceContext = platform::getDC(window);
    appWindow.renderContext = context;
    renderFlags = startRenderFlags;
    firstInit = false;
    multitextureSupported = true;
    MessageBoxRecorder boxes;
    ScopedWorkDir dir;
    dir.copyData({"rocks.bmp", "sunsetclouds.bmp", "Lightmap.bmp"});

    EXPECT_TRUE(initGL()) << "a missing extension does not stop initialisation";
    EXPECT_FALSE(multitextureSupported) << "the ground takes the single-texture path";
    EXPECT_EQ(countInfoBoxes(), 1) << "one INFO message without owner";
    EXPECT_EQ(MessageBoxRecorder::boxes().size(), 1u) << "and nothing else";
    EXPECT_TRUE(glIsTexture(lightmapTexture.glName)) << "the textures are loaded all the same";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "the fixed state is set all the same";

    // A display-mode switch looks the entry points up again and tells the user again.
    releaseGLResources();
    EXPECT_TRUE(initGL());
    EXPECT_EQ(countInfoBoxes(), 2) << "the message comes again with every initialisation";
    EXPECT_FALSE(multitextureSupported);

    releaseGLResources();
    appWindow = savedWindow;
}
