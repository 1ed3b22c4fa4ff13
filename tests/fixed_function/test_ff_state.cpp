// The layer's state and errors against Mesa's: capabilities and queries answer exactly as the
// driver answers them, and bad input gives GL's error and changes nothing.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "tests/fixed_function/differential.h"

namespace {

class StateTest : public DifferentialTest {};

TEST_F(StateTest, QueriesAnswerAsMesaAnswers) {
    std::vector<double> mesaInitial, layerInitial, mesaChanged, layerChanged;
    onMesa([&](const GlCalls& gl) {
        gl.Viewport(0, 0, sceneSide, sceneSide);
        mesaInitial = stateAnswers(gl);
        changeEveryState(gl);
        mesaChanged = stateAnswers(gl);
    });
    onLayer([&](const GlCalls& gl) {
        gl.Viewport(0, 0, sceneSide, sceneSide);
        layerInitial = stateAnswers(gl);
        changeEveryState(gl);
        layerChanged = stateAnswers(gl);
    });
    ASSERT_EQ(layerInitial.size(), mesaInitial.size());
    for (std::size_t k = 0; k < mesaInitial.size(); ++k) {
        EXPECT_EQ(layerInitial[k], mesaInitial[k]) << "GL's initial state, answer " << k;
        EXPECT_EQ(layerChanged[k], mesaChanged[k]) << "after the changes, answer " << k;
    }
}

// The program's full-screen switch gives it a new ES context with a new layer context over it.
// Whatever the old one was left with (every state changed, a list, the programs it generated)
// must not reach the new one, which starts from GL's initial state and makes its own ES objects.
TEST_F(StateTest, ANewContextStartsFromGlsInitialState) {
    const auto litFoggedQuad = [](const GlCalls& gl) {
        gl.Viewport(0, 0, sceneSide, sceneSide);
        gl.Clear(GL_COLOR_BUFFER_BIT);
        gl.Enable(GL_LIGHTING);
        gl.Enable(GL_LIGHT0);
        gl.Enable(GL_FOG);
        gl.Fogf(GL_FOG_DENSITY, 0.3f);
        gl.Translatef(0, 0, -0.5f);
        gl.Begin(GL_QUADS);
        gl.Normal3f(0.3f, 0.2f, 1);
        gl.Vertex2f(-0.8f, -0.8f), gl.Vertex2f(0.8f, -0.8f), gl.Vertex2f(0.8f, 0.8f), gl.Vertex2f(-0.8f, 0.8f);
        gl.End();
    };
    std::vector<double> initial, first, second;
    onMesa([&](const GlCalls& gl) {
        gl.Viewport(0, 0, sceneSide, sceneSide);
        initial = stateAnswers(gl);
    });
    Picture before, after;
    GLboolean listLeft = GL_TRUE;
    onLayer([&](const GlCalls& gl) {
        litFoggedQuad(gl);
        before = readScene(gl);
        gl.NewList(gl.GenLists(1), GL_COMPILE);
        gl.EndList();
        changeEveryState(gl);
        first = stateAnswers(gl);
    });
    onLayer([&](const GlCalls& gl) {
        gl.Viewport(0, 0, sceneSide, sceneSide);
        second = stateAnswers(gl);
        listLeft = gl.IsList(1);
        litFoggedQuad(gl);
        after = readScene(gl);
        EXPECT_EQ(gl.GetError(), GLenum(GL_NO_ERROR));
    });
    EXPECT_NE(first, initial) << "the first context was changed";
    EXPECT_EQ(second, initial) << "the second starts from GL's initial state";
    EXPECT_FALSE(listLeft) << "lists stay with their context";
    const BlockComparison same = compareBlocks(before, after, {});
    EXPECT_EQ(same.largest, 0.0) << "the second context draws with programs of its own, as the first did";
    Picture black = after;
    std::fill(black.rgb.begin(), black.rgb.end(), 0);
    EXPECT_GT(compareBlocks(black, after, {}).largest, blockTolerance) << "and draws at all";
}

// The framebuffer read back in each format the layer packs (ES reads RGBA alone), at every pack
// alignment, from a region whose rows need padding: byte for byte what Mesa writes, padding left
// as it was.
TEST_F(StateTest, PixelsReadBackAsMesaPacksThem) {
    const auto readEveryWay = [](std::vector<unsigned char>& bytes) {
        return [&bytes](const GlCalls& gl) {
            gl.Viewport(0, 0, sceneSide, sceneSide);
            gl.ClearColor(0.2f, 0.4f, 0.6f, 0.8f);
            gl.Clear(GL_COLOR_BUFFER_BIT);
            gl.Color3f(1, 0.5f, 0.25f);
            gl.Recti(0, 0, 1, 1);
            for (GLenum format : {GL_RGB, GL_RGBA, GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA})
                for (GLint alignment : {1, 2, 4, 8}) {
                    std::vector<unsigned char> region(5 * 3 * 4 + 3 * 8, 0xab);
                    gl.PixelStorei(GL_PACK_ALIGNMENT, alignment);
                    gl.ReadPixels(sceneSide / 2 - 2, sceneSide / 2 - 1, 5, 3, format, GL_UNSIGNED_BYTE, region.data());
                    bytes.insert(bytes.end(), region.begin(), region.end());
                }
            bytes.push_back(static_cast<unsigned char>(gl.GetError()));
        };
    };
    std::vector<unsigned char> mesa, layer;
    onMesa(readEveryWay(mesa));
    onLayer(readEveryWay(layer));
    EXPECT_EQ(layer, mesa);
}

// Each bad call in turn, with the error read after it; run on both, the errors must be the same,
// and the state must come through unchanged.
void badCalls(const GlCalls& gl, std::vector<GLenum>& errors, std::vector<double>& after) {
    auto note = [&] { errors.push_back(gl.GetError()); };
    gl.Enable(GL_TEXTURE_GEN_S - 1), note();  // no such capability
    gl.Disable(0x1234), note();
    gl.IsEnabled(GL_FRONT), note();
    GLfloat f[16] = {};
    gl.GetFloatv(GL_FRONT_AND_BACK, f), note();
    gl.MatrixMode(GL_LIGHTING), note();
    gl.Begin(GL_POLYGON + 100), note();
    gl.End(), note();  // End without Begin
    gl.Begin(GL_TRIANGLES);
    gl.Begin(GL_LINES);  // nested
    gl.Vertex2i(0, 0);
    gl.End(), note();
    gl.Begin(GL_QUADS);
    gl.Enable(GL_LIGHTING);  // not allowed between Begin and End
    gl.MatrixMode(GL_PROJECTION);
    gl.PushMatrix();
    errors.push_back(gl.GetError());  // GetError itself is refused here
    gl.End(), note();
    gl.Begin(GL_LINES);
    gl.Recti(0, 0, 1, 1);
    gl.End(), note();
    gl.PopMatrix(), note();  // underflow
    for (int k = 0; k < 40; ++k) gl.PushMatrix();
    note();  // overflow
    for (int k = 0; k < 40; ++k) gl.PopMatrix();
    note();
    gl.Ortho(0, 0, 0, 1, 0, 1), note();
    gl.Frustum(-1, 1, -1, 1, 0, 10), note();
    gl.Frustum(-1, 1, -1, 1, 2, 2), note();
    const GLfloat p[4] = {1, 1, 1, 1};
    gl.Lightfv(GL_LIGHT0 + 8, GL_DIFFUSE, p), note();
    gl.Lightfv(GL_LIGHT0, GL_SHININESS, p), note();
    gl.Lightf(GL_LIGHT0, GL_SPOT_CUTOFF, 91), note();
    gl.Lightf(GL_LIGHT0, GL_SPOT_EXPONENT, 129), note();
    gl.Lightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, -1), note();
    GLfloat answer[4] = {-9, -9, -9, -9};
    gl.GetLightfv(GL_LIGHT0 + 8, GL_DIFFUSE, answer), note();
    gl.GetLightfv(GL_LIGHT0, GL_SHININESS, answer), note();
    errors.push_back(answer[0] == -9);  // left as it was
    gl.Begin(GL_POINTS);
    gl.Finish();
    gl.End(), note();
    gl.Materialf(GL_FRONT, GL_SHININESS, 200), note();
    gl.Materialfv(GL_FRONT, GL_POSITION, p), note();
    gl.Materialfv(GL_LEFT, GL_DIFFUSE, p), note();
    gl.ColorMaterial(GL_FRONT, GL_SHININESS), note();
    gl.LightModelf(GL_FOG, 1), note();
    gl.Fogi(GL_FOG_MODE, GL_LINEAR + 1), note();
    gl.Fogf(GL_FOG_DENSITY, -1), note();
    gl.Viewport(0, 0, -1, 4), note();
    gl.DepthFunc(GL_NEVER - 1), note();
    gl.BlendFunc(GL_SRC_ALPHA_SATURATE + 1, GL_ZERO), note();
    gl.Clear(GL_ACCUM_BUFFER_BIT << 8), note();
    gl.PixelStorei(GL_PACK_ALIGNMENT, 3), note();
    gl.PixelStorei(GL_UNPACK_ROW_LENGTH, -1), note();
    gl.PixelStorei(GL_UNPACK_SKIP_PIXELS, -8), note();
    gl.ReadPixels(0, 0, 1, 1, GL_RGB, GL_FLOAT + 100, f), note();
    gl.ReadPixels(0, 0, -1, 1, GL_RGB, GL_UNSIGNED_BYTE, f), note();
    errors.push_back(gl.GetString(GL_VERSION + 10) == nullptr), note();
    const GLuint indices[3] = {0, 1, 2};
    gl.DrawElements(GL_TRIANGLES, 3, GL_FLOAT, indices), note();
    gl.DrawElements(GL_TRIANGLES, -3, GL_UNSIGNED_INT, indices), note();
    gl.DrawElements(GL_POLYGON + 100, 3, GL_UNSIGNED_INT, indices), note();
    gl.VertexPointer(1, GL_FLOAT, 0, f), note();
    gl.ColorPointer(4, GL_FLOAT, -4, f), note();
    gl.EnableClientState(GL_LIGHTING), note();
    gl.PolygonMode(GL_FRONT_AND_BACK, GL_FRONT), note();
    gl.LineWidth(0), note();
    // Two errors in a row: GL keeps the first until it is read.
    gl.MatrixMode(0), gl.PopMatrix(), note(), note();
    after = stateAnswers(gl);
}

TEST_F(StateTest, BadInputGivesGlsErrorAndChangesNothing) {
    std::vector<GLenum> mesaErrors, layerErrors;
    std::vector<double> mesaAfter, layerAfter;
    onMesa([&](const GlCalls& gl) { badCalls(gl, mesaErrors, mesaAfter); });
    onLayer([&](const GlCalls& gl) { badCalls(gl, layerErrors, layerAfter); });
    ASSERT_EQ(layerErrors.size(), mesaErrors.size());
    for (std::size_t k = 0; k < mesaErrors.size(); ++k)
        EXPECT_EQ(layerErrors[k], mesaErrors[k]) << "error after bad call " << k;
    EXPECT_EQ(layerAfter, mesaAfter) << "the state after all the bad calls";

    // Where Mesa is more lenient than the OpenGL 1.1 standard, the layer keeps the standard: a
    // vector parameter given to the single-value calls is refused.
    onLayer([](const GlCalls& gl) {
        gl.Lightf(GL_LIGHT0, GL_DIFFUSE, 1);
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_ENUM)) << "glLightf(GL_DIFFUSE)";
        gl.LightModelf(GL_LIGHT_MODEL_AMBIENT, 1);
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_ENUM)) << "glLightModelf(GL_LIGHT_MODEL_AMBIENT)";
        gl.Fogf(GL_FOG_COLOR, 1);
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_ENUM)) << "glFogf(GL_FOG_COLOR)";
        GLfloat white[4] = {};
        gl.GetFloatv(GL_FOG_COLOR, white);
        EXPECT_EQ(white[0], 0.0f) << "the refused fog colour was not taken";
    });
    // What Mesa offers and the layer refuses, with GL's error rather than a wrong picture: 1D
    // textures, two-sided lighting.
    onLayer([](const GlCalls& gl) {
        gl.MatrixMode(GL_COLOR);
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_ENUM)) << "colour matrix";
        gl.Enable(GL_TEXTURE_1D);
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_ENUM)) << "1D texturing";
        gl.LightModelf(GL_LIGHT_MODEL_TWO_SIDE, 1);
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_VALUE)) << "two-sided lighting";
        const GLshort shorts[6] = {};
        gl.VertexPointer(2, GL_SHORT, 0, shorts);
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_ENUM)) << "integer vertex arrays";
        gl.PolygonMode(GL_FRONT, GL_LINE);  // front and back faces are drawn alike
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_ENUM)) << "one face's polygon mode";
        GLubyte pixel[4] = {};
        gl.ReadPixels(0, 0, 1 << 20, 1 << 20, GL_RGBA, GL_UNSIGNED_BYTE, pixel);  // no copy that size
        EXPECT_EQ(gl.GetError(), GLenum(GL_OUT_OF_MEMORY)) << "a read larger than any framebuffer";
        gl.DrawArrays(GL_TRIANGLES, -1, 3);  // would read before the array
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_VALUE)) << "negative first vertex";
        // An array switched on with no memory behind it draws nothing rather than reading address 0.
        const GLfloat triangle[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
        const GLuint corners[3] = {0, 1, 2};
        gl.VertexPointer(3, GL_FLOAT, 0, triangle);
        gl.NormalPointer(GL_FLOAT, 0, nullptr);
        gl.EnableClientState(GL_VERTEX_ARRAY);
        gl.EnableClientState(GL_NORMAL_ARRAY);
        gl.DrawArrays(GL_TRIANGLES, 0, 3);
        gl.DrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_INT, corners);
        EXPECT_EQ(gl.GetError(), GLenum(GL_NO_ERROR)) << "an array without memory";
        gl.DisableClientState(GL_NORMAL_ARRAY);
        gl.DisableClientState(GL_VERTEX_ARRAY);
        GLint depth = 0;
        gl.GetIntegerv(GL_MATRIX_MODE, &depth);
        EXPECT_EQ(depth, GL_MODELVIEW) << "the refused mode was not taken";
    });
    // The version says GL 1.1, the layer, and the ES driver under it.
    onLayer([](const GlCalls& gl) {
        const std::string version = reinterpret_cast<const char*>(gl.GetString(GL_VERSION));
        EXPECT_EQ(version.rfind("1.1 ", 0), 0u) << version;
        EXPECT_NE(version.find("fixed-function layer on OpenGL ES "), std::string::npos) << version;
        std::cout << "[ version  ] " << version << "\n";
        EXPECT_NE(gl.GetString(GL_RENDERER), nullptr);
    });
    // Without a current layer context every call is ignored, and nothing crashes.
    ff::makeCurrent(nullptr);
    ff::Begin(GL_QUADS);
    ff::Vertex3f(1, 2, 3);
    ff::End();
    ff::PushMatrix();
    const GLubyte bits[1] = {0xff};
    ff::RasterPos2i(1, 2);
    ff::Bitmap(1, 1, 0, 0, 1, 1, bits);
    ff::Sphere(nullptr, 1, 8, 8);  // no quadric either
    EXPECT_EQ(ff::IsEnabled(GL_LIGHTING), GL_FALSE);
    EXPECT_EQ(ff::GetError(), GLenum(GL_NO_ERROR));
    // A loader that finds nothing gives no context, and says which entry point it missed.
    const char* why = nullptr;
    EXPECT_EQ(ff::createContext([](const char*) -> void* { return nullptr; }, &why), nullptr);
    ASSERT_NE(why, nullptr);
    EXPECT_STREQ(why, "glActiveTexture");
}

}  // namespace
