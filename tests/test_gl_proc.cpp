// Extension entry points: handed out only by a context that lists the extension the caller names,
// and real when they are.
#include <GL/gl.h>
#include <GL/glext.h>

#include <string>

#include "platform/gl_proc.h"
#include "tests/gl_test_context.h"

namespace {

TEST_F(GlTest, MultitextureEntryPointsComeOnlyWithTheExtension) {
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    ASSERT_NE(extensions, nullptr);
    const std::string padded = std::string(" ") + extensions + " ";
    if (padded.find(" GL_ARB_multitexture ") == std::string::npos)
        GTEST_SKIP() << "this driver does not list GL_ARB_multitexture";

    auto activeTexture = reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(
        platform::getGLProcAddress("glActiveTextureARB", "GL_ARB_multitexture"));
    auto multiTexCoord = reinterpret_cast<PFNGLMULTITEXCOORD2FARBPROC>(
        platform::getGLProcAddress("glMultiTexCoord2fARB", "GL_ARB_multitexture"));
    ASSERT_NE(activeTexture, nullptr) << "glActiveTextureARB from a context with the extension";
    ASSERT_NE(multiTexCoord, nullptr) << "glMultiTexCoord2fARB from a context with the extension";

    activeTexture(GL_TEXTURE1_ARB);
    multiTexCoord(GL_TEXTURE1_ARB, 0.25f, 0.75f);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    EXPECT_EQ(active, GL_TEXTURE1_ARB) << "the address is the context's own glActiveTextureARB";
    GLfloat coord[4] = {};
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, coord);
    EXPECT_FLOAT_EQ(coord[0], 0.25f) << "and glMultiTexCoord2fARB set unit 1's coordinates";
    EXPECT_FLOAT_EQ(coord[1], 0.75f);
    activeTexture(GL_TEXTURE0_ARB);

    EXPECT_EQ(platform::getGLProcAddress("glActiveTextureARB", "GL_ARB_multi"), nullptr)
        << "the extension the caller names must be listed whole, not as the start of another";
    EXPECT_EQ(platform::getGLProcAddress("glActiveTextureARB", "GL_XX_not_an_extension"), nullptr);

    ASSERT_TRUE(platform::makeCurrent(nullptr, nullptr));
    EXPECT_EQ(platform::getGLProcAddress("glActiveTextureARB", "GL_ARB_multitexture"), nullptr)
        << "no current context lists no extension, whatever address the driver would give";
}

}  // namespace
