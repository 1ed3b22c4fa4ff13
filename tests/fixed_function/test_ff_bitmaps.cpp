// The layer's raster position, bitmaps and GLU spheres against Mesa's GL 1.1 and libGLU: text
// drawn from glyph lists as the overlay draws it, with the depth test and fog; bitmaps laid out
// by every unpack rule and kept by lists as compiled; the raster state in every query; spheres
// in each of GLU's styles; and bad input.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/fixed_function/differential.h"

namespace {

// Glyphs 9 pixels wide and 10 high, top row first ('X' set), so that each row takes two bytes.
const std::vector<std::string> glyphF = {"XXXXXXXX.", "XX.......", "XX.......", "XX.......", "XXXXXX...",
                                         "XX.......", "XX.......", "XX.......", "XX.......", "XX......."};
const std::vector<std::string> glyphA = {"...XXX...", "..XX.XX..", ".XX...XX.", "XX.....XX", "XX.....XX",
                                         "XXXXXXXXX", "XX.....XX", "XX.....XX", "XX.....XX", "XX.....XX"};
const std::vector<std::string> glyphC = {"..XXXXXX.", ".XX....XX", "XX.......", "XX.......", "XX.......",
                                         "XX.......", "XX.......", "XX.......", ".XX....XX", "..XXXXXX."};
const std::vector<std::string> glyphE = {"XXXXXXXXX", "XX.......", "XX.......", "XX.......", "XXXXXXX..",
                                         "XX.......", "XX.......", "XX.......", "XX.......", "XXXXXXXXX"};

// A bitmap in memory as glPixelStorei's rules lay it out: `rowLength` pixels a row (0: its
// width), rows padded to `alignment` bytes, after `skipRows` rows and `skipPixels` pixels, each
// byte's first pixel in its highest bit or, `lsbFirst`, its lowest. Rows bottom first in memory.
std::vector<GLubyte> packBitmap(const std::vector<std::string>& topFirst, bool lsbFirst = false, int alignment = 1,
                                int rowLength = 0, int skipRows = 0, int skipPixels = 0) {
    const int width = int(topFirst[0].size()), height = int(topFirst.size());
    const int rowPixels = rowLength ? rowLength : width;
    const int rowBytes = ((rowPixels + 7) / 8 + alignment - 1) / alignment * alignment;
    std::vector<GLubyte> bytes(std::size_t(rowBytes) * (skipRows + height) + 1, 0);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            if (topFirst[height - 1 - row][column] != 'X') continue;
            const int bit = (skipRows + row) * rowBytes * 8 + skipPixels + column;
            bytes[bit / 8] |= GLubyte(lsbFirst ? 1 << (bit % 8) : 0x80 >> (bit % 8));
        }
    return bytes;
}

void orthoWindow(const GlCalls& gl) {
    gl.ClearColor(0.05f, 0.1f, 0.3f, 1);
    gl.ClearDepth(1);
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    gl.Ortho(0, sceneSide, 0, sceneSide, -1, 1);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
}

// Lists 'A' to 'F' from `base` + 'A' as a font builds them (alignment 1, most significant bit
// first, fractional origins and advances): A, C, E and F draw, B is a space, D moves up as well
// as along. E is compiled and drawn at once.
void compileGlyphs(const GlCalls& gl, GLuint base) {
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const std::vector<GLubyte> a = packBitmap(glyphA), c = packBitmap(glyphC), e = packBitmap(glyphE),
                               f = packBitmap(glyphF);
    gl.NewList(base + 'A', GL_COMPILE), gl.Bitmap(9, 10, -0.5f, 2, 10.5f, 0, a.data()), gl.EndList();
    // Blank glyphs as one clear bit: Mesa 22.3 records nothing for a bitmap without bits in a list.
    const GLubyte clear[1] = {0};
    gl.NewList(base + 'B', GL_COMPILE), gl.Bitmap(1, 1, 0, 0, 6, 0, clear), gl.EndList();
    gl.NewList(base + 'C', GL_COMPILE), gl.Bitmap(9, 10, 0.25f, 0, 11, 0, c.data()), gl.EndList();
    gl.NewList(base + 'D', GL_COMPILE), gl.Bitmap(1, 1, 0, 0, 2, 3.5f, clear), gl.EndList();
    gl.NewList(base + 'E', GL_COMPILE_AND_EXECUTE), gl.Bitmap(9, 10, 0, 0, 10, 0, e.data()), gl.EndList();
    gl.NewList(base + 'F', GL_COMPILE), gl.Bitmap(9, 10, 1, -1, 9.75f, 0, f.data()), gl.EndList();
    // What the lists hold was unpacked when they were compiled: later rules change nothing.
    gl.PixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
    gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 3);
}

void text(const GlCalls& gl, const char* line) { gl.CallLists(GLsizei(std::strlen(line)), GL_UNSIGNED_BYTE, line); }

class BitmapsTest : public DifferentialTest {};

TEST_F(BitmapsTest, TextThroughGlyphListsAsMesaDrawsIt) {
    expectSamePicture("bitmap-text", [](const GlCalls& gl) {
        orthoWindow(gl);
        const GLuint base = gl.GenLists(200);
        gl.RasterPos2i(100, 4);
        compileGlyphs(gl, base);
        gl.ListBase(base);

        // Behind a nearer quad, with the depth test on: the hidden half of the line stays hidden.
        gl.Enable(GL_DEPTH_TEST);
        gl.Color3f(0.5f, 0.5f, 0.5f);
        gl.Begin(GL_QUADS);
        gl.Vertex3f(40, 88, 0.5f), gl.Vertex3f(70, 88, 0.5f), gl.Vertex3f(70, 124, 0.5f), gl.Vertex3f(40, 124, 0.5f);
        gl.End();
        gl.Color3f(1, 0.8f, 0.2f);
        gl.RasterPos2i(4, 110);
        text(gl, "FACEBFADCE");
        gl.RasterPos3f(4, 92, 0.9f);  // nearer than the quad: drawn over it
        text(gl, "CAFEBDEAF");

        // Fog on, as the overlay may draw with it: its text, at depth 0 in eye coordinates, stays
        // unfogged. The colour is the one current at glRasterPos.
        const GLfloat fogColour[4] = {0.2f, 0.9f, 0.3f, 1};
        gl.Fogfv(GL_FOG_COLOR, fogColour);
        gl.Fogi(GL_FOG_MODE, GL_LINEAR);
        gl.Fogf(GL_FOG_START, 0);
        gl.Fogf(GL_FOG_END, 1);
        gl.Enable(GL_FOG);
        gl.Color3f(1, 1, 1);
        gl.RasterPos2f(4.5f, 74.75f);
        gl.Color3f(1, 0, 0);  // too late for the raster colour
        text(gl, "FACE");
        gl.Fogi(GL_FOG_MODE, GL_EXP);
        gl.Fogf(GL_FOG_DENSITY, 2);
        text(gl, "CAFE");
        gl.Disable(GL_FOG);
        gl.Disable(GL_DEPTH_TEST);

        // Off the clip volume: nothing drawn and no advance, until a valid position comes.
        gl.Color3f(0.3f, 1, 1);
        gl.RasterPos2i(sceneSide + 20, 60);
        text(gl, "FACE");
        gl.RasterPos2i(30, 60);
        text(gl, "AC");

        // Past the viewport's edge, but inside the window: bitmaps are not clipped to the viewport.
        gl.Viewport(0, 0, sceneSide / 2, sceneSide / 2);
        gl.RasterPos2i(100, 40);
        text(gl, "FACEFACE");
        gl.Viewport(0, 0, sceneSide, sceneSide);
    });
}

TEST_F(BitmapsTest, FoggedAsAPolygonAtTheSameDepth) {
    // Away from depth 0 a bitmap is fogged as any fragment at its depth: as Mesa fogs a quad there
    // (Mesa 22.3 itself leaves bitmaps unfogged).
    const auto fogged = [](std::vector<int>& pixels) {
        return [&pixels](const GlCalls& gl) {
            gl.Viewport(0, 0, sceneSide, sceneSide);
            orthoWindow(gl);
            const GLfloat fogColour[4] = {0.2f, 0.9f, 0.3f, 1};
            gl.Fogfv(GL_FOG_COLOR, fogColour);
            gl.Fogf(GL_FOG_DENSITY, 2);
            gl.Enable(GL_FOG);
            gl.Color3f(1, 0.5f, 0.1f);
            gl.Begin(GL_QUADS);
            gl.Vertex3f(10, 10, 0.6f), gl.Vertex3f(30, 10, 0.6f), gl.Vertex3f(30, 30, 0.6f), gl.Vertex3f(10, 30, 0.6f);
            gl.End();
            const std::vector<GLubyte> bits(64, 0xff);  // rows of 2 bytes padded to 4
            gl.RasterPos3f(60, 10, 0.6f);
            gl.Bitmap(16, 16, 0, 0, 0, 0, bits.data());
            GLubyte rgb[2][3];
            gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
            gl.ReadPixels(20, 20, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb[0]);
            gl.ReadPixels(68, 18, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb[1]);
            pixels.assign(&rgb[0][0], &rgb[0][0] + 6);
        };
    };
    std::vector<int> mesa, layer;
    onMesa(fogged(mesa));
    onLayer(fogged(layer));
    ASSERT_EQ(mesa.size(), 6u);
    ASSERT_EQ(layer.size(), 6u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(layer[k], mesa[k], 1) << "the fogged quad, component " << k;
        EXPECT_NEAR(layer[3 + k], mesa[k], 1) << "the fogged bitmap, component " << k;
    }
}

TEST_F(BitmapsTest, UnpackRulesLayOutTheBits) {
    // Each bitmap laid out by one set of rules, drawn at once and from a list compiled under them,
    // then the rules reset: the two copies must match Mesa's.
    struct Layout {
        bool lsbFirst;
        int alignment, rowLength, skipRows, skipPixels;
    };
    const Layout layouts[] = {{true, 1, 0, 0, 0}, {false, 4, 0, 0, 0}, {true, 8, 21, 2, 5}, {false, 2, 13, 1, 3}};
    expectSamePicture("bitmap-unpack-rules", [&layouts](const GlCalls& gl) {
        orthoWindow(gl);
        int y = 8;
        for (const Layout& l : layouts) {
            const std::vector<GLubyte> bits =
                packBitmap(glyphA, l.lsbFirst, l.alignment, l.rowLength, l.skipRows, l.skipPixels);
            gl.PixelStorei(GL_UNPACK_LSB_FIRST, l.lsbFirst);
            gl.PixelStorei(GL_UNPACK_ALIGNMENT, l.alignment);
            gl.PixelStorei(GL_UNPACK_ROW_LENGTH, l.rowLength);
            gl.PixelStorei(GL_UNPACK_SKIP_ROWS, l.skipRows);
            gl.PixelStorei(GL_UNPACK_SKIP_PIXELS, l.skipPixels);
            gl.Color3f(1, 0.1f * float(y % 7), 0.5f);
            gl.RasterPos2i(8, y);
            gl.Bitmap(9, 10, 0, 0, 20, 0, bits.data());
            const GLuint list = gl.GenLists(1);
            gl.NewList(list, GL_COMPILE);
            gl.Bitmap(9, 10, 0, 0, 20, 0, bits.data());
            gl.EndList();
            gl.PushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
            gl.PixelStorei(GL_UNPACK_LSB_FIRST, !l.lsbFirst);
            gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 0);
            gl.CallList(list);
            gl.PopClientAttrib();
            y += 16;
        }
        // Many bits: a checkerboard 100 x 40, from a list, half off the window.
        std::vector<std::string> board(40, std::string(100, '.'));
        for (int row = 0; row < 40; ++row)
            for (int column = 0; column < 100; ++column)
                if ((row / 4 + column / 4) % 2) board[row][column] = 'X';
        const std::vector<GLubyte> bits = packBitmap(board, false, 4);
        gl.PixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
        gl.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
        gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        gl.PixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        gl.Color3f(0.4f, 1, 0.4f);
        gl.RasterPos2i(60, 50);
        gl.Bitmap(100, 40, 0, 0, 0, 0, bits.data());
    });
}

// The raster state, each value in float, integer and boolean form; the colour only when asked.
std::vector<double> rasterAnswers(const GlCalls& gl, bool colour) {
    std::vector<double> all;
    for (GLenum q : {GL_CURRENT_RASTER_POSITION, GL_CURRENT_RASTER_POSITION_VALID, GL_CURRENT_RASTER_COLOR,
                     GL_CURRENT_RASTER_DISTANCE, GL_CURRENT_RASTER_TEXTURE_COORDS}) {
        if (q == GL_CURRENT_RASTER_COLOR && !colour) continue;
        GLfloat f[4] = {-9, -9, -9, -9};
        GLint i[4] = {-9, -9, -9, -9};
        GLboolean b[4] = {7, 7, 7, 7};
        gl.GetFloatv(q, f);
        gl.GetIntegerv(q, i);
        gl.GetBooleanv(q, b);
        for (int k = 0; k < 4; ++k) all.insert(all.end(), {f[k], double(i[k]), double(b[k])});
    }
    all.push_back(gl.GetError());
    return all;
}

TEST_F(BitmapsTest, RasterStateAnswersAsMesas) {
    // Exact answers, but for the raster colour where Mesa 22.3 departs from the OpenGL 1.1
    // standard: it leaves the colour unclamped, and lights the raster position with positional
    // and spot lights otherwise than its own vertices. There the layer's colour must be the
    // standard's: clamped, and the colour Mesa gives a point drawn at the same place.
    struct Results {
        std::vector<std::vector<double>> answers;
        std::vector<float> clamped, lit, litPoint;
    };
    const auto steps = [](Results& results) {
        return [&results](const GlCalls& gl) {
            const auto note = [&](bool colour = false) { results.answers.push_back(rasterAnswers(gl, colour)); };
            note(true);  // GL's initial raster state
            gl.MatrixMode(GL_PROJECTION);
            gl.Frustum(-1, 1, -0.75, 0.75, 1, 20);
            gl.MatrixMode(GL_MODELVIEW);
            gl.Translatef(0.5f, -0.25f, -4);
            gl.Rotatef(30, 0, 1, 0);
            gl.Color4f(0.3f, 0.6f, 0.9f, 0.5f);
            gl.TexCoord2f(0.25f, 0.75f);
            gl.RasterPos3f(0.2f, 0.4f, 0.6f), note(true);
            GLfloat colour[4];
            gl.Color4f(1.5f, -0.5f, 0.5f, 2), gl.RasterPos2f(0, 0), note();
            gl.GetFloatv(GL_CURRENT_RASTER_COLOR, colour);
            results.clamped.assign(colour, colour + 4);
            // Lit: colour material, a spot light with attenuation, the local viewer, normalization.
            const GLfloat position[4] = {1, 2, 3, 1}, direction[3] = {-0.2f, -0.5f, -0.8f};
            const GLfloat specular[4] = {0.8f, 0.7f, 0.6f, 1};
            gl.Lightfv(GL_LIGHT1, GL_POSITION, position);
            gl.Lightfv(GL_LIGHT1, GL_SPOT_DIRECTION, direction);
            gl.Lightf(GL_LIGHT1, GL_SPOT_CUTOFF, 60);
            gl.Lightf(GL_LIGHT1, GL_SPOT_EXPONENT, 3);
            gl.Lightfv(GL_LIGHT1, GL_DIFFUSE, specular);
            gl.Lightfv(GL_LIGHT1, GL_SPECULAR, specular);
            gl.Lightf(GL_LIGHT1, GL_LINEAR_ATTENUATION, 0.1f);
            gl.Materialfv(GL_FRONT, GL_SPECULAR, specular);
            gl.Materialf(GL_FRONT, GL_SHININESS, 12);
            gl.LightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
            gl.Enable(GL_LIGHTING), gl.Enable(GL_LIGHT0), gl.Enable(GL_LIGHT1);
            gl.Enable(GL_COLOR_MATERIAL), gl.Enable(GL_NORMALIZE);
            gl.Color3f(0.3f, 0.2f, 0.1f);
            gl.Normal3f(0.5f, 1, 2);
            gl.RasterPos4f(0.1f, 0.2f, 0.3f, 1.25f), note();
            gl.GetFloatv(GL_CURRENT_RASTER_COLOR, colour);
            results.lit.assign(colour, colour + 4);
            GLfloat window[4];
            gl.GetFloatv(GL_CURRENT_RASTER_POSITION, window);
            gl.Begin(GL_POINTS), gl.Vertex4f(0.1f, 0.2f, 0.3f, 1.25f), gl.End();
            GLubyte point[4];
            gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
            gl.ReadPixels(GLint(window[0]), GLint(window[1]), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, point);
            for (GLubyte c : point) results.litPoint.push_back(c / 255.0f);
            gl.Disable(GL_LIGHTING);
            // Moved by bitmaps, with and without bits; kept by glPushAttrib's current group.
            gl.Color3f(0.3f, 0.2f, 0.1f), gl.RasterPos4f(0.1f, 0.2f, 0.3f, 1.25f);
            gl.PushAttrib(GL_CURRENT_BIT);
            const GLubyte bits[16] = {0xff, 0, 0, 0, 0x80, 0, 0, 0, 0x81, 0, 0, 0, 0xff};  // rows padded to 4
            gl.Bitmap(0, 0, 0, 0, 3.25f, -1.5f, nullptr);
            gl.Bitmap(8, 4, 2, 2, -7.5f, 2.25f, bits), note(true);
            gl.Color3f(1, 1, 0), gl.RasterPos2i(0, 0);
            gl.PopAttrib(), note(true);
            // Behind the eye, then past the far plane: invalid, and bitmaps then move nothing.
            gl.RasterPos3f(0, 0, 5), note(true);
            gl.Bitmap(0, 0, 0, 0, 10, 10, nullptr), note(true);
            gl.RasterPos3f(0, 0, -30), note(true);
            gl.PushAttrib(GL_CURRENT_BIT);
            gl.RasterPos3f(0, 0, 0);
            gl.PopAttrib(), note(true);  // invalid again
            // Lists keep glRasterPos and run it when called.
            const GLuint list = gl.GenLists(1);
            gl.NewList(list, GL_COMPILE);
            gl.RasterPos2i(-1, 1);
            gl.EndList(), note(true);
            gl.CallList(list), note(true);
        };
    };
    Results mesa, layer;
    onMesa(steps(mesa));
    onLayer(steps(layer));
    ASSERT_EQ(layer.answers.size(), mesa.answers.size());
    for (std::size_t k = 0; k < mesa.answers.size(); ++k) {
        ASSERT_EQ(layer.answers[k].size(), mesa.answers[k].size());
        for (std::size_t v = 0; v < mesa.answers[k].size(); ++v)
            EXPECT_EQ(layer.answers[k][v], mesa.answers[k][v]) << "step " << k << ", answer " << v;
    }
    EXPECT_EQ(layer.clamped, std::vector<float>({1, 0, 0.5f, 1}));
    ASSERT_EQ(layer.lit.size(), 4u);
    ASSERT_EQ(mesa.litPoint.size(), 4u);
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(layer.lit[k], mesa.litPoint[k], 1.0 / 255) << "lit, component " << k;
}

TEST_F(BitmapsTest, BadInputGivesMesasErrors) {
    const auto badCalls = [](std::vector<GLenum>& errors) {
        return [&errors](const GlCalls& gl) {
            auto note = [&] { errors.push_back(gl.GetError()); };
            const GLubyte bits[8] = {};
            gl.Bitmap(-1, 4, 0, 0, 0, 0, bits), note();
            gl.Bitmap(4, -1, 0, 0, 0, 0, bits), note();
            gl.Bitmap(-1, -1, 0, 0, 0, 0, nullptr), note();
            // Kept in a list, a bad size is refused when the list runs.
            gl.NewList(1, GL_COMPILE);
            gl.Bitmap(-3, 2, 0, 0, 0, 0, bits), note();
            gl.EndList();
            gl.CallList(1), note();
            gl.Begin(GL_POINTS);
            gl.Bitmap(2, 2, 0, 0, 0, 0, bits);
            gl.End(), note();
            gl.Begin(GL_POINTS);
            gl.RasterPos2i(1, 1);
            gl.End(), note();
        };
    };
    std::vector<GLenum> mesa, layer;
    onMesa(badCalls(mesa));
    onLayer(badCalls(layer));
    EXPECT_EQ(layer, mesa);

    // Unpack rules that place the bits beyond what memory can address, and more bits than any
    // window shows, are refused before anything is read, at once and when compiling (Mesa would
    // read there); nothing moves.
    onLayer([](const GlCalls& gl) {
        const GLubyte bits[1] = {0xff};
        gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 1 << 20);
        gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 1 << 30);
        gl.Bitmap(8, 1, 0, 0, 5, 0, bits);
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_VALUE));
        gl.NewList(1, GL_COMPILE);
        gl.Bitmap(8, 1, 0, 0, 5, 0, bits);
        EXPECT_EQ(gl.GetError(), GLenum(GL_INVALID_VALUE));
        gl.EndList();
        gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        gl.Bitmap(1 << 15, 1 << 15, 0, 0, 5, 0, bits);  // 128 MiB of bits that the caller does not have
        EXPECT_EQ(gl.GetError(), GLenum(GL_OUT_OF_MEMORY));
        gl.CallList(1);
        GLfloat raster[4] = {};
        gl.GetFloatv(GL_CURRENT_RASTER_POSITION, raster);
        EXPECT_EQ(raster[0], 0.0f) << "a refused bitmap does not move the raster position";
        // A bitmap without bits in a list keeps its move (Mesa 22.3 records nothing and raises
        // GL_OUT_OF_MEMORY, so that a font's space does not advance).
        gl.NewList(2, GL_COMPILE);
        gl.Bitmap(0, 0, 0, 0, 7, 1.5f, nullptr);
        gl.Bitmap(3, 2, 0, 0, 2, 0, nullptr);
        gl.EndList();
        gl.CallList(2);
        gl.GetFloatv(GL_CURRENT_RASTER_POSITION, raster);
        EXPECT_EQ(raster[0], 9.0f);
        EXPECT_EQ(raster[1], 1.5f);
        EXPECT_EQ(gl.GetError(), GLenum(GL_NO_ERROR));
    });
}

class QuadricsTest : public DifferentialTest {};

void perspectiveView(const GlCalls& gl) {
    gl.ClearColor(0.05f, 0.05f, 0.1f, 1);
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.Enable(GL_DEPTH_TEST);
    gl.Enable(GL_CULL_FACE);  // back faces culled: the primitives must turn as GLU's
    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    gl.Perspective(40, 1, 1, 30);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
    gl.Translatef(0, 0, -6);
}

void lightColourMaterial(const GlCalls& gl) {
    const GLfloat position[4] = {-3, 4, 5, 1}, specular[4] = {0.9f, 0.9f, 0.9f, 1};
    gl.Lightfv(GL_LIGHT0, GL_POSITION, position);
    gl.Materialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    gl.Materialf(GL_FRONT_AND_BACK, GL_SHININESS, 20);
    gl.Enable(GL_COLOR_MATERIAL);
    gl.Enable(GL_LIGHTING);
    gl.Enable(GL_LIGHT0);
}

TEST_F(QuadricsTest, SpheresAsGluMakesThem) {
    // A lit colour-material sphere as GLU draws it by default: fans at the poles, quad strips
    // between, smooth normals facing out; turned so that a pole faces the eye.
    expectSamePicture("glu-sphere-lit", [](const GlCalls& gl) {
        perspectiveView(gl);
        lightColourMaterial(gl);
        gl.Rotatef(-60, 1, 0.2f, 0);
        gl.Color3f(0.9f, 0.6f, 0.3f);
        GLUquadric* quadric = gl.NewQuadric();
        gl.Sphere(quadric, 1.8, 24, 16);
        gl.DeleteQuadric(quadric);
    });
    // The other styles side by side: textured strips down to the poles with flat normals facing
    // in, lines, the silhouette (as lines, as GLU has it for spheres) and points.
    expectSamePicture("glu-sphere-styles", [](const GlCalls& gl) {
        perspectiveView(gl);
        lightColourMaterial(gl);
        GLUquadric* quadric = gl.NewQuadric();
        gl.Color3f(0.4f, 0.8f, 1);
        gl.PushMatrix();
        gl.Translatef(-1.1f, 1.1f, 0), gl.Rotatef(70, 1, 0, 0);
        gl.QuadricTexture(quadric, GL_TRUE);
        gl.QuadricNormals(quadric, GLU_FLAT);
        gl.QuadricOrientation(quadric, GLU_INSIDE);
        gl.Sphere(quadric, 0.9, 12, 9);
        gl.PopMatrix();
        gl.QuadricOrientation(quadric, GLU_OUTSIDE);
        gl.QuadricNormals(quadric, GLU_SMOOTH);
        const GLenum styles[3] = {GLU_LINE, GLU_SILHOUETTE, GLU_POINT};
        const float places[3][2] = {{1.1f, 1.1f}, {-1.1f, -1.1f}, {1.1f, -1.1f}};
        for (int k = 0; k < 3; ++k) {
            gl.PushMatrix();
            gl.Translatef(places[k][0], places[k][1], 0), gl.Rotatef(50, 1, 0.5f, 0);
            gl.QuadricDrawStyle(quadric, styles[k]);
            gl.Sphere(quadric, 0.9, 10 + k, 7);
            gl.PopMatrix();
        }
        gl.DeleteQuadric(quadric);
    });

    // The last normal and texture coordinate each combination leaves current are GLU's, bit for
    // bit; bad sizes draw nothing and leave them. Points and silhouettes with flat normals are
    // left out: there GLU reads normals it never computed (the layer gives the smooth ones).
    const auto lastValues = [](std::vector<float>& results) {
        return [&results](const GlCalls& gl) {
            GLUquadric* quadric = gl.NewQuadric();
            for (GLenum style : {GLU_FILL, GLU_LINE, GLU_SILHOUETTE, GLU_POINT})
                for (GLenum normals : {GLU_SMOOTH, GLU_FLAT, GLU_NONE})
                    for (GLenum orientation : {GLU_OUTSIDE, GLU_INSIDE})
                        for (GLboolean textured : {GL_FALSE, GL_TRUE}) {
                            if (normals == GLU_FLAT && (style == GLU_POINT || style == GLU_SILHOUETTE)) continue;
                            gl.QuadricDrawStyle(quadric, style);
                            gl.QuadricNormals(quadric, normals);
                            gl.QuadricOrientation(quadric, orientation);
                            gl.QuadricTexture(quadric, textured);
                            gl.Normal3f(9, 9, 9), gl.TexCoord2f(9, 9);
                            gl.Sphere(quadric, 1.25, 7, 5);
                            GLfloat normal[3], texCoord[4];
                            gl.GetFloatv(GL_CURRENT_NORMAL, normal);
                            gl.GetFloatv(GL_CURRENT_TEXTURE_COORDS, texCoord);
                            results.insert(results.end(), normal, normal + 3);
                            results.insert(results.end(), texCoord, texCoord + 4);
                        }
            gl.QuadricDrawStyle(quadric, GLU_FILL);
            gl.Normal3f(2, 3, 4);
            gl.Sphere(quadric, -1, 7, 5), gl.Sphere(quadric, 1, 1, 5), gl.Sphere(quadric, 1, 7, 0);
            GLfloat normal[3];
            gl.GetFloatv(GL_CURRENT_NORMAL, normal);
            results.insert(results.end(), normal, normal + 3);
            gl.DeleteQuadric(quadric);
        };
    };
    std::vector<float> mesa, layer;
    onMesa(lastValues(mesa));
    onLayer(lastValues(layer));
    ASSERT_EQ(layer.size(), mesa.size());
    for (std::size_t k = 0; k < mesa.size(); ++k) EXPECT_EQ(layer[k], mesa[k]) << "value " << k << " (7 a sphere)";
}

}  // namespace
