// The build on the fixed-function layer: the SDL backend's GL context is OpenGL ES 2.0 with a
// layer context over it, current together and given back together; the program's extension
// functions are the layer's; --info and the report name the layer and the ES driver under it;
// and a layer that cannot start refuses the window as a GL context that cannot be made does, with
// the reason on standard error.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "app/globals.h"
#include "check/gl_description.h"
#include "check/run_record.h"
#include "fixed_function/fixed_function.h"
#include "platform/gl_proc.h"
#include "platform/sdl/seams.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"

namespace {

TEST(LayerContext, EachContextIsEs2WithALayerContextOfItsOwn) {
    platform::Window* window = offscreenWindow();
    ASSERT_NE(window, nullptr) << "the offscreen video driver did not start";
    platform::DeviceContext* deviceContext = platform::getDC(window);
    platform::GLContext* first = platform::createGLContext(deviceContext);
    ASSERT_NE(first, nullptr) << platform::windowSystemError();
    const std::string version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    EXPECT_EQ(version.rfind("1.1 ", 0), 0u) << version;
    EXPECT_NE(version.find("fixed-function layer on OpenGL ES "), std::string::npos) << version;
    ff::Context* firstLayer = ff::currentContext();
    ASSERT_NE(firstLayer, nullptr) << "the layer's context is current with its ES context";
    glEnable(GL_CULL_FACE);

    platform::GLContext* second = platform::createGLContext(deviceContext);
    ASSERT_NE(second, nullptr) << platform::windowSystemError();
    EXPECT_NE(ff::currentContext(), firstLayer) << "a new context, current";
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE)) << "in GL's initial state";
    ASSERT_TRUE(platform::makeCurrent(deviceContext, first));
    EXPECT_EQ(ff::currentContext(), firstLayer);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE)) << "each context keeps its own state";

    // The second, given back while the first is current, leaves the first current and drawing.
    platform::deleteGLContext(second);
    EXPECT_EQ(ff::currentContext(), firstLayer);
    glViewport(0, 0, 64, 64);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    GLubyte pixel[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255) << "the first context's ES context is current again";
    EXPECT_EQ(pixel[1], 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    ASSERT_TRUE(platform::makeCurrent(nullptr, nullptr));
    EXPECT_EQ(ff::currentContext(), nullptr) << "no GL context current, no layer context either";
    platform::deleteGLContext(first);
}

// Looked up by name, the extension functions are the layer's exports, never the ES driver's
// functions of the same name, which would draw past the layer.
TEST_F(GlTest, ExtensionFunctionsAreTheLayers) {
    const std::string extensions = std::string(" ") + reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)) + " ";
    void* activeTexture = platform::getGLProcAddress("glActiveTextureARB", "GL_ARB_multitexture");
    if (extensions.find(" GL_ARB_multitexture ") == std::string::npos)
        EXPECT_EQ(activeTexture, nullptr) << "none while the layer does not list the extension";
    else
        EXPECT_EQ(activeTexture, reinterpret_cast<void*>(&glActiveTextureARB));
}

// What --info prints and the report holds: GL_VERSION as the layer answers it, "1.1", the layer,
// and the ES driver's own version; vendor and renderer are the driver's.
TEST_F(GlTest, TheRunsDescriptionNamesTheLayerAndTheEsDriverUnderIt) {
    recordGLDescription();
    EXPECT_EQ(runRecord.gl.version.rfind("1.1 facedemo fixed-function layer on OpenGL ES ", 0), 0u)
        << runRecord.gl.version;
    EXPECT_EQ(runRecord.gl.renderer, reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    testing::internal::CaptureStdout();
    printGLInfo();
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("\nGL_VERSION: " + runRecord.gl.version + "\n"), std::string::npos) << printed;
    runRecord = RunRecord();
}

TEST(LayerContext, ALayerThatCannotStartRefusesTheWindow) {
    ASSERT_NE(offscreenWindow(), nullptr) << "the offscreen video driver did not start";
    MessageBoxRecorder boxes;
    appWindow = GLWindow();
    platform::refuseLayerContexts(true);
    testing::internal::CaptureStderr();
    const bool made = initApplication(700, 500, false);
    const std::string written = testing::internal::GetCapturedStderr();
    platform::refuseLayerContexts(false);

    EXPECT_FALSE(made);
    EXPECT_EQ(appWindow.windowHandle, nullptr) << "the window is destroyed";
    EXPECT_EQ(appWindow.renderContext, nullptr);
    ASSERT_EQ(MessageBoxRecorder::boxes().size(), 1u);
    EXPECT_EQ(MessageBoxRecorder::boxes()[0].text, "Window could not be open! Program is about to close.");
    EXPECT_EQ(MessageBoxRecorder::boxes()[0].caption, "PROGRAM FAILURE");
    const std::string why = platform::windowSystemError();
    EXPECT_NE(why.find("fixed-function layer could not start"), std::string::npos) << why;
    EXPECT_NE(why.find("glActiveTexture"), std::string::npos) << "it names the first entry point it missed: " << why;
    EXPECT_NE(written.find(why), std::string::npos) << "the reason on standard error: " << written;
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr) << "nothing is left current";
    EXPECT_EQ(ff::currentContext(), nullptr);

    setWindowHandlers(WindowHandlers{});
    appWindow = GLWindow();
    drainMessages();
}

}  // namespace
