// Differential tests of the fixed-function layer: one scene, written once against a table of GL
// calls, drawn through Mesa's own OpenGL 1.1 and through the layer on Mesa's OpenGL ES 2.0, each
// in a fresh context on the same offscreen window; the pictures and queries are then compared.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "check/picture.h"
#include "check/picture_compare.h"
#include "fixed_function/fixed_function.h"

// The GL calls the scenes make, each named once for the driver's function and the layer's.
#define FF_TEST_CALLS(X)                                                                                              \
    X(Enable)                                                                                                         \
    X(Disable)                                                                                                        \
    X(IsEnabled)                                                                                                      \
    X(GetError)                                                                                                       \
    X(GetString)                                                                                                      \
    X(GetBooleanv)                                                                                                    \
    X(GetIntegerv)                                                                                                    \
    X(GetFloatv)                                                                                                      \
    X(GetDoublev)                                                                                                     \
    X(Clear)                                                                                                          \
    X(ClearColor)                                                                                                     \
    X(ClearDepth)                                                                                                     \
    X(Viewport) X(DepthFunc) X(BlendFunc) X(Finish) X(MatrixMode) X(LoadIdentity) X(PushMatrix) X(PopMatrix) X(LoadMatrixf)     \
        X(LoadMatrixd) X(MultMatrixf) X(MultMatrixd) X(Translatef) X(Translated) X(Scalef) X(Scaled) X(Rotatef)       \
            X(Rotated) X(Ortho) X(Frustum) X(Begin) X(End) X(Vertex2i) X(Vertex2f) X(Vertex3i) X(Vertex3f)            \
                X(Vertex3fv) X(Vertex4f) X(Normal3f) X(Normal3fv) X(Color3f) X(Color3fv) X(Color3ub) X(Color4f)       \
                    X(Color4fv) X(TexCoord2i) X(TexCoord2f) X(Recti) X(Lightf) X(Lightfv) X(GetLightfv) X(LightModelf)              \
                        X(LightModelfv) X(Materialf) X(Materialfv) X(ColorMaterial) X(Fogf) X(Fogi) X(Fogfv)          \
                            X(PixelStorei) X(GenLists) X(DeleteLists) X(IsList) X(NewList) X(EndList) X(CallList)     \
                                X(CallLists) X(ListBase) X(PushAttrib) X(PopAttrib) X(PushClientAttrib)               \
                                    X(PopClientAttrib) X(PolygonMode) X(LineWidth) X(VertexPointer) X(NormalPointer)  \
                                        X(ColorPointer) X(TexCoordPointer) X(EnableClientState) X(DisableClientState) \
                                            X(DrawArrays) X(DrawElements) X(ReadPixels) X(GenTextures)                \
                                                X(DeleteTextures) X(BindTexture) X(IsTexture) X(TexImage2D)           \
                                                    X(TexParameteri) X(TexParameterf) X(GetTexParameteriv) X(TexEnvi) \
                                                        X(GetTexEnviv) X(RasterPos2i) X(RasterPos2f) X(RasterPos3f) X(RasterPos4f) X(Bitmap)

// The GLU calls, each named once for Mesa's libGLU and the layer's.
#define FF_TEST_GLU_CALLS(X)                                                                                      \
    X(Perspective) X(NewQuadric) X(DeleteQuadric) X(QuadricDrawStyle) X(QuadricNormals) X(QuadricTexture) \
        X(QuadricOrientation) X(Sphere) X(ScaleImage) X(Build2DMipmaps)

struct GlCalls {
    const char* name;
#define FF_TEST_MEMBER(call) decltype(&::gl##call) call;
    FF_TEST_CALLS(FF_TEST_MEMBER)
#undef FF_TEST_MEMBER
#define FF_TEST_GLU_MEMBER(call) decltype(&::glu##call) call;
    FF_TEST_GLU_CALLS(FF_TEST_GLU_MEMBER)
#undef FF_TEST_GLU_MEMBER
    // GL_ARB_multitexture's calls, which the driver's library exports under their GL 1.3 names.
    decltype(&::glActiveTexture) ActiveTextureARB;
    decltype(&::glMultiTexCoord2f) MultiTexCoord2fARB;
    decltype(&::glMultiTexCoord2fv) MultiTexCoord2fvARB;
};

extern const GlCalls mesaCalls;   // the driver's GL 1.1
extern const GlCalls layerCalls;  // the layer's

constexpr int sceneSide = 128;  // pixels, each side of the window the scenes draw into

using Steps = std::function<void(const GlCalls& gl)>;

class DifferentialTest : public ::testing::Test {
protected:
    // Runs the steps in a fresh compatibility context with Mesa's GL 1.1 calls.
    void onMesa(const Steps& steps);
    // Runs the steps in a fresh ES 2.0 context with a fresh layer context over it.
    void onLayer(const Steps& steps);
    // Runs the scene both ways and reads back what each drew.
    void drawBoth(const Steps& scene, Picture& mesa, Picture& layer);
    // Draws the scene both ways and expects the block comparison to pass with no block over
    // the tolerance and, as both draw on the same rasterizer, no block mean more than `within`
    // apart (a wrong equation often stays under the validation's tolerance). Returns the largest
    // block difference, which is also printed under the scene's name.
    double expectSamePicture(const std::string& scene, const Steps& steps, double within = 4.0);
};

// What a context answers to every query the layer covers (capabilities, current values, lighting
// and fog parameters, every parameter of three lights, framebuffer state, stack depths), each in
// all four query types.
std::vector<double> stateAnswers(const GlCalls& gl);
// Changes every state that stateAnswers reads from GL's initial value.
void changeEveryState(const GlCalls& gl);

// The whole window as GL's calls read it back, top row first.
Picture readScene(const GlCalls& gl);
