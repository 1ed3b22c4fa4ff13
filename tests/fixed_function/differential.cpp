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
#define FF_TEST_MESA_GLU(call) &::glu##call,
#define FF_TEST_LAYER(call) &ff::call,
const GlCalls mesaCalls = {"Mesa's GL 1.1", FF_TEST_CALLS(FF_TEST_MESA) FF_TEST_GLU_CALLS(FF_TEST_MESA_GLU) & ::glActiveTexture,
                           &::glMultiTexCoord2f, &::glMultiTexCoord2fv};
const GlCalls layerCalls = {"the layer on ES 2.0", FF_TEST_CALLS(FF_TEST_LAYER) FF_TEST_GLU_CALLS(FF_TEST_LAYER) &
                            ff::ActiveTextureARB, &ff::MultiTexCoord2fARB, &ff::MultiTexCoord2fvARB};

constexpr GLenum capabilities[] = {
    GL_VERTEX_ARRAY, GL_COLOR_ARRAY, GL_LIGHTING, GL_LIGHT0,    GL_LIGHT7, GL_COLOR_MATERIAL, GL_NORMALIZE,
    GL_FOG,          GL_DEPTH_TEST,  GL_BLEND,    GL_CULL_FACE, GL_DITHER, GL_SCISSOR_TEST,   GL_POLYGON_OFFSET_FILL};

std::vector<double> stateAnswers(const GlCalls& gl) {
    std::vector<double> all;
    for (GLenum cap : capabilities) {
        all.push_back(gl.IsEnabled(cap));
        GLboolean b = 7;
        gl.GetBooleanv(cap, &b);
        all.push_back(b);
    }
    const GLenum queries[] = {GL_MATRIX_MODE,
                              GL_MAX_LIGHTS,
                              GL_CURRENT_COLOR,
                              GL_CURRENT_NORMAL,
                              GL_CURRENT_TEXTURE_COORDS,
                              GL_CURRENT_RASTER_POSITION,
                              GL_CURRENT_RASTER_POSITION_VALID,
                              GL_CURRENT_RASTER_COLOR,
                              GL_CURRENT_RASTER_DISTANCE,
                              GL_CURRENT_RASTER_TEXTURE_COORDS,
                              GL_LIGHT_MODEL_AMBIENT,
                              GL_LIGHT_MODEL_LOCAL_VIEWER,
                              GL_LIGHT_MODEL_TWO_SIDE,
                              GL_COLOR_MATERIAL_FACE,
                              GL_COLOR_MATERIAL_PARAMETER,
                              GL_FOG_MODE,
                              GL_FOG_DENSITY,
                              GL_FOG_START,
                              GL_FOG_END,
                              GL_FOG_COLOR,
                              GL_COLOR_CLEAR_VALUE,
                              GL_DEPTH_CLEAR_VALUE,
                              GL_VIEWPORT,
                              GL_DEPTH_FUNC,
                              GL_BLEND_SRC,
                              GL_BLEND_DST,
                              GL_PACK_ALIGNMENT,
                              GL_UNPACK_ALIGNMENT,
                              GL_UNPACK_ROW_LENGTH,
                              GL_UNPACK_SKIP_ROWS,
                              GL_UNPACK_SKIP_PIXELS,
                              GL_UNPACK_LSB_FIRST,
                              GL_UNPACK_SWAP_BYTES,
                              GL_POLYGON_MODE,
                              GL_LINE_WIDTH,
                              GL_MODELVIEW_STACK_DEPTH,
                              GL_ATTRIB_STACK_DEPTH,
                              GL_CLIENT_ATTRIB_STACK_DEPTH,
                              GL_MAX_ATTRIB_STACK_DEPTH,
                              GL_MAX_CLIENT_ATTRIB_STACK_DEPTH};
    for (GLenum q : queries) {
        GLfloat f[4] = {-9, -9, -9, -9};
        GLint i[4] = {-9, -9, -9, -9};
        GLboolean b[4] = {7, 7, 7, 7};
        GLdouble d[4] = {-9, -9, -9, -9};
        gl.GetFloatv(q, f);
        gl.GetIntegerv(q, i);
        gl.GetBooleanv(q, b);
        gl.GetDoublev(q, d);
        for (int k = 0; k < 4; ++k) all.insert(all.end(), {f[k], double(i[k]), double(b[k]), d[k]});
    }
    const GLenum lightParameters[] = {GL_AMBIENT,
                                      GL_DIFFUSE,
                                      GL_SPECULAR,
                                      GL_POSITION,
                                      GL_SPOT_DIRECTION,
                                      GL_SPOT_EXPONENT,
                                      GL_SPOT_CUTOFF,
                                      GL_CONSTANT_ATTENUATION,
                                      GL_LINEAR_ATTENUATION,
                                      GL_QUADRATIC_ATTENUATION};
    for (GLenum light : {GL_LIGHT0, GL_LIGHT1, GL_LIGHT7})
        for (GLenum p : lightParameters) {
            GLfloat f[4] = {-9, -9, -9, -9};
            gl.GetLightfv(light, p, f);
            all.insert(all.end(), f, f + 4);
        }
    all.push_back(gl.GetError());
    return all;
}

void changeEveryState(const GlCalls& gl) {
    for (GLenum cap : capabilities)
        if (cap == GL_VERTEX_ARRAY || cap == GL_COLOR_ARRAY)
            gl.EnableClientState(cap);
        else
            gl.Enable(cap);
    gl.Disable(GL_DITHER);
    gl.Disable(GL_LIGHT7);
    // A light given under a modelview that turns and moves it: kept in eye coordinates.
    gl.PushMatrix();
    gl.Translatef(1, -2, 3);
    gl.Rotatef(30, 0, 1, 0);
    const GLfloat lightColour[4] = {0.9f, 0.4f, 0.1f, 1}, position[4] = {2, 3, -4, 1}, direction[3] = {0, -1, -1};
    gl.Lightfv(GL_LIGHT1, GL_DIFFUSE, lightColour);
    gl.Lightfv(GL_LIGHT1, GL_POSITION, position);
    gl.Lightfv(GL_LIGHT1, GL_SPOT_DIRECTION, direction);
    gl.Lightf(GL_LIGHT1, GL_SPOT_CUTOFF, 40);
    gl.Lightf(GL_LIGHT1, GL_SPOT_EXPONENT, 12);
    gl.Lightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, 0.5f);
    gl.PopMatrix();
    gl.MatrixMode(GL_PROJECTION);
    gl.PushMatrix();
    gl.Color4f(0.25f, 0.5f, 0.75f, 0.125f);
    gl.Normal3f(0.6f, 0, -0.8f);
    gl.TexCoord2f(3, -4);
    const GLfloat ambient[4] = {0.05f, 0.5f, 1, 0.5f}, fogColour[4] = {0.3f, 0.2f, 0.1f, 0.9f};
    gl.LightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    gl.LightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    gl.ColorMaterial(GL_BACK, GL_SPECULAR);
    gl.Fogi(GL_FOG_MODE, GL_LINEAR);
    gl.Fogf(GL_FOG_DENSITY, 0.35f);
    gl.Fogf(GL_FOG_START, -2.5f);
    gl.Fogf(GL_FOG_END, 40.4f);
    gl.Fogfv(GL_FOG_COLOR, fogColour);
    gl.ClearColor(0.2f, 1.5f, -0.5f, 0.7f);  // clamped, as GL 1.1 clamps it
    gl.ClearDepth(0.25);
    gl.Viewport(3, 5, 60, 40);
    gl.DepthFunc(GL_GEQUAL);
    gl.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 2);
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 8);
    gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 19);
    gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 3);
    gl.PixelStorei(GL_UNPACK_SKIP_PIXELS, 5);
    gl.PixelStorei(GL_UNPACK_LSB_FIRST, 7);
    gl.PixelStorei(GL_UNPACK_SWAP_BYTES, 1);
    gl.PolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    gl.LineWidth(2.5f);
    // Last, so that the position is placed by all of the above; unlit, as Mesa lights the raster
    // position otherwise than its vertices (see test_ff_bitmaps.cpp).
    gl.Translatef(0.1f, 0.2f, -0.3f);
    gl.Disable(GL_LIGHTING);
    gl.RasterPos4f(0.25f, -0.5f, 0.125f, 1.5f);
    gl.Enable(GL_LIGHTING);
}

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
