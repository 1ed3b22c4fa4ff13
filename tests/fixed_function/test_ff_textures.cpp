// The layer's textures against Mesa's: two units modulated under their own texture matrices,
// every base format under each environment, mipmaps built by GLU and sampled while a plane
// recedes, images read under the unpack rules, texture calls in display lists, the texture
// state through the attribute stacks, and bad input.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tests/fixed_function/differential.h"

namespace {

using Bytes = std::vector<GLubyte>;

// A w x h image of `components` bytes a pixel whose texels all differ from their neighbours.
Bytes pattern(int w, int h, int components, int seed) {
    Bytes image(std::size_t(w) * h * components);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < components; ++k)
                image[(std::size_t(y) * w + x) * components + k] =
                    GLubyte((x * 67 + y * 101 + k * 53 + seed * 29 + (x * y % 7) * 31 + ((x + y) % 2) * 90) & 255);
    return image;
}

// A bound texture of one level with the filters given.
GLuint texture(const GlCalls& gl, GLint internalFormat, int w, int h, GLenum format, const Bytes& pixels,
               GLenum filter = GL_NEAREST) {
    GLuint name = 0;
    gl.GenTextures(1, &name);
    gl.BindTexture(GL_TEXTURE_2D, name);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    gl.TexImage2D(GL_TEXTURE_2D, 0, internalFormat, w, h, 0, format, GL_UNSIGNED_BYTE, pixels.data());
    return name;
}

void pixelView(const GlCalls& gl) {
    gl.ClearColor(0.2f, 0.35f, 0.5f, 1);
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.MatrixMode(GL_PROJECTION);
    gl.Ortho(0, sceneSide, 0, sceneSide, -1, 1);
    gl.MatrixMode(GL_MODELVIEW);
}

void quad(const GlCalls& gl, float x, float y, float w, float h) {
    gl.Begin(GL_QUADS);
    gl.TexCoord2f(0, 0), gl.Vertex2f(x, y);
    gl.TexCoord2f(1, 0), gl.Vertex2f(x + w, y);
    gl.TexCoord2f(1, 1), gl.Vertex2f(x + w, y + h);
    gl.TexCoord2f(0, 1), gl.Vertex2f(x, y + h);
    gl.End();
}

// The largest difference of any channel of any pixel.
int largestChannelDifference(const Picture& a, const Picture& b) {
    int largest = 0;
    for (std::size_t i = 0; i < std::min(a.rgb.size(), b.rgb.size()); ++i)
        largest = std::max(largest, std::abs(int(a.rgb[i]) - int(b.rgb[i])));
    return largest;
}

class TexturesTest : public DifferentialTest {};

TEST_F(TexturesTest, TwoUnitsModulatedUnderTheirOwnMatrices) {
    // A lit, coloured quad in perspective: an RGB texture on unit 0 turned and scaled by its
    // texture matrix, a luminance one on unit 1 shifted by its own, each coordinate given per unit.
    const auto scene = [](GLenum wrap, GLenum filter) {
        return [=](const GlCalls& gl) {
            gl.ClearColor(0.1f, 0.1f, 0.15f, 1);
            gl.Clear(GL_COLOR_BUFFER_BIT);
            gl.MatrixMode(GL_PROJECTION);
            gl.Frustum(-0.5, 0.5, -0.5, 0.5, 1, 20);
            gl.MatrixMode(GL_MODELVIEW);
            gl.Translatef(0, 0, -2.8f);  // wholly inside the frustum (see the README on clipped quads)
            gl.Rotatef(-35, 1, 0, 0);
            const Bytes rgb = pattern(16, 16, 3, 1), luminance = pattern(8, 8, 1, 2);
            gl.ActiveTextureARB(GL_TEXTURE0_ARB);
            texture(gl, GL_RGB, 16, 16, GL_RGB, rgb, filter);
            gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
            gl.Enable(GL_TEXTURE_2D);
            gl.MatrixMode(GL_TEXTURE);
            gl.Rotatef(20, 0, 0, 1);
            gl.Scalef(1.5f, 1.25f, 1);
            gl.ActiveTextureARB(GL_TEXTURE1_ARB);
            texture(gl, GL_LUMINANCE, 8, 8, GL_LUMINANCE, luminance, filter);
            gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
            gl.Enable(GL_TEXTURE_2D);
            gl.Translatef(0.3f, -0.2f, 0);  // unit 1's matrix, the active unit's
            gl.MatrixMode(GL_MODELVIEW);
            const GLfloat position[4] = {0.3f, 0.8f, 1, 0};
            gl.Lightfv(GL_LIGHT0, GL_POSITION, position);
            gl.Enable(GL_LIGHTING);
            gl.Enable(GL_LIGHT0);
            gl.Enable(GL_COLOR_MATERIAL);
            const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
            const GLfloat unit1[4][2] = {{-0.5f, 0}, {1.5f, 0}, {1.5f, 1.25f}, {-0.5f, 1.25f}};
            gl.Begin(GL_QUADS);
            gl.Normal3f(0, 0, 1);
            for (int k = 0; k < 4; ++k) {
                gl.Color3f(0.6f + 0.4f * (k % 2), 0.9f - 0.2f * k, 0.5f + 0.1f * k);
                gl.MultiTexCoord2fARB(GL_TEXTURE0_ARB, corners[k][0], corners[k][1]);
                gl.MultiTexCoord2fvARB(GL_TEXTURE1_ARB, unit1[k]);
                gl.Vertex2f(corners[k][0], corners[k][1]);
            }
            gl.End();
        };
    };
    expectSamePicture("two-units-repeat-linear", scene(GL_REPEAT, GL_LINEAR));
    expectSamePicture("two-units-clamp-nearest", scene(GL_CLAMP, GL_NEAREST));
    // GL_CLAMP under a linear filter blends the edge texels with the border colour in Mesa; ES has
    // no border, and the layer clamps to the edge: the pictures part there.
    Picture mesa, layer;
    drawBoth(scene(GL_CLAMP, GL_LINEAR), mesa, layer);
    std::cout << "[ picture  ] two-units-clamp-linear (edges clamped, not blended with the border): largest "
              << "block difference " << compareBlocks(mesa, layer, {}).largest << "\n";
}

TEST_F(TexturesTest, EveryBaseFormatUnderEachEnvironment) {
    // Each internal format from several source formats, under GL_MODULATE, GL_REPLACE and
    // GL_DECAL (its defined formats only), blended over the background by the fragment's alpha;
    // and a texture whose mipmaps are missing, which draws as if texturing were off.
    expectSamePicture("formats-and-environments", [](const GlCalls& gl) {
        pixelView(gl);
        gl.Enable(GL_BLEND);
        gl.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        gl.Enable(GL_TEXTURE_2D);
        struct Case {
            GLint internalFormat;
            GLenum format;
        };
        const Case cases[] = {{1, GL_RGB},
                              {2, GL_LUMINANCE_ALPHA},
                              {3, GL_LUMINANCE},
                              {4, GL_RGBA},
                              {GL_ALPHA, GL_RGBA},
                              {GL_LUMINANCE, GL_RED},
                              {GL_LUMINANCE_ALPHA, GL_ALPHA},
                              {GL_INTENSITY, GL_RGBA},
                              {GL_RGB8, GL_GREEN},
                              {GL_RGBA8, GL_LUMINANCE_ALPHA},
                              {GL_RGB, GL_BLUE},
                              {GL_RGBA, GL_RGB}};
        const GLenum modes[] = {GL_MODULATE, GL_REPLACE, GL_DECAL};
        int cell = 0;
        for (const Case& c : cases)
            for (GLenum mode : modes) {
                const bool defined = c.internalFormat == 3 || c.internalFormat == 4 || c.internalFormat == GL_RGB ||
                                     c.internalFormat == GL_RGBA || c.internalFormat == GL_RGB8 ||
                                     c.internalFormat == GL_RGBA8;
                if (mode == GL_DECAL && !defined) continue;
                const int components = c.format == GL_RGBA              ? 4
                                       : c.format == GL_RGB             ? 3
                                       : c.format == GL_LUMINANCE_ALPHA ? 2
                                                                        : 1;
                texture(gl, c.internalFormat, 4, 4, c.format, pattern(4, 4, components, cell));
                gl.TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GLint(mode));
                gl.Color4f(0.9f, 0.6f + 0.01f * cell, 0.3f, 0.7f);
                quad(gl, float(cell % 6 * 21), float(cell / 6 * 21), 20, 20);
                ++cell;
            }
        GLuint incomplete = 0;
        gl.GenTextures(1, &incomplete);
        gl.BindTexture(GL_TEXTURE_2D, incomplete);  // its minifying filter wants mipmaps
        const Bytes pixels = pattern(4, 4, 3, 9);
        gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        gl.TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        quad(gl, 0, 105, 60, 20);
    });
}

// A receding plane textured with GLU's mipmaps of an image whose sides are not powers of two.
Steps recedingPlane(GLenum minFilter) {
    return [minFilter](const GlCalls& gl) {
        gl.ClearColor(0, 0, 0, 1);
        gl.Clear(GL_COLOR_BUFFER_BIT);
        gl.MatrixMode(GL_PROJECTION);
        gl.Frustum(-0.5, 0.5, -0.5, 0.5, 1, 100);
        gl.MatrixMode(GL_MODELVIEW);
        const Bytes image = pattern(37, 23, 3, 4);
        GLuint name = 0;
        gl.GenTextures(1, &name);
        gl.BindTexture(GL_TEXTURE_2D, name);
        gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
        EXPECT_EQ(gl.Build2DMipmaps(GL_TEXTURE_2D, 3, 37, 23, GL_RGB, GL_UNSIGNED_BYTE, image.data()), 0);
        gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
        gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        gl.Enable(GL_TEXTURE_2D);
        gl.Begin(GL_QUADS);
        // Wholly inside the frustum, so that no clipping cuts it (see the README on clipped quads).
        gl.TexCoord2f(0, 0), gl.Vertex3f(-1, -1, -2.1f);
        gl.TexCoord2f(4, 0), gl.Vertex3f(1, -1, -2.1f);
        gl.TexCoord2f(4, 40), gl.Vertex3f(1, -1, -80);
        gl.TexCoord2f(0, 40), gl.Vertex3f(-1, -1, -80);
        gl.End();
    };
}

TEST_F(TexturesTest, MipmapsBuiltByGluAsGluBuildsThem) {
    expectSamePicture("mipmaps-receding-nearest", recedingPlane(GL_NEAREST_MIPMAP_NEAREST));
    expectSamePicture("mipmaps-receding-trilinear", recedingPlane(GL_LINEAR_MIPMAP_LINEAR));
    // Each level drawn texel for pixel: GLU's scaling to 32 x 16 from an image read under the
    // unpack rules, and every halving down to 1 x 1 (through rows of one pixel), byte for byte.
    Picture mesa, layer;
    drawBoth(
        [](const GlCalls& gl) {
            pixelView(gl);
            const Bytes image = pattern(50, 16, 3, 5);
            gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 50);
            gl.PixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
            gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 2);
            gl.PixelStorei(GL_UNPACK_ALIGNMENT, 8);
            GLuint name = 0;
            gl.GenTextures(1, &name);
            gl.BindTexture(GL_TEXTURE_2D, name);
            EXPECT_EQ(gl.Build2DMipmaps(GL_TEXTURE_2D, GL_RGB, 45, 13, GL_RGB, GL_UNSIGNED_BYTE, image.data()), 0);
            gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
            gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            gl.Enable(GL_TEXTURE_2D);
            float x = 2;
            for (int k = 0; k <= 5; ++k) {
                const float w = float(32 >> k), h = 16.0f / float(1 << k);
                quad(gl, x, 10.25f, w, h);
                x += w + 3;
            }
        },
        mesa, layer);
    EXPECT_EQ(largestChannelDifference(mesa, layer), 0) << "the mipmap levels, texel for pixel";
}

TEST_F(TexturesTest, GluScaleImageAsGlusOwn) {
    // Shrinking, enlarging (whose box wraps around the edges) and exact halving, from images read
    // under the unpack rules, into rows under the pack alignment; then GLU's bad input.
    const auto scale = [](std::vector<Bytes>& outputs, std::vector<GLint>& codes) {
        return [&](const GlCalls& gl) {
            const Bytes image = pattern(9, 8, 4, 6);
            struct Case {
                GLenum format;
                int widthIn, heightIn, widthOut, heightOut;
            };
            const Case cases[] = {{GL_RGB, 7, 5, 4, 4},
                                  {GL_LUMINANCE, 8, 6, 4, 3},
                                  {GL_RGBA, 5, 3, 11, 6},
                                  {GL_LUMINANCE_ALPHA, 6, 6, 3, 5}};
            gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 9);
            gl.PixelStorei(GL_UNPACK_SKIP_PIXELS, 1);
            gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 1);
            gl.PixelStorei(GL_UNPACK_ALIGNMENT, 2);
            gl.PixelStorei(GL_PACK_ALIGNMENT, 4);
            for (const Case& c : cases) {
                Bytes out(4 * 12 * 6, 0xab);
                codes.push_back(gl.ScaleImage(c.format, c.widthIn, c.heightIn, GL_UNSIGNED_BYTE, image.data(),
                                              c.widthOut, c.heightOut, GL_UNSIGNED_BYTE, out.data()));
                outputs.push_back(out);
            }
            Bytes out(64);
            codes.push_back(
                gl.ScaleImage(GL_RGB, -1, 2, GL_UNSIGNED_BYTE, image.data(), 2, 2, GL_UNSIGNED_BYTE, out.data()));
            codes.push_back(
                gl.ScaleImage(0x1234, 2, 2, GL_UNSIGNED_BYTE, image.data(), 2, 2, GL_UNSIGNED_BYTE, out.data()));
            codes.push_back(gl.ScaleImage(GL_RGB, 2, 2, 0x1234, image.data(), 2, 2, GL_UNSIGNED_BYTE, out.data()));
            codes.push_back(
                gl.ScaleImage(GL_RGB, 0, 2, GL_UNSIGNED_BYTE, image.data(), 2, 2, GL_UNSIGNED_BYTE, out.data()));
            codes.push_back(gl.Build2DMipmaps(GL_TEXTURE_2D, 3, 0, 4, GL_RGB, GL_UNSIGNED_BYTE, image.data()));
            codes.push_back(gl.Build2DMipmaps(GL_TEXTURE_2D, 3, 4, 4, GL_RGB + 100, GL_UNSIGNED_BYTE, image.data()));
            codes.push_back(gl.Build2DMipmaps(GL_TEXTURE_2D, 3, 4, 4, GL_RGB, GL_BITMAP + 100, image.data()));
            codes.push_back(GLint(gl.GetError()));
            // A target or internal format GLU passes on is glTexImage2D's error.
            codes.push_back(gl.Build2DMipmaps(GL_TEXTURE_2D, 7, 4, 4, GL_RGB, GL_UNSIGNED_BYTE, image.data()));
            codes.push_back(GLint(gl.GetError()));
        };
    };
    std::vector<Bytes> mesa, layer;
    std::vector<GLint> mesaCodes, layerCodes;
    onMesa(scale(mesa, mesaCodes));
    onLayer(scale(layer, layerCodes));
    ASSERT_EQ(layer.size(), mesa.size());
    for (std::size_t k = 0; k < mesa.size(); ++k) EXPECT_EQ(layer[k], mesa[k]) << "scaled image " << k;
    EXPECT_EQ(layerCodes, mesaCodes);
}

TEST_F(TexturesTest, ImagesReadUnderTheUnpackRules) {
    // A 4 x 4 RGB image out of rows 7 pixels long (21 bytes, byte-aligned) after skipped rows and
    // pixels; an RGB image one pixel wide, its rows padded to 4 bytes; luminance-alpha pairs in
    // rows aligned to 8 bytes.
    expectSamePicture("unpack-rules", [](const GlCalls& gl) {
        pixelView(gl);
        gl.Enable(GL_TEXTURE_2D);
        const Bytes memory = pattern(64, 16, 1, 7);
        gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 7);
        gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 2);
        gl.PixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
        texture(gl, GL_RGB, 4, 4, GL_RGB, memory);
        quad(gl, 4, 4, 56, 56);
        gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        gl.PixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        gl.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
        texture(gl, GL_RGB, 1, 8, GL_RGB, memory);
        quad(gl, 68, 4, 24, 56);
        gl.PixelStorei(GL_UNPACK_ALIGNMENT, 8);
        gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 3);
        texture(gl, GL_LUMINANCE_ALPHA, 2, 2, GL_LUMINANCE_ALPHA, memory);
        gl.Enable(GL_BLEND);
        gl.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        quad(gl, 4, 68, 56, 56);
    });
}

TEST_F(TexturesTest, TextureCallsInDisplayLists) {
    // A list binds, fills (with the image as read when compiled), sets and enables unit 1's texture
    // and gives its coordinates; names asked for while compiling come at once.
    expectSamePicture("texture-list", [](const GlCalls& gl) {
        pixelView(gl);
        Bytes image = pattern(8, 8, 3, 8);
        GLuint names[2] = {};
        const GLuint list = gl.GenLists(1);
        gl.NewList(list, GL_COMPILE);
        gl.GenTextures(2, names);
        EXPECT_NE(names[1], 0u) << gl.name << ": glGenTextures is not compiled";
        gl.ActiveTextureARB(GL_TEXTURE1_ARB);
        gl.BindTexture(GL_TEXTURE_2D, names[1]);
        gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 4);  // not compiled either: it holds at once
        gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, image.data());
        gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        gl.TexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        gl.TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        gl.Enable(GL_TEXTURE_2D);
        gl.Begin(GL_QUADS);
        const float corners[4][2] = {{10, 10}, {118, 10}, {118, 118}, {10, 118}};
        for (const auto& c : corners) {
            gl.MultiTexCoord2fARB(GL_TEXTURE1_ARB, c[0] / 51.7f, c[1] / 97.3f);  // no texel edge on a pixel centre
            gl.Vertex2f(c[0], c[1]);
        }
        gl.End();
        gl.ActiveTextureARB(GL_TEXTURE0_ARB);
        gl.EndList();
        EXPECT_EQ(gl.IsTexture(names[1]), GL_FALSE) << gl.name << ": nothing bound it yet";
        std::fill(image.begin(), image.end(), 0);
        gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        gl.CallList(list);
        EXPECT_EQ(gl.IsTexture(names[1]), GL_TRUE);
    });
}

// Every texture state a unit has, read for each unit, and the active unit.
std::vector<double> textureAnswers(const GlCalls& gl) {
    std::vector<double> all;
    GLint active = 0;
    gl.GetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    all.push_back(active);
    for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB}) {
        gl.ActiveTextureARB(unit);
        all.push_back(gl.IsEnabled(GL_TEXTURE_2D));
        GLint i[4] = {};
        GLfloat f[16] = {};
        for (GLenum q : {GL_TEXTURE_BINDING_2D, GL_TEXTURE_STACK_DEPTH, GL_MAX_TEXTURE_STACK_DEPTH}) {
            gl.GetIntegerv(q, i);
            all.push_back(i[0]);
        }
        gl.GetFloatv(GL_TEXTURE_MATRIX, f);
        all.insert(all.end(), f, f + 16);
        gl.GetFloatv(GL_CURRENT_TEXTURE_COORDS, f);
        all.insert(all.end(), f, f + 4);
        gl.GetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, i);
        all.push_back(i[0]);
        for (GLenum p : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) {
            gl.GetTexParameteriv(GL_TEXTURE_2D, p, i);
            all.push_back(i[0]);
        }
    }
    gl.ActiveTextureARB(GLenum(active));
    all.push_back(gl.GetError());
    return all;
}

// Changes every texture state of both units, leaving unit 1 active.
void changeTextures(const GlCalls& gl, const GLuint* names) {
    for (int unit = 0; unit < 2; ++unit) {
        gl.ActiveTextureARB(GL_TEXTURE0_ARB + unit);
        gl.BindTexture(GL_TEXTURE_2D, names[2 + unit]);
        gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        gl.TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, unit ? GL_DECAL : GL_REPLACE);
        if (unit)
            gl.Disable(GL_TEXTURE_2D);
        else
            gl.Enable(GL_TEXTURE_2D);
        gl.MatrixMode(GL_TEXTURE);
        gl.PushMatrix();
        gl.Translatef(0.5f, unit + 1.0f, 0);
        gl.MultiTexCoord2fARB(GL_TEXTURE0_ARB + unit, 7.0f + unit, -2);
    }
}

TEST_F(TexturesTest, StateAnswersAsMesasThroughTheStacks) {
    // Each unit's state after every group the program pushes (and the enable, current, transform
    // and whole groups) is pushed, everything changed and the group popped; then textures deleted
    // while bound and names handed out again.
    const GLbitfield groups[] = {GL_TEXTURE_BIT,
                                 GL_ENABLE_BIT,
                                 GL_CURRENT_BIT,
                                 GL_TRANSFORM_BIT,
                                 GL_TEXTURE_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT,
                                 GL_ALL_ATTRIB_BITS};
    const auto run = [&](std::vector<std::vector<double>>& results) {
        return [&](const GlCalls& gl) {
            GLuint names[4] = {};
            gl.GenTextures(4, names);
            results.push_back({double(names[0]), double(names[3]), double(gl.IsTexture(names[0]))});
            gl.BindTexture(GL_TEXTURE_2D, names[0]);
            gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
            gl.Enable(GL_TEXTURE_2D);
            gl.ActiveTextureARB(GL_TEXTURE1_ARB);
            gl.BindTexture(GL_TEXTURE_2D, names[1]);
            gl.TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
            gl.MatrixMode(GL_TEXTURE);
            gl.Scalef(2, 3, 1);
            gl.MatrixMode(GL_MODELVIEW);
            gl.ActiveTextureARB(GL_TEXTURE0_ARB);
            results.push_back(textureAnswers(gl));
            for (GLbitfield mask : groups) {
                gl.PushAttrib(mask);
                changeTextures(gl, names);
                gl.PopAttrib();
                results.push_back(textureAnswers(gl));
                for (int unit = 1; unit >= 0; --unit) {  // the matrices are in no group
                    gl.ActiveTextureARB(GL_TEXTURE0_ARB + unit);
                    gl.MatrixMode(GL_TEXTURE);
                    gl.PopMatrix();
                }
                gl.MatrixMode(GL_MODELVIEW);
            }
            // Stack limits of unit 1's texture matrix.
            gl.ActiveTextureARB(GL_TEXTURE1_ARB);
            gl.MatrixMode(GL_TEXTURE);
            std::vector<double> errors;
            for (int k = 0; k < 12; ++k) gl.PushMatrix();
            errors.push_back(gl.GetError());
            for (int k = 0; k < 12; ++k) gl.PopMatrix();
            errors.push_back(gl.GetError());
            results.push_back(errors);
            // A bound texture deleted: its units fall back to the default texture.
            gl.DeleteTextures(2, names);
            results.push_back(textureAnswers(gl));
            GLuint again[2] = {};
            gl.GenTextures(2, again);
            results.push_back({double(again[0]), double(again[1]), double(gl.IsTexture(names[0]))});
        };
    };
    std::vector<std::vector<double>> mesa, layer;
    onMesa(run(mesa));
    onLayer(run(layer));
    ASSERT_EQ(layer.size(), mesa.size());
    for (std::size_t k = 0; k < mesa.size(); ++k) EXPECT_EQ(layer[k], mesa[k]) << "answers " << k;
}

// Each bad call in turn, with the error read after it.
void badTextureCalls(const GlCalls& gl, std::vector<GLenum>& errors) {
    auto note = [&] { errors.push_back(gl.GetError()); };
    const Bytes pixels = pattern(8, 8, 4, 0);
    GLint i = 0;
    gl.GenTextures(-1, nullptr), note();
    gl.DeleteTextures(-1, nullptr), note();
    gl.BindTexture(GL_TEXTURE_2D + 100, 1), note();
    gl.TexImage2D(GL_TEXTURE_2D + 100, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data()), note();
    gl.TexImage2D(GL_TEXTURE_2D, -1, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data()), note();
    gl.TexImage2D(GL_TEXTURE_2D, 40, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data()), note();
    gl.TexImage2D(GL_TEXTURE_2D, 0, 5, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data()), note();
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, -4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data()), note();
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1 << 20, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data()), note();
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 2, GL_RGB, GL_UNSIGNED_BYTE, pixels.data()), note();
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB + 100, GL_UNSIGNED_BYTE, pixels.data()), note();
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_FLOAT + 100, pixels.data()), note();
    gl.TexParameteri(GL_TEXTURE_2D + 100, GL_TEXTURE_MIN_FILTER, GL_NEAREST), note();
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER + 100, GL_NEAREST), note();
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_REPEAT), note();
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR_MIPMAP_LINEAR), note();
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_LINEAR), note();
    gl.GetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_ENV_MODE, &i), note();
    gl.TexEnvi(GL_TEXTURE_ENV + 100, GL_TEXTURE_ENV_MODE, GL_MODULATE), note();
    gl.TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_LINEAR), note();
    gl.GetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_MIN_FILTER, &i), note();
    gl.ActiveTextureARB(GL_TEXTURE0_ARB - 1), note();
    gl.MatrixMode(GL_TEXTURE), gl.PopMatrix(), note();
    gl.Begin(GL_TRIANGLES);
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    gl.End(), note();
    gl.Begin(GL_TRIANGLES);
    gl.BindTexture(GL_TEXTURE_2D, 0);
    gl.End(), note();
    gl.Begin(GL_TRIANGLES);
    gl.MultiTexCoord2fARB(GL_TEXTURE1_ARB, 1, 2);  // a current value: allowed here
    gl.End(), note();
}

TEST_F(TexturesTest, BadInputGivesGlsError) {
    std::vector<GLenum> mesa, layer;
    onMesa([&](const GlCalls& gl) { badTextureCalls(gl, mesa); });
    onLayer([&](const GlCalls& gl) { badTextureCalls(gl, layer); });
    ASSERT_EQ(layer.size(), mesa.size());
    for (std::size_t k = 0; k < mesa.size(); ++k) EXPECT_EQ(layer[k], mesa[k]) << "error after bad call " << k;

    // What Mesa offers beyond the OpenGL 1.1 standard or the layer, refused with GL's error; an
    // image whose unpack rules reach past what memory can address, refused before it is read.
    onLayer([](const GlCalls& gl) {
        const Bytes pixels = pattern(4, 4, 4, 0);
        const auto expectError = [&](GLenum error, const char* what) { EXPECT_EQ(gl.GetError(), error) << what; };
        gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 3, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        expectError(GL_INVALID_VALUE, "a side not a power of two");
        gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 1, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        expectError(GL_INVALID_VALUE, "a border");
        gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_FLOAT, pixels.data());
        expectError(GL_INVALID_ENUM, "components other than unsigned bytes");
        gl.TexImage2D(GL_PROXY_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
        expectError(GL_INVALID_ENUM, "proxy textures");
        gl.BindTexture(GL_TEXTURE_1D, 1);
        expectError(GL_INVALID_ENUM, "1D textures");
        gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        expectError(GL_INVALID_ENUM, "GL_CLAMP_TO_EDGE");
        gl.TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_BLEND);
        expectError(GL_INVALID_ENUM, "the blend environment");
        gl.ActiveTextureARB(GL_TEXTURE2_ARB);
        expectError(GL_INVALID_ENUM, "a third unit");
        gl.MultiTexCoord2fARB(GL_TEXTURE2_ARB, 1, 1);
        expectError(GL_INVALID_ENUM, "a third unit's coordinate");
        gl.PixelStorei(GL_UNPACK_SKIP_ROWS, 1 << 30);
        gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        expectError(GL_INVALID_VALUE, "rows skipped past what memory can address");
        EXPECT_EQ(gl.Build2DMipmaps(GL_TEXTURE_2D, 3, 4, 4, GL_RGB, GL_UNSIGNED_BYTE, pixels.data()),
                  GLU_INVALID_VALUE);
        expectError(GL_NO_ERROR, "GLU reports its own error");
        GLint units = 0;
        gl.GetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
        EXPECT_EQ(units, 2);
        EXPECT_STREQ(reinterpret_cast<const char*>(gl.GetString(GL_EXTENSIONS)), "GL_ARB_multitexture");
    });
}

}  // namespace
