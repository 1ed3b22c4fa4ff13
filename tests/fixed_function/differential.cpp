// The two contexts of the differential tests, on the offscreen window of the unit tests: Mesa's
// compatibility context through the platform layer, and an ES 2.0 context asked of SDL directly.
#include "tests/fixed_function/differential.h"

#include <SDL.h>

#include <iostream>
#include <vector>

#include "platform/sdl/sdl_internal.h"
#include "platform/window.h"
#include "tests/gl_test_context.h"

namespace {

void* loadEsFunction(const char* name) { return SDL_GL_GetProcAddress(name); }

// An ES 2.0 context on the window, made current; the window's attributes are left as they were
// for the compatibility contexts that follow.
SDL_GLContext createEs2Context(platform::Window* window) {
    int profile = 0, major = 0, minor = 0;
    SDL_GL_GetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, &profile);
    SDL_GL_GetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, &major);
    SDL_GL_GetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, &minor);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GLContext context = SDL_GL_CreateContext(window->sdl);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, profile);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, major);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, minor);
    return context;
}

}  // namespace

#define FF_TEST_MESA(call) &::gl##call,
#define FF_TEST_LAYER(call) &ff::call,
const GlCalls mesaCalls = {"Mesa's GL 1.1", FF_TEST_CALLS(FF_TEST_MESA) & ::gluPerspective};
const GlCalls layerCalls = {"the layer on ES 2.0", FF_TEST_CALLS(FF_TEST_LAYER) & ff::Perspective};

Picture readScene(const GlCalls& gl) {
    Picture picture;
    picture.width = picture.height = sceneSide;
    std::vector<unsigned char> bottomUp(sceneSide * sceneSide * 3);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.ReadPixels(0, 0, sceneSide, sceneSide, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    picture.rgb.resize(bottomUp.size());
    const std::size_t row = sceneSide * 3;
    for (int y = 0; y < sceneSide; ++y)
        std::copy(bottomUp.begin() + (sceneSide - 1 - y) * row, bottomUp.begin() + (sceneSide - y) * row,
                  picture.rgb.begin() + y * row);
    return picture;
}

void DifferentialTest::onMesa(const Steps& steps) {
    platform::Window* window = offscreenWindow(sceneSide, sceneSide);
    ASSERT_NE(window, nullptr) << "the offscreen video driver did not start";
    platform::GLContext* context = platform::createGLContext(platform::getDC(window));
    ASSERT_NE(context, nullptr) << "no compatibility context";
    ASSERT_TRUE(platform::makeCurrent(platform::getDC(window), context));
    steps(mesaCalls);
    platform::makeCurrent(nullptr, nullptr);
    platform::deleteGLContext(context);
}

void DifferentialTest::onLayer(const Steps& steps) {
    platform::Window* window = offscreenWindow(sceneSide, sceneSide);
    ASSERT_NE(window, nullptr) << "the offscreen video driver did not start";
    SDL_GLContext es = createEs2Context(window);
    ASSERT_NE(es, nullptr) << "no ES 2.0 context: " << SDL_GetError();
    const char* why = "";
    ff::Context* layer = ff::createContext(loadEsFunction, &why);
    EXPECT_NE(layer, nullptr) << "the layer did not start: " << why;
    if (layer) {
        ff::makeCurrent(layer);
        steps(layerCalls);
        ff::destroyContext(layer);
        EXPECT_EQ(ff::currentContext(), nullptr) << "a destroyed context is current no longer";
    }
    SDL_GL_MakeCurrent(window->sdl, nullptr);
    SDL_GL_DeleteContext(es);
}

void DifferentialTest::drawBoth(const Steps& scene, Picture& mesa, Picture& layer) {
    const auto drawAndRead = [&scene](Picture& picture) {
        return [&scene, &picture](const GlCalls& gl) {
            gl.Viewport(0, 0, sceneSide, sceneSide);
            scene(gl);
            picture = readScene(gl);
            EXPECT_EQ(gl.GetError(), GLenum(GL_NO_ERROR)) << gl.name << " reported an error";
        };
    };
    onMesa(drawAndRead(mesa));
    onLayer(drawAndRead(layer));
}

double DifferentialTest::expectSamePicture(const std::string& scene, const Steps& steps, double within) {
    Picture mesa, layer;
    drawBoth(steps, mesa, layer);
    const BlockComparison comparison = compareBlocks(mesa, layer, {});
    EXPECT_TRUE(comparison.sameSize) << scene;
    EXPECT_EQ(comparison.differing, 0) << scene << ": " << comparison.differing << " of " << comparison.blocks
                                       << " blocks differ; largest " << comparison.largest;
    EXPECT_LE(comparison.largest, within) << scene << ": the same rasterizer should draw nearly the same picture";
    std::cout << "[ picture  ] " << scene << ": largest block difference " << comparison.largest << " of "
              << blockTolerance << "\n";
    if (comparison.largest > within) {
        savePng(mesa, testing::TempDir() + scene + "-mesa.png");
        savePng(layer, testing::TempDir() + scene + "-layer.png");
    }
    return comparison.largest;
}
