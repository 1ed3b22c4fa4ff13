// Immediate mode: glBegin/glEnd gather vertices with the current attributes, and glEnd hands the
// primitive to ES, with quadrilaterals and polygons cut into triangles as GL's implementations
// cut them (a quad along the diagonal from its first to its third vertex).
#include <algorithm>

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
    context->vertices.push_back(v);
}

void setColor(float r, float g, float b, float a) {
    Context* context = current();
    if (!context) return;
    context->color[0] = r, context->color[1] = g, context->color[2] = b, context->color[3] = a;
    if (context->colorMaterial) applyColorMaterial(*context);
}

// The ES primitive a GL one is drawn as, and the triangles of those ES lacks, in context.triangles.
// Returns the vertex count to draw; vertices that make no whole primitive are dropped, as GL drops them.
int assemble(Context& context, GLenum& esMode) {
    const std::vector<Vertex>& in = context.vertices;
    std::vector<Vertex>& out = context.triangles;
    out.clear();
    const int n = static_cast<int>(in.size());
    auto triangle = [&](int a, int b, int c) {
        out.push_back(in[a]);
        out.push_back(in[b]);
        out.push_back(in[c]);
    };
    switch (context.primitive) {
    case GL_QUADS:
        for (int i = 0; i + 3 < n; i += 4) triangle(i, i + 1, i + 2), triangle(i, i + 2, i + 3);
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

}  // namespace

void Begin(GLenum mode) {
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
    Context* context = current();
    if (!context) return;
    if (!context->insideBeginEnd) {
        setError(*context, GL_INVALID_OPERATION);
        return;
    }
    context->insideBeginEnd = false;
    GLenum esMode = GL_TRIANGLES;
    const int count = assemble(*context, esMode);
    if (count > 0) drawVertices(*context, esMode, count);
    context->vertices.clear();
}

void Vertex2i(GLint x, GLint y) { addVertex(float(x), float(y), 0, 1); }
void Vertex2f(GLfloat x, GLfloat y) { addVertex(x, y, 0, 1); }
void Vertex3i(GLint x, GLint y, GLint z) { addVertex(float(x), float(y), float(z), 1); }
void Vertex3f(GLfloat x, GLfloat y, GLfloat z) { addVertex(x, y, z, 1); }
void Vertex3fv(const GLfloat* v) { addVertex(v[0], v[1], v[2], 1); }
void Vertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) { addVertex(x, y, z, w); }

void Normal3f(GLfloat x, GLfloat y, GLfloat z) {
    Context* context = current();
    if (!context) return;
    context->normal[0] = x, context->normal[1] = y, context->normal[2] = z;
}

void Normal3fv(const GLfloat* v) { Normal3f(v[0], v[1], v[2]); }

void Color3f(GLfloat red, GLfloat green, GLfloat blue) { setColor(red, green, blue, 1); }
void Color3fv(const GLfloat* v) { setColor(v[0], v[1], v[2], 1); }
void Color3ub(GLubyte red, GLubyte green, GLubyte blue) { setColor(red / 255.0f, green / 255.0f, blue / 255.0f, 1); }
void Color4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) { setColor(red, green, blue, alpha); }
void Color4fv(const GLfloat* v) { setColor(v[0], v[1], v[2], v[3]); }

void TexCoord2i(GLint s, GLint t) { TexCoord2f(float(s), float(t)); }

void TexCoord2f(GLfloat s, GLfloat t) {
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
