// The fixed-function layer: OpenGL 1.1 calls answered on an OpenGL ES 2.0 context. Each function
// keeps the meaning the OpenGL 1.1 standard gives the GL call of the same name (ff::Begin is
// glBegin) and works on the current layer context; calls the layer does not support record GL's
// error for the argument and change nothing.
#pragma once

#include <GL/gl.h>

struct GLUquadric;  // GLU's name for a quadric; the layer's own behind it

namespace ff {

struct Context;

// Looks up an entry point of the current ES 2.0 context by its name; null when there is none.
using ProcLoader = void* (*)(const char* name);

// A layer context over the ES 2.0 context current now, in GL's initial state. Null when an entry
// point is missing or the shaders cannot be made; `why` then says what failed.
Context* createContext(ProcLoader loader, const char** why = nullptr);
// Gives back the context's ES objects; its ES context must be current. Null does nothing.
void destroyContext(Context* context);
// The context the calls below work on (with its ES context current); null: none, and every call
// is then ignored.
void makeCurrent(Context* context);
Context* currentContext();

// State and errors.
void Enable(GLenum cap);
void Disable(GLenum cap);
GLboolean IsEnabled(GLenum cap);
GLenum GetError();
// GL_VERSION is "1.1" followed by the layer's name and the ES driver's version; GL_VENDOR and
// GL_RENDERER are the ES driver's; GL_EXTENSIONS lists what the layer offers:
// "GL_ARB_multitexture".
const GLubyte* GetString(GLenum name);
void GetBooleanv(GLenum pname, GLboolean* params);
void GetIntegerv(GLenum pname, GLint* params);
void GetFloatv(GLenum pname, GLfloat* params);
void GetDoublev(GLenum pname, GLdouble* params);
void Clear(GLbitfield mask);
void ClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
void ClearDepth(GLclampd depth);
void Viewport(GLint x, GLint y, GLsizei width, GLsizei height);
void DepthFunc(GLenum func);
void BlendFunc(GLenum sfactor, GLenum dfactor);
// Waits until ES has carried out every call made so far (never compiled into a list).
void Finish();

// Matrices.
void MatrixMode(GLenum mode);
void LoadIdentity();
void PushMatrix();
void PopMatrix();
void LoadMatrixf(const GLfloat* m);
void LoadMatrixd(const GLdouble* m);
void MultMatrixf(const GLfloat* m);
void MultMatrixd(const GLdouble* m);
void Translatef(GLfloat x, GLfloat y, GLfloat z);
void Translated(GLdouble x, GLdouble y, GLdouble z);
void Scalef(GLfloat x, GLfloat y, GLfloat z);
void Scaled(GLdouble x, GLdouble y, GLdouble z);
void Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void Rotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z);
void Ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);
void Frustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);

// Vertex assembly in immediate mode.
void Begin(GLenum mode);
void End();
void Vertex2i(GLint x, GLint y);
void Vertex2f(GLfloat x, GLfloat y);
void Vertex3i(GLint x, GLint y, GLint z);
void Vertex3f(GLfloat x, GLfloat y, GLfloat z);
void Vertex3fv(const GLfloat* v);
void Vertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w);
void Normal3f(GLfloat x, GLfloat y, GLfloat z);
void Normal3fv(const GLfloat* v);
void Color3f(GLfloat red, GLfloat green, GLfloat blue);
void Color3fv(const GLfloat* v);
void Color3ub(GLubyte red, GLubyte green, GLubyte blue);
void Color4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void Color4fv(const GLfloat* v);
void TexCoord2i(GLint s, GLint t);
void TexCoord2f(GLfloat s, GLfloat t);
void Recti(GLint x1, GLint y1, GLint x2, GLint y2);

// How polygons are drawn: filled, as their edges or as their corners (front and back faces alike,
// so GL_FRONT_AND_BACK is the one face taken); the width of lines.
void PolygonMode(GLenum face, GLenum mode);
void LineWidth(GLfloat width);

// Attribute stacks (16 deep each). Every group is accepted; each saves what the layer has of it.
void PushAttrib(GLbitfield mask);
void PopAttrib();
void PushClientAttrib(GLbitfield mask);
void PopClientAttrib();

// Vertex assembly from client arrays, read when drawn. Each array takes GL_FLOAT or GL_DOUBLE
// components (colours GL_UNSIGNED_BYTE too).
void VertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
void NormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer);
void ColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
void TexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
void EnableClientState(GLenum array);
void DisableClientState(GLenum array);
void DrawArrays(GLenum mode, GLint first, GLsizei count);
void DrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices);

// Lighting and fog.
void Lightf(GLenum light, GLenum pname, GLfloat param);
void Lightfv(GLenum light, GLenum pname, const GLfloat* params);
// A light's parameter as GL keeps it: positions and spot directions in eye coordinates.
void GetLightfv(GLenum light, GLenum pname, GLfloat* params);
void LightModelf(GLenum pname, GLfloat param);
void LightModelfv(GLenum pname, const GLfloat* params);
void Materialf(GLenum face, GLenum pname, GLfloat param);
void Materialfv(GLenum face, GLenum pname, const GLfloat* params);
void ColorMaterial(GLenum face, GLenum mode);
void Fogf(GLenum pname, GLfloat param);
void Fogi(GLenum pname, GLint param);
void Fogfv(GLenum pname, const GLfloat* params);

// Pixel transfer.
void PixelStorei(GLenum pname, GLint param);
void ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels);

// Textures: 2D textures in the base formats of the OpenGL 1.1 standard from unsigned bytes, with
// power-of-two sides and no border; two units (GL_ARB_multitexture), each with its coordinate,
// enable, binding, environment (GL_MODULATE, GL_REPLACE, GL_DECAL) and texture matrix.
void GenTextures(GLsizei n, GLuint* textures);
void DeleteTextures(GLsizei n, const GLuint* textures);
void BindTexture(GLenum target, GLuint texture);
GLboolean IsTexture(GLuint texture);
void TexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height, GLint border,
                GLenum format, GLenum type, const GLvoid* pixels);
void TexParameteri(GLenum target, GLenum pname, GLint param);
void TexParameterf(GLenum target, GLenum pname, GLfloat param);
void GetTexParameteriv(GLenum target, GLenum pname, GLint* params);
void TexEnvi(GLenum target, GLenum pname, GLint param);
void TexEnvf(GLenum target, GLenum pname, GLfloat param);
void GetTexEnviv(GLenum target, GLenum pname, GLint* params);
void ActiveTextureARB(GLenum texture);
void MultiTexCoord2fARB(GLenum target, GLfloat s, GLfloat t);
void MultiTexCoord2fvARB(GLenum target, const GLfloat* v);

// The raster position and bitmaps. A bitmap compiled into a list keeps its bits as the unpack
// rules of that moment lay them out.
void RasterPos2i(GLint x, GLint y);
void RasterPos2f(GLfloat x, GLfloat y);
void RasterPos3f(GLfloat x, GLfloat y, GLfloat z);
void RasterPos4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w);
void Bitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
            const GLubyte* bitmap);

// Display lists.
GLuint GenLists(GLsizei range);
void DeleteLists(GLuint list, GLsizei range);
GLboolean IsList(GLuint list);
void NewList(GLuint list, GLenum mode);
void EndList();
void CallList(GLuint list);
void CallLists(GLsizei n, GLenum type, const GLvoid* lists);
void ListBase(GLuint base);

// GLU.
void Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);  // gluPerspective
// gluScaleImage and gluBuild2DMipmaps for unsigned bytes in the formats glTexImage2D takes; 0, or
// GLU's error code.
GLint ScaleImage(GLenum format, GLsizei widthin, GLsizei heightin, GLenum typein, const void* datain, GLsizei widthout,
                 GLsizei heightout, GLenum typeout, void* dataout);
GLint Build2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format, GLenum type,
                     const void* data);

// Quadrics (gluNewQuadric, ...): the sphere drawn with GLU's vertices, normals, texture
// coordinates and primitives, in each draw style, normal mode and orientation. GLU's error
// callback is not offered: a bad argument is ignored.
GLUquadric* NewQuadric();
void DeleteQuadric(GLUquadric* quadric);
void QuadricDrawStyle(GLUquadric* quadric, GLenum drawStyle);
void QuadricNormals(GLUquadric* quadric, GLenum normals);
void QuadricTexture(GLUquadric* quadric, GLboolean textureCoords);
void QuadricOrientation(GLUquadric* quadric, GLenum orientation);
void Sphere(GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks);

}  // namespace ff
