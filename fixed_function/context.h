// What the layer's files share: one GL 1.1 context's state, held beside the ES 2.0 objects that
// draw it, and the few steps one concern asks of another.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "fixed_function/es2_api.h"
#include "fixed_function/fixed_function.h"

namespace ff {

constexpr int maxLights = 8;
constexpr int maxModelviewDepth = 32;
constexpr int maxProjectionDepth = 32;
constexpr int textureUnits = 2;      // GL_ARB_multitexture's units the layer offers
constexpr int maxTextureDepth = 10;  // each unit's texture matrix stack, as Mesa's

using Matrix = std::array<float, 16>;  // column-major, as GL hands matrices over
constexpr Matrix identityMatrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct Light {
    bool enabled = false;
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {0, 0, 0, 1};
    float specular[4] = {0, 0, 0, 1};
    float position[4] = {0, 0, 1, 0};     // eye coordinates, taken there when it was given
    float spotDirection[3] = {0, 0, -1};  // eye coordinates
    float spotExponent = 0;
    float spotCutoff = 180;
    float attenuation[3] = {1, 0, 0};  // constant, linear, quadratic
};

struct Material {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    float specular[4] = {0, 0, 0, 1};
    float emission[4] = {0, 0, 0, 1};
    float shininess = 0;
};

// One vertex as glVertex hands it on: the position and the current attributes of that moment.
struct Vertex {
    float position[4];
    float normal[3];
    float color[4];
    float texCoord[4];   // texture unit 0's coordinate
    float texCoord1[4];  // texture unit 1's
};

// A client array as glVertexPointer and its kin describe it.
struct ClientArray {
    bool enabled = false;
    GLint size = 4;
    GLenum type = GL_FLOAT;
    GLsizei stride = 0;
    const void* pointer = nullptr;
};

// Attribute locations, fixed for every program.
enum Attribute : GLuint {
    positionAttribute,
    normalAttribute,
    colorAttribute,
    texCoordAttribute,
    texCoord1Attribute,
    attributeCount
};
// Two more, of the quads that stand for wide lines alone: the segment's other end and the side.
constexpr GLuint otherEndAttribute = attributeCount, sideAttribute = attributeCount + 1;

// A generated ES program and where its uniforms are.
struct Program {
    GLuint name = 0;
    std::vector<GLint> uniforms;  // locations, in the order of the shaders' list of names
};

// glPixelStorei's unpack rules, for the images the caller hands over (textures and bitmaps).
struct UnpackRules {
    GLint alignment = 4;  // bytes each row starts on
    GLint rowLength = 0;  // pixels a row holds; 0: the image's width
    GLint skipRows = 0;
    GLint skipPixels = 0;
    bool lsbFirst = false;   // a bitmap's first pixel in each byte's lowest bit
    bool swapBytes = false;  // elements of 2 or 4 bytes stored in the other byte order
};

// A texture object's parameters, as glTexParameter sets them and GL_TEXTURE_BIT saves them.
struct TextureParameters {
    GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
    GLenum magFilter = GL_LINEAR;
    GLenum wrapS = GL_REPEAT;
    GLenum wrapT = GL_REPEAT;
};

// One mipmap level as glTexImage2D defined it; a width of -1: not defined.
struct TextureLevel {
    GLsizei width = -1, height = -1;
    GLint internalFormat = 0;  // as the caller gave it
};

// A texture object: the layer's record of it and the ES texture that holds its images.
struct TextureObject {
    bool bound = false;  // named by glGenTextures alone until first bound
    TextureParameters parameters;
    std::vector<TextureLevel> levels;
    GLenum baseFormat = 0;  // level 0's base internal format (GL_RGB, GL_INTENSITY, ...)
    GLuint es = 0;          // 0 until the layer first needs it
};

// One texture unit's state besides its current coordinate.
struct TextureUnit {
    bool enabled = false;  // GL_TEXTURE_2D
    GLuint binding = 0;
    GLenum envMode = GL_MODULATE;
    std::vector<Matrix> matrix{identityMatrix};
};

// The raster position as glRasterPos leaves it, with what it carries for glBitmap.
struct RasterPosition {
    float window[4] = {0, 0, 0, 1};  // window x and y, depth in [0, 1], clip w
    bool valid = true;
    float color[4] = {1, 1, 1, 1};  // lit when lighting is on, clamped
    float distance = 0;             // from the eye, as glGet answers it
    float fogDistance = 0;          // |z| in eye coordinates, which fog takes as every fragment's distance
    float texCoord[4] = {0, 0, 0, 1};
};

// The ES objects that draw bitmaps: one program, a quad, and a texture per bitmap content seen
// lately (the text overlay draws the same glyphs every frame).
struct BitmapObjects {
    Program program;  // 0: not made yet
    GLuint quad = 0;
    std::unordered_map<std::string, GLuint> textures;  // by size and bits
    GLint maxSize = 0;  // the largest side one texture and one viewport take
};

constexpr int maxAttribDepth = 16;  // each attribute stack, as Mesa's
constexpr int maxListNesting = 64;  // lists calling lists, as Mesa allows

// What glPushAttrib saves: the groups named by its mask, in fields named as the context's own.
struct AttribEntry {
    GLbitfield mask = 0;
    float color[4], normal[3], texCoord[4], texCoord1[4];
    RasterPosition raster;
    bool lighting, colorMaterial, normalize, fog;
    std::map<GLenum, bool> esCapabilities;
    Light lights[maxLights];
    Material front, back;
    float lightModelAmbient[4];
    bool localViewer;
    GLenum colorMaterialFace, colorMaterialMode, fogMode;
    float fogDensity, fogStart, fogEnd, fogColor[4];
    float clearColor[4];
    double clearDepth;
    GLint viewport[4];
    GLenum depthFunc, blendSource, blendDestination, matrixMode, polygonMode;
    float lineWidth;
    // The texture group: each unit's enable (also in the enable group), binding, environment and
    // the parameters its bound texture had; the active unit.
    struct SavedUnit {
        bool enabled;
        GLuint binding;
        GLenum envMode;
        TextureParameters parameters;
    } units[textureUnits];
    int activeUnit;
};

struct Context {
    Es2Api es;
    GLenum error = GL_NO_ERROR;

    // Matrices.
    GLenum matrixMode = GL_MODELVIEW;
    std::vector<Matrix> modelview{identityMatrix};
    std::vector<Matrix> projection{identityMatrix};

    // The current vertex attributes and the primitive being assembled.
    float color[4] = {1, 1, 1, 1};
    float normal[3] = {0, 0, 1};
    float texCoord[4] = {0, 0, 0, 1};   // unit 0's, which glTexCoord sets
    float texCoord1[4] = {0, 0, 0, 1};  // unit 1's
    RasterPosition raster;
    bool insideBeginEnd = false;
    GLenum primitive = GL_POINTS;
    std::vector<Vertex> vertices;
    std::vector<Vertex> triangles;  // what End hands ES, kept to reuse its memory
    ClientArray vertexArray, normalArray{false, 3}, colorArray, texCoordArray;
    GLenum polygonMode = GL_FILL;  // of front and back faces alike
    float lineWidth = 1;           // as asked for; ES draws it clamped to its range
    float lineWidthRange[2] = {1, 1};
    bool drawingWideLines = false;  // the quads of lines wider than ES draws are being drawn

    // Capabilities: those the layer computes itself, and those ES has too (kept in step with it).
    bool lighting = false;
    bool colorMaterial = false;
    bool normalize = false;
    bool fog = false;
    std::map<GLenum, bool> esCapabilities;

    // Lighting and fog.
    Light lights[maxLights];
    Material front, back;
    float lightModelAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    bool localViewer = false;
    GLenum colorMaterialFace = GL_FRONT_AND_BACK;
    GLenum colorMaterialMode = GL_AMBIENT_AND_DIFFUSE;
    GLenum fogMode = GL_EXP;
    float fogDensity = 1, fogStart = 0, fogEnd = 1;
    float fogColor[4] = {0, 0, 0, 0};

    // Per-fragment and framebuffer state that ES keeps too.
    float clearColor[4] = {0, 0, 0, 0};
    double clearDepth = 1;
    GLint viewport[4] = {0, 0, 0, 0};
    GLenum depthFunc = GL_LESS;
    GLenum blendSource = GL_ONE, blendDestination = GL_ZERO;
    GLint packAlignment = 4;
    UnpackRules unpack;
    std::string version;  // what GetString(GL_VERSION) answers

    // Textures: the objects by name (0 is the default texture) and the units.
    std::map<GLuint, TextureObject> textures;
    TextureUnit units[textureUnits];
    int activeUnit = 0;
    GLint maxTextureSize = 64;  // the ES driver's

    // The attribute stacks.
    std::vector<AttribEntry> attribStack;
    struct ClientAttribEntry {
        GLbitfield mask;
        GLint packAlignment;
        UnpackRules unpack;
        ClientArray vertexArray, normalArray, colorArray, texCoordArray;
    };
    std::vector<ClientAttribEntry> clientAttribStack;

    // Display lists: each a sequence of calls with their arguments copied.
    std::map<GLuint, std::vector<std::function<void()>>> lists;
    GLuint compilingList = 0;  // 0: none
    GLenum listMode = 0;
    std::vector<std::function<void()>> listCalls;  // of the list being compiled
    GLuint listBase = 0;
    int listDepth = 0;  // lists being executed, one inside another

    // ES objects.
    GLuint vertexBuffer = 0;
    GLuint arrayBuffers[attributeCount] = {};  // client arrays streamed for one draw
    GLuint indexBuffer = 0;
    bool elementIndexUint = false;  // ES takes 32-bit indices (OES_element_index_uint)
    std::vector<GLushort> shortIndices;  // a draw's indices, rebased to its lowest
    std::vector<GLuint> longIndices;
    std::map<std::uint64_t, Program> programs;
    BitmapObjects bitmapObjects;
};

// Hands ES again every state it keeps for the layer (capabilities, depth and blend functions,
// clear values, viewport, line width), after the layer's record has changed behind its back.
void sendEsState(Context& context);

// While a display list is being compiled, adds the call to it; true when the call is not to run
// now as well (GL_COMPILE). Each call that lists hold starts with it.
bool listed(std::function<void()> call);

// The texture object bound to a unit.
TextureObject& boundTexture(Context& context, int unit);
// The texture a unit samples while drawing: null when the unit is disabled or its texture is
// incomplete (GL then draws as if the unit were disabled).
const TextureObject* sampledTexture(const Context& context, int unit);
// Hands ES a texture object's parameters, after the layer's record has changed behind its back.
void sendTextureParameters(Context& context, TextureObject& texture);
// Binds each unit's texture that drawing samples to its ES unit.
void bindSampledTextures(Context& context);
// Gives back every ES texture.
void deleteTextures(Context& context);

// Components per pixel of an image format the layer reads (GL_RGB, GL_LUMINANCE, ...); 0 for one
// it does not.
int formatComponents(GLenum format);
// glTexImage2D with the image already read out of the caller's memory into packed rows (null:
// an undefined image); display lists keep it so, and GLU hands its levels over so.
void texImagePacked(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                    GLenum format, GLenum type, std::shared_ptr<const std::vector<unsigned char>> image);

// Copies the image the caller hands over (`width` x `height` pixels of `groupBytes` bytes each,
// in elements of `elementBytes`) out of its memory as the unpack rules lay it out, into rows
// packed one after another, with the elements in this machine's byte order. False, with GL's
// error, when the rules place the image beyond what memory can address.
bool unpackImage(Context& context, GLsizei width, GLsizei height, int groupBytes, int elementBytes, const void* pixels,
                 std::vector<unsigned char>& image);
// The same for a bitmap, one bit a pixel: `image` gets 1 for each set bit and 0 for each clear
// one, rows bottom first as GL reads them.
bool unpackBitmap(Context& context, GLsizei width, GLsizei height, const void* bits, std::vector<unsigned char>& image);

// The current context; null when none.
Context* current();
// Records GL's error unless an earlier one is still unread, as GL keeps the first.
void setError(Context& context, GLenum error);
// The current context when a GL command may run now: null (recording GL_INVALID_OPERATION)
// between Begin and End, and null without a context.
Context* outsideBeginEnd();

// The matrix stack that MatrixMode selected.
std::vector<Matrix>& currentStack(Context& context);
// a * b, column-major, in float as GL computes it.
Matrix multiply(const Matrix& a, const Matrix& b);

// The material GL_COLOR_MATERIAL makes follow the current colour, updated from it.
void applyColorMaterial(Context& context);

// Makes the program for the state now and the primitive `mode` current in ES, with its uniforms
// set. False when the program could not be made.
bool useProgram(Context& context, GLenum mode);
// Draws `count` vertices of context.triangles as `mode` (an ES primitive) with the program that
// the fixed-function state calls for; lines wider than ES draws them as quads of that width.
// False when the program could not be made.
bool drawVertices(Context& context, GLenum mode, int count);
// The width lines are drawn at: the one asked for, rounded to whole pixels, as GL 1.1 draws lines
// without antialiasing.
float wideLineWidth(const Context& context);
// The ES program for the state now, generated the first time it is needed; null on failure.
const Program* programFor(Context& context, GLenum mode);
// Gives back every generated program.
void deletePrograms(Context& context);
// Gives back the ES objects that draw bitmaps.
void deleteBitmapObjects(Context& context);
// The inverse transpose of the modelview's upper 3 x 3, column-major, which takes normals to eye
// coordinates; the identity when the modelview cannot be inverted.
void normalMatrix(const Matrix& modelview, float out[9]);

}  // namespace ff
