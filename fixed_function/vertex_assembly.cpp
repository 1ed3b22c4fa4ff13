// Vertex assembly: glBegin/glEnd gather vertices with the current attributes, glDrawArrays and
// glDrawElements read them from the client arrays, and each hands the primitive to ES, with quadrilaterals and polygons
// cut into triangles as GL's implementations cut them.
#include <algorithm>
#include <initializer_list>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

namespace {

void addVertex(float x, float y, float z, float w) {
    Context* context = current();
    // Outside Begin/End a vertex has no effect (GL leaves it undefined; nothing is drawn).
    if (!context || !context->insideBeginEnd) return;
    Vertex v;
    v.position[0] = x, v.position[1] = y, v.position[2] = z, v.position[3] = w;
    std::copy(context->normal, context->normal + 3, v.normal);
    std::copy(context->color, context->color + 4, v.color);
    std::copy(context->texCoord, context->texCoord + 4, v.texCoord);
    std::copy(context->texCoord1, context->texCoord1 + 4, v.texCoord1);
    context->vertices.push_back(v);
}

void setColor(float r, float g, float b, float a) {
    Context* context = current();
    if (!context) return;
    context->color[0] = r, context->color[1] = g, context->color[2] = b, context->color[3] = a;
    if (context->colorMaterial) applyColorMaterial(*context);
}

// The edges GL 1.1 draws of each polygon of a polygon primitive in GL_LINE mode, as pairs of
// vertices: each polygon's boundary, which leaves out the diagonal a quad is cut along.
// False for a primitive that is not made of polygons.
bool polygonEdges(const std::vector<Vertex>& in, GLenum primitive, std::vector<Vertex>& out) {
    const int n = static_cast<int>(in.size());
    auto loop = [&](std::initializer_list<int> corners) {
        const int* c = corners.begin();
        for (std::size_t k = 0; k < corners.size(); ++k) {
            out.push_back(in[c[k]]);
            out.push_back(in[c[(k + 1) % corners.size()]]);
        }
    };
    switch (primitive) {
    case GL_TRIANGLES:
        for (int i = 0; i + 2 < n; i += 3) loop({i, i + 1, i + 2});
        return true;
    case GL_TRIANGLE_STRIP:
        // Every other triangle of a strip turns the other way; its corners are taken in its own order.
        for (int i = 0; i + 2 < n; ++i)
            if (i % 2)
                loop({i + 1, i, i + 2});
            else
                loop({i, i + 1, i + 2});
        return true;
    case GL_TRIANGLE_FAN:
        for (int i = 1; i + 1 < n; ++i) loop({0, i, i + 1});
        return true;
    case GL_QUADS:
        for (int i = 0; i + 3 < n; i += 4) loop({i, i + 1, i + 2, i + 3});
        return true;
    case GL_QUAD_STRIP:
        for (int i = 0; i + 3 < n; i += 2) loop({i, i + 1, i + 3, i + 2});
        return true;
    case GL_POLYGON:
        if (n >= 3)
            for (int i = 0; i < n; ++i) out.push_back(in[i]), out.push_back(in[(i + 1) % n]);
        return true;
    default: return false;
    }
}

// The ES primitive a GL one is drawn as, and the triangles of those ES lacks, in context.triangles.
// Returns the vertex count to draw; vertices that make no whole primitive are dropped, as GL drops them.
int assemble(Context& context, GLenum& esMode, bool fromArrays) {
    const std::vector<Vertex>& in = context.vertices;
    std::vector<Vertex>& out = context.triangles;
    out.clear();
    if (context.polygonMode != GL_FILL && polygonEdges(in, context.primitive, out)) {
        if (context.polygonMode == GL_LINE) {
            esMode = GL_LINES;
        } else {
            // GL_POINT: each polygon's corners, the first vertex of each of its edges.
            for (std::size_t k = 0; k < out.size() / 2; ++k) out[k] = out[2 * k];
            out.resize(out.size() / 2);
            esMode = GL_POINTS;
        }
        return static_cast<int>(out.size());
    }
    const int n = static_cast<int>(in.size());
    auto triangle = [&](int a, int b, int c) {
        out.push_back(in[a]);
        out.push_back(in[b]);
        out.push_back(in[c]);
    };
    switch (context.primitive) {
    case GL_QUADS:
        // Mesa cuts quads from arrays along the other diagonal than quads from glBegin; the
        // OpenGL 1.1 standard leaves the cut open, and the pictures agree when the layer follows.
        for (int i = 0; i + 3 < n; i += 4)
            if (fromArrays)
                triangle(i, i + 1, i + 3), triangle(i + 1, i + 2, i + 3);
            else
                triangle(i, i + 1, i + 2), triangle(i, i + 2, i + 3);
        esMode = GL_TRIANGLES;
        return static_cast<int>(out.size());
    case GL_QUAD_STRIP:
        // Quad k has the corners 2k, 2k+1, 2k+3, 2k+2 in its own order.
        for (int i = 0; i + 3 < n; i += 2) triangle(i, i + 1, i + 3), triangle(i, i + 3, i + 2);
        esMode = GL_TRIANGLES;
        return static_cast<int>(out.size());
    case GL_POLYGON:
        for (int i = 1; i + 1 < n; ++i) triangle(i, i + 1, 0);
        esMode = GL_TRIANGLES;
        return static_cast<int>(out.size());
    default:
        out = in;
        esMode = context.primitive;
        return n;
    }
}

// Hands the gathered vertices to ES as the current primitive.
void submit(Context& context, bool fromArrays) {
    GLenum esMode = GL_TRIANGLES;
    const int count = assemble(context, esMode, fromArrays);
    if (count > 0) drawVertices(context, esMode, count);
    context.vertices.clear();
}

// Component k of element i of a client array, as a float.
float component(const ClientArray& array, std::size_t i, int k) {
    const std::size_t size = array.type == GL_DOUBLE ? sizeof(GLdouble) : array.type == GL_FLOAT ? sizeof(GLfloat) : 1;
    const std::size_t stride = array.stride ? static_cast<std::size_t>(array.stride) : size * array.size;
    const unsigned char* at = static_cast<const unsigned char*>(array.pointer) + i * stride + k * size;
    if (array.type == GL_DOUBLE) return static_cast<float>(reinterpret_cast<const GLdouble*>(at)[0]);
    if (array.type == GL_FLOAT) return reinterpret_cast<const GLfloat*>(at)[0];
    return at[0] / 255.0f;  // unsigned bytes of colour
}

// Element i of the enabled arrays as one vertex; the current attributes stand in for disabled arrays.
void addElement(Context& context, std::size_t i) {
    Vertex v;
    const float position[4] = {0, 0, 0, 1};
    std::copy(position, position + 4, v.position);
    for (int k = 0; k < context.vertexArray.size; ++k) v.position[k] = component(context.vertexArray, i, k);
    std::copy(context.normal, context.normal + 3, v.normal);
    if (context.normalArray.enabled)
        for (int k = 0; k < 3; ++k) v.normal[k] = component(context.normalArray, i, k);
    std::copy(context.color, context.color + 4, v.color);
    if (context.colorArray.enabled)
        for (int k = 0; k < context.colorArray.size; ++k) v.color[k] = component(context.colorArray, i, k);
    std::copy(context.texCoord, context.texCoord + 4, v.texCoord);
    if (context.texCoordArray.enabled) {
        const float texCoord[4] = {0, 0, 0, 1};
        std::copy(texCoord, texCoord + 4, v.texCoord);
        for (int k = 0; k < context.texCoordArray.size; ++k) v.texCoord[k] = component(context.texCoordArray, i, k);
    }
    // The texture coordinate array feeds unit 0; unit 1 keeps its current coordinate.
    std::copy(context.texCoord1, context.texCoord1 + 4, v.texCoord1);
    context.vertices.push_back(v);
}

// Checks and records an array's description; false (with GL's error) when it is refused.
void setArray(ClientArray& array, GLint size, GLint minSize, GLenum type, bool bytes, GLsizei stride,
              const GLvoid* pointer) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (type != GL_FLOAT && type != GL_DOUBLE && !(bytes && type == GL_UNSIGNED_BYTE))
        return setError(*context, GL_INVALID_ENUM);
    if (size < minSize || size > 4 || stride < 0) return setError(*context, GL_INVALID_VALUE);
    array.size = size, array.type = type, array.stride = stride, array.pointer = pointer;
}

ClientArray* clientArray(Context& context, GLenum array) {
    switch (array) {
    case GL_VERTEX_ARRAY: return &context.vertexArray;
    case GL_NORMAL_ARRAY: return &context.normalArray;
    case GL_COLOR_ARRAY: return &context.colorArray;
    case GL_TEXTURE_COORD_ARRAY: return &context.texCoordArray;
    default: return nullptr;
    }
}

void setClientState(GLenum array, bool enabled) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    ClientArray* found = clientArray(*context, array);
    if (!found) return setError(*context, GL_INVALID_ENUM);
    found->enabled = enabled;
}

// The context to draw arrays with, or null (with GL's error when the call is a bad one).
Context* arrayDraw(GLenum mode, GLsizei count) {
    Context* context = outsideBeginEnd();
    if (!context) return nullptr;
    if (mode > GL_POLYGON) {
        setError(*context, GL_INVALID_ENUM);
        return nullptr;
    }
    if (count < 0) {
        setError(*context, GL_INVALID_VALUE);
        return nullptr;
    }
    // Without the vertex array there are no vertices: nothing is drawn. An array switched on with
    // no memory behind it (GL would read address zero) draws nothing either.
    for (const ClientArray* array : {&context->normalArray, &context->colorArray, &context->texCoordArray})
        if (array->enabled && !array->pointer) return nullptr;
    return context->vertexArray.enabled && context->vertexArray.pointer ? context : nullptr;
}

}  // namespace

void Begin(GLenum mode) {
    if (listed([=] { Begin(mode); })) return;
    Context* context = outsideBeginEnd();  // a glBegin inside another is GL_INVALID_OPERATION
    if (!context) return;
    if (mode > GL_POLYGON) {
        setError(*context, GL_INVALID_ENUM);
        return;
    }
    context->insideBeginEnd = true;
    context->primitive = mode;
    context->vertices.clear();
}

void End() {
    if (listed([=] { End(); })) return;
    Context* context = current();
    if (!context) return;
    if (!context->insideBeginEnd) {
        setError(*context, GL_INVALID_OPERATION);
        return;
    }
    context->insideBeginEnd = false;
    submit(*context, false);
}

void Vertex2i(GLint x, GLint y) {
    if (listed([=] { Vertex2i(x, y); })) return;
    addVertex(float(x), float(y), 0, 1);
}
void Vertex2f(GLfloat x, GLfloat y) {
    if (listed([=] { Vertex2f(x, y); })) return;
    addVertex(x, y, 0, 1);
}
void Vertex3i(GLint x, GLint y, GLint z) {
    if (listed([=] { Vertex3i(x, y, z); })) return;
    addVertex(float(x), float(y), float(z), 1);
}
void Vertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (listed([=] { Vertex3f(x, y, z); })) return;
    addVertex(x, y, z, 1);
}
void Vertex3fv(const GLfloat* v) { Vertex3f(v[0], v[1], v[2]); }
void Vertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    if (listed([=] { Vertex4f(x, y, z, w); })) return;
    addVertex(x, y, z, w);
}

void Normal3f(GLfloat x, GLfloat y, GLfloat z) {
    if (listed([=] { Normal3f(x, y, z); })) return;
    Context* context = current();
    if (!context) return;
    context->normal[0] = x, context->normal[1] = y, context->normal[2] = z;
}

void Normal3fv(const GLfloat* v) { Normal3f(v[0], v[1], v[2]); }

void Color3f(GLfloat red, GLfloat green, GLfloat blue) {
    if (listed([=] { Color3f(red, green, blue); })) return;
    setColor(red, green, blue, 1);
}
void Color3fv(const GLfloat* v) { Color3f(v[0], v[1], v[2]); }
void Color3ub(GLubyte red, GLubyte green, GLubyte blue) {
    if (listed([=] { Color3ub(red, green, blue); })) return;
    setColor(red / 255.0f, green / 255.0f, blue / 255.0f, 1);
}
void Color4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    if (listed([=] { Color4f(red, green, blue, alpha); })) return;
    setColor(red, green, blue, alpha);
}
void Color4fv(const GLfloat* v) { Color4f(v[0], v[1], v[2], v[3]); }

void TexCoord2i(GLint s, GLint t) { TexCoord2f(float(s), float(t)); }

void TexCoord2f(GLfloat s, GLfloat t) {
    if (listed([=] { TexCoord2f(s, t); })) return;
    Context* context = current();
    if (!context) return;
    context->texCoord[0] = s, context->texCoord[1] = t, context->texCoord[2] = 0, context->texCoord[3] = 1;
}

void Recti(GLint x1, GLint y1, GLint x2, GLint y2) {
    if (!outsideBeginEnd()) return;
    Begin(GL_POLYGON);
    Vertex2i(x1, y1);
    Vertex2i(x2, y1);
    Vertex2i(x2, y2);
    Vertex2i(x1, y2);
    End();
}

}  // namespace ff

namespace ff {

void PolygonMode(GLenum face, GLenum mode) {
    if (listed([=] { PolygonMode(face, mode); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (face != GL_FRONT_AND_BACK || (mode != GL_POINT && mode != GL_LINE && mode != GL_FILL))
        return setError(*context, GL_INVALID_ENUM);
    context->polygonMode = mode;
}

void LineWidth(GLfloat width) {
    if (listed([=] { LineWidth(width); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (!(width > 0)) return setError(*context, GL_INVALID_VALUE);
    context->lineWidth = width;
    context->es.LineWidth(std::clamp(width, context->lineWidthRange[0], context->lineWidthRange[1]));
}

void VertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (Context* context = current()) setArray(context->vertexArray, size, 2, type, false, stride, pointer);
}

void NormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (Context* context = current()) setArray(context->normalArray, 3, 3, type, false, stride, pointer);
}

void ColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (Context* context = current()) setArray(context->colorArray, size, 3, type, true, stride, pointer);
}

void TexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (Context* context = current()) setArray(context->texCoordArray, size, 1, type, false, stride, pointer);
}

void EnableClientState(GLenum array) { setClientState(array, true); }

void DisableClientState(GLenum array) { setClientState(array, false); }

// Draws vertices gathered from the arrays; a list being compiled keeps them, read now, as GL
// reads arrays when it compiles them.
static void drawGathered(GLenum mode, std::vector<Vertex> gathered) {
    Context* context = current();
    if (!context) return;
    if (listed([mode, gathered] { drawGathered(mode, gathered); })) return;
    context->primitive = mode;
    context->vertices = std::move(gathered);
    submit(*context, true);
}

namespace {

// Whether a draw from the arrays can hand ES the caller's arrays as they are: not while a list is
// compiled (it keeps a copy), only primitives ES draws itself and filled, arrays of types ES reads.
bool streamable(const Context& context, GLenum mode) {
    if (context.compilingList || mode == GL_QUADS || mode == GL_QUAD_STRIP || mode == GL_POLYGON) return false;
    const bool polygons = mode == GL_TRIANGLES || mode == GL_TRIANGLE_STRIP || mode == GL_TRIANGLE_FAN;
    if (polygons && context.polygonMode != GL_FILL) return false;
    for (const ClientArray* array :
         {&context.vertexArray, &context.normalArray, &context.colorArray, &context.texCoordArray})
        if (array->enabled && array->type == GL_DOUBLE) return false;
    return true;
}

// Hands ES elements `lowest` to `highest` of each enabled array, straight from the caller's
// memory, and the current values for the arrays that are off. Arrays interleaved in one block
// (one stride, starting within one element of each other) go over as one upload.
void streamArrays(Context& context, std::size_t lowest, std::size_t highest) {
    const Es2Api& es = context.es;
    // Unit 1 has no array of its own (the program never makes it the client's active unit).
    const ClientArray* arrays[attributeCount] = {&context.vertexArray, &context.normalArray, &context.colorArray,
                                                 &context.texCoordArray, nullptr};
    const float* currents[attributeCount] = {nullptr, context.normal, context.color, context.texCoord,
                                             context.texCoord1};
    struct Span {
        const unsigned char* begin = nullptr;
        std::size_t bytes = 0, stride = 0;
    } spans[attributeCount];
    const unsigned char *blockBegin = nullptr, *blockEnd = nullptr, *lastStart = nullptr;
    bool oneBlock = true;
    std::size_t blockStride = 0;
    for (GLuint a = 0; a < attributeCount; ++a) {
        if (!arrays[a] || !arrays[a]->enabled) continue;
        const ClientArray& array = *arrays[a];
        const std::size_t element = (array.type == GL_FLOAT ? sizeof(GLfloat) : 1) * array.size;
        Span& span = spans[a];
        span.stride = array.stride ? static_cast<std::size_t>(array.stride) : element;
        span.begin = static_cast<const unsigned char*>(array.pointer) + lowest * span.stride;
        span.bytes = (highest - lowest) * span.stride + element;
        if (!blockBegin) {
            blockBegin = lastStart = span.begin, blockEnd = span.begin + span.bytes, blockStride = span.stride;
            continue;
        }
        oneBlock = oneBlock && span.stride == blockStride;
        blockBegin = std::min(blockBegin, span.begin);
        lastStart = std::max(lastStart, span.begin);
        blockEnd = std::max(blockEnd, span.begin + span.bytes);
    }
    oneBlock = oneBlock && static_cast<std::size_t>(lastStart - blockBegin) < blockStride;
    if (oneBlock) {
        es.BindBuffer(GL_ARRAY_BUFFER, context.arrayBuffers[0]);
        es.BufferData(GL_ARRAY_BUFFER, blockEnd - blockBegin, blockBegin, GL_STREAM_DRAW);
    }
    for (GLuint a = 0; a < attributeCount; ++a) {
        if (!arrays[a] || !arrays[a]->enabled) {
            es.DisableVertexAttribArray(a);
            es.VertexAttrib4fv(a, currents[a]);
            continue;
        }
        const ClientArray& array = *arrays[a];
        std::size_t offset = 0;
        if (oneBlock) {
            offset = static_cast<std::size_t>(spans[a].begin - blockBegin);
        } else {
            es.BindBuffer(GL_ARRAY_BUFFER, context.arrayBuffers[a]);
            es.BufferData(GL_ARRAY_BUFFER, spans[a].bytes, spans[a].begin, GL_STREAM_DRAW);
        }
        // Missing components are filled as GL fills them: z 0, w 1; colours of bytes scaled to [0, 1].
        es.VertexAttribPointer(a, array.size, array.type, array.type == GL_UNSIGNED_BYTE, spans[a].stride,
                               reinterpret_cast<const void*>(offset));
        es.EnableVertexAttribArray(a);
    }
}

// Draws the indexed elements with the arrays streamed as they are; false when they cannot be (ES
// without 32-bit indices and a draw whose indices span more than 16 bits), to be drawn by copy.
template <typename Index>
bool streamElements(Context& context, GLenum mode, GLsizei count, const Index* indices) {
    Index lowest = indices[0], highest = indices[0];
    for (GLsizei k = 1; k < count; ++k) lowest = std::min(lowest, indices[k]), highest = std::max(highest, indices[k]);
    const bool shortEnough = highest - lowest <= 0xffff;
    if (!shortEnough && !context.elementIndexUint) return false;
    if (!useProgram(context, mode)) return true;
    streamArrays(context, lowest, highest);
    const Es2Api& es = context.es;
    es.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, context.indexBuffer);
    if (shortEnough) {
        context.shortIndices.resize(count);
        for (GLsizei k = 0; k < count; ++k) context.shortIndices[k] = static_cast<GLushort>(indices[k] - lowest);
        es.BufferData(GL_ELEMENT_ARRAY_BUFFER, count * sizeof(GLushort), context.shortIndices.data(), GL_STREAM_DRAW);
        es.DrawElements(mode, count, GL_UNSIGNED_SHORT, nullptr);
    } else {
        context.longIndices.resize(count);
        for (GLsizei k = 0; k < count; ++k) context.longIndices[k] = static_cast<GLuint>(indices[k] - lowest);
        es.BufferData(GL_ELEMENT_ARRAY_BUFFER, count * sizeof(GLuint), context.longIndices.data(), GL_STREAM_DRAW);
        es.DrawElements(mode, count, GL_UNSIGNED_INT, nullptr);
    }
    return true;
}

}  // namespace

void DrawArrays(GLenum mode, GLint first, GLsizei count) {
    Context* context = current();
    if (context && !context->insideBeginEnd && first < 0) return setError(*context, GL_INVALID_VALUE);
    context = arrayDraw(mode, count);
    if (!context || count == 0) return;
    if (streamable(*context, mode)) {
        if (useProgram(*context, mode)) {
            streamArrays(*context, static_cast<std::size_t>(first), static_cast<std::size_t>(first) + count - 1);
            context->es.DrawArrays(mode, 0, count);
        }
        return;
    }
    context->vertices.clear();
    for (GLsizei i = 0; i < count; ++i) addElement(*context, static_cast<std::size_t>(first) + i);
    drawGathered(mode, std::move(context->vertices));
}

void DrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    Context* context = current();
    if (context && !context->insideBeginEnd && type != GL_UNSIGNED_BYTE && type != GL_UNSIGNED_SHORT &&
        type != GL_UNSIGNED_INT)
        return setError(*context, GL_INVALID_ENUM);
    context = arrayDraw(mode, count);
    if (!context || !indices || count == 0) return;
    if (streamable(*context, mode)) {
        const bool streamed =
            type == GL_UNSIGNED_INT     ? streamElements(*context, mode, count, static_cast<const GLuint*>(indices))
            : type == GL_UNSIGNED_SHORT ? streamElements(*context, mode, count, static_cast<const GLushort*>(indices))
                                        : streamElements(*context, mode, count, static_cast<const GLubyte*>(indices));
        if (streamed) return;
    }
    context->vertices.clear();
    for (GLsizei k = 0; k < count; ++k) {
        const std::size_t i = type == GL_UNSIGNED_INT     ? static_cast<const GLuint*>(indices)[k]
                              : type == GL_UNSIGNED_SHORT ? static_cast<const GLushort*>(indices)[k]
                                                          : static_cast<const GLubyte*>(indices)[k];
        addElement(*context, i);
    }
    drawGathered(mode, std::move(context->vertices));
}

}  // namespace ff
