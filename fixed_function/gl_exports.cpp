// The GL-named functions of the build on the layer: each hands its call to the layer's function
// of the same name, so that the program's own source, unchanged, draws through the layer.
#include "fixed_function/gl_exports.h"

#include <GL/glu.h>

#include <cstring>

#include "fixed_function/fixed_function.h"

extern "C" {
void GLAPIENTRY glEnable(GLenum cap) { ff::Enable(cap); }
void GLAPIENTRY glDisable(GLenum cap) { ff::Disable(cap); }
GLboolean GLAPIENTRY glIsEnabled(GLenum cap) { return ff::IsEnabled(cap); }
GLenum GLAPIENTRY glGetError() { return ff::GetError(); }
const GLubyte* GLAPIENTRY glGetString(GLenum name) { return ff::GetString(name); }
void GLAPIENTRY glGetBooleanv(GLenum pname, GLboolean* params) { ff::GetBooleanv(pname, params); }
void GLAPIENTRY glGetIntegerv(GLenum pname, GLint* params) { ff::GetIntegerv(pname, params); }
void GLAPIENTRY glGetFloatv(GLenum pname, GLfloat* params) { ff::GetFloatv(pname, params); }
void GLAPIENTRY glGetDoublev(GLenum pname, GLdouble* params) { ff::GetDoublev(pname, params); }
void GLAPIENTRY glClear(GLbitfield mask) { ff::Clear(mask); }
void GLAPIENTRY glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    ff::ClearColor(red, green, blue, alpha);
}
void GLAPIENTRY glClearDepth(GLclampd depth) { ff::ClearDepth(depth); }
void GLAPIENTRY glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { ff::Viewport(x, y, width, height); }
void GLAPIENTRY glDepthFunc(GLenum func) { ff::DepthFunc(func); }
void GLAPIENTRY glBlendFunc(GLenum sfactor, GLenum dfactor) { ff::BlendFunc(sfactor, dfactor); }
void GLAPIENTRY glFinish() { ff::Finish(); }
void GLAPIENTRY glMatrixMode(GLenum mode) { ff::MatrixMode(mode); }
void GLAPIENTRY glLoadIdentity() { ff::LoadIdentity(); }
void GLAPIENTRY glPushMatrix() { ff::PushMatrix(); }
void GLAPIENTRY glPopMatrix() { ff::PopMatrix(); }
void GLAPIENTRY glLoadMatrixf(const GLfloat* m) { ff::LoadMatrixf(m); }
void GLAPIENTRY glLoadMatrixd(const GLdouble* m) { ff::LoadMatrixd(m); }
void GLAPIENTRY glMultMatrixf(const GLfloat* m) { ff::MultMatrixf(m); }
void GLAPIENTRY glMultMatrixd(const GLdouble* m) { ff::MultMatrixd(m); }
void GLAPIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) { ff::Translatef(x, y, z); }
void GLAPIENTRY glTranslated(GLdouble x, GLdouble y, GLdouble z) { ff::Translated(x, y, z); }
void GLAPIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z) { ff::Scalef(x, y, z); }
void GLAPIENTRY glScaled(GLdouble x, GLdouble y, GLdouble z) { ff::Scaled(x, y, z); }
void GLAPIENTRY glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) { ff::Rotatef(angle, x, y, z); }
void GLAPIENTRY glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) { ff::Rotated(angle, x, y, z); }
void GLAPIENTRY glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
    ff::Ortho(left, right, bottom, top, zNear, zFar);
}
void GLAPIENTRY glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
    ff::Frustum(left, right, bottom, top, zNear, zFar);
}
void GLAPIENTRY glBegin(GLenum mode) { ff::Begin(mode); }
void GLAPIENTRY glEnd() { ff::End(); }
void GLAPIENTRY glVertex2i(GLint x, GLint y) { ff::Vertex2i(x, y); }
void GLAPIENTRY glVertex2f(GLfloat x, GLfloat y) { ff::Vertex2f(x, y); }
void GLAPIENTRY glVertex3i(GLint x, GLint y, GLint z) { ff::Vertex3i(x, y, z); }
void GLAPIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) { ff::Vertex3f(x, y, z); }
void GLAPIENTRY glVertex3fv(const GLfloat* v) { ff::Vertex3fv(v); }
void GLAPIENTRY glVertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) { ff::Vertex4f(x, y, z, w); }
void GLAPIENTRY glNormal3f(GLfloat x, GLfloat y, GLfloat z) { ff::Normal3f(x, y, z); }
void GLAPIENTRY glNormal3fv(const GLfloat* v) { ff::Normal3fv(v); }
void GLAPIENTRY glColor3f(GLfloat red, GLfloat green, GLfloat blue) { ff::Color3f(red, green, blue); }
void GLAPIENTRY glColor3fv(const GLfloat* v) { ff::Color3fv(v); }
void GLAPIENTRY glColor3ub(GLubyte red, GLubyte green, GLubyte blue) { ff::Color3ub(red, green, blue); }
void GLAPIENTRY glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    ff::Color4f(red, green, blue, alpha);
}
void GLAPIENTRY glColor4fv(const GLfloat* v) { ff::Color4fv(v); }
void GLAPIENTRY glTexCoord2i(GLint s, GLint t) { ff::TexCoord2i(s, t); }
void GLAPIENTRY glTexCoord2f(GLfloat s, GLfloat t) { ff::TexCoord2f(s, t); }
void GLAPIENTRY glRecti(GLint x1, GLint y1, GLint x2, GLint y2) { ff::Recti(x1, y1, x2, y2); }
void GLAPIENTRY glPolygonMode(GLenum face, GLenum mode) { ff::PolygonMode(face, mode); }
void GLAPIENTRY glLineWidth(GLfloat width) { ff::LineWidth(width); }
void GLAPIENTRY glPushAttrib(GLbitfield mask) { ff::PushAttrib(mask); }
void GLAPIENTRY glPopAttrib() { ff::PopAttrib(); }
void GLAPIENTRY glPushClientAttrib(GLbitfield mask) { ff::PushClientAttrib(mask); }
void GLAPIENTRY glPopClientAttrib() { ff::PopClientAttrib(); }
void GLAPIENTRY glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    ff::VertexPointer(size, type, stride, pointer);
}
void GLAPIENTRY glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    ff::NormalPointer(type, stride, pointer);
}
void GLAPIENTRY glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    ff::ColorPointer(size, type, stride, pointer);
}
void GLAPIENTRY glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    ff::TexCoordPointer(size, type, stride, pointer);
}
void GLAPIENTRY glEnableClientState(GLenum array) { ff::EnableClientState(array); }
void GLAPIENTRY glDisableClientState(GLenum array) { ff::DisableClientState(array); }
void GLAPIENTRY glDrawArrays(GLenum mode, GLint first, GLsizei count) { ff::DrawArrays(mode, first, count); }
void GLAPIENTRY glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    ff::DrawElements(mode, count, type, indices);
}
void GLAPIENTRY glLightf(GLenum light, GLenum pname, GLfloat param) { ff::Lightf(light, pname, param); }
void GLAPIENTRY glLightfv(GLenum light, GLenum pname, const GLfloat* params) { ff::Lightfv(light, pname, params); }
void GLAPIENTRY glGetLightfv(GLenum light, GLenum pname, GLfloat* params) { ff::GetLightfv(light, pname, params); }
void GLAPIENTRY glLightModelf(GLenum pname, GLfloat param) { ff::LightModelf(pname, param); }
void GLAPIENTRY glLightModelfv(GLenum pname, const GLfloat* params) { ff::LightModelfv(pname, params); }
void GLAPIENTRY glMaterialf(GLenum face, GLenum pname, GLfloat param) { ff::Materialf(face, pname, param); }
void GLAPIENTRY glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) { ff::Materialfv(face, pname, params); }
void GLAPIENTRY glColorMaterial(GLenum face, GLenum mode) { ff::ColorMaterial(face, mode); }
void GLAPIENTRY glFogf(GLenum pname, GLfloat param) { ff::Fogf(pname, param); }
void GLAPIENTRY glFogi(GLenum pname, GLint param) { ff::Fogi(pname, param); }
void GLAPIENTRY glFogfv(GLenum pname, const GLfloat* params) { ff::Fogfv(pname, params); }
void GLAPIENTRY glPixelStorei(GLenum pname, GLint param) { ff::PixelStorei(pname, param); }
void GLAPIENTRY glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                             GLvoid* pixels) {
    ff::ReadPixels(x, y, width, height, format, type, pixels);
}
void GLAPIENTRY glGenTextures(GLsizei n, GLuint* textures) { ff::GenTextures(n, textures); }
void GLAPIENTRY glDeleteTextures(GLsizei n, const GLuint* textures) { ff::DeleteTextures(n, textures); }
void GLAPIENTRY glBindTexture(GLenum target, GLuint texture) { ff::BindTexture(target, texture); }
GLboolean GLAPIENTRY glIsTexture(GLuint texture) { return ff::IsTexture(texture); }
void GLAPIENTRY glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                             GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    ff::TexImage2D(target, level, internalformat, width, height, border, format, type, pixels);
}
void GLAPIENTRY glTexParameteri(GLenum target, GLenum pname, GLint param) { ff::TexParameteri(target, pname, param); }
void GLAPIENTRY glTexParameterf(GLenum target, GLenum pname, GLfloat param) { ff::TexParameterf(target, pname, param); }
void GLAPIENTRY glGetTexParameteriv(GLenum target, GLenum pname, GLint* params) {
    ff::GetTexParameteriv(target, pname, params);
}
void GLAPIENTRY glTexEnvi(GLenum target, GLenum pname, GLint param) { ff::TexEnvi(target, pname, param); }
void GLAPIENTRY glTexEnvf(GLenum target, GLenum pname, GLfloat param) { ff::TexEnvf(target, pname, param); }
void GLAPIENTRY glGetTexEnviv(GLenum target, GLenum pname, GLint* params) { ff::GetTexEnviv(target, pname, params); }
GLuint GLAPIENTRY glGenLists(GLsizei range) { return ff::GenLists(range); }
void GLAPIENTRY glDeleteLists(GLuint list, GLsizei range) { ff::DeleteLists(list, range); }
GLboolean GLAPIENTRY glIsList(GLuint list) { return ff::IsList(list); }
void GLAPIENTRY glNewList(GLuint list, GLenum mode) { ff::NewList(list, mode); }
void GLAPIENTRY glEndList() { ff::EndList(); }
void GLAPIENTRY glCallList(GLuint list) { ff::CallList(list); }
void GLAPIENTRY glCallLists(GLsizei n, GLenum type, const GLvoid* lists) { ff::CallLists(n, type, lists); }
void GLAPIENTRY glListBase(GLuint base) { ff::ListBase(base); }
void GLAPIENTRY glActiveTextureARB(GLenum texture) { ff::ActiveTextureARB(texture); }
void GLAPIENTRY glMultiTexCoord2fARB(GLenum target, GLfloat s, GLfloat t) { ff::MultiTexCoord2fARB(target, s, t); }
void GLAPIENTRY glMultiTexCoord2fvARB(GLenum target, const GLfloat* v) { ff::MultiTexCoord2fvARB(target, v); }
void GLAPIENTRY glRasterPos2i(GLint x, GLint y) { ff::RasterPos2i(x, y); }
void GLAPIENTRY glRasterPos2f(GLfloat x, GLfloat y) { ff::RasterPos2f(x, y); }
void GLAPIENTRY glRasterPos3f(GLfloat x, GLfloat y, GLfloat z) { ff::RasterPos3f(x, y, z); }
void GLAPIENTRY glRasterPos4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) { ff::RasterPos4f(x, y, z, w); }
void GLAPIENTRY glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
                         const GLubyte* bitmap) {
    ff::Bitmap(width, height, xorig, yorig, xmove, ymove, bitmap);
}
void GLAPIENTRY gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    ff::Perspective(fovy, aspect, zNear, zFar);
}
GLint GLAPIENTRY gluScaleImage(GLenum format, GLsizei widthin, GLsizei heightin, GLenum typein, const void* datain,
                               GLsizei widthout, GLsizei heightout, GLenum typeout, void* dataout) {
    return ff::ScaleImage(format, widthin, heightin, typein, datain, widthout, heightout, typeout, dataout);
}
GLint GLAPIENTRY gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                                   GLenum type, const void* data) {
    return ff::Build2DMipmaps(target, internalFormat, width, height, format, type, data);
}
GLUquadric* GLAPIENTRY gluNewQuadric() { return ff::NewQuadric(); }
void GLAPIENTRY gluDeleteQuadric(GLUquadric* quadric) { ff::DeleteQuadric(quadric); }
void GLAPIENTRY gluQuadricDrawStyle(GLUquadric* quadric, GLenum drawStyle) { ff::QuadricDrawStyle(quadric, drawStyle); }
void GLAPIENTRY gluQuadricNormals(GLUquadric* quadric, GLenum normals) { ff::QuadricNormals(quadric, normals); }
void GLAPIENTRY gluQuadricTexture(GLUquadric* quadric, GLboolean textureCoords) {
    ff::QuadricTexture(quadric, textureCoords);
}
void GLAPIENTRY gluQuadricOrientation(GLUquadric* quadric, GLenum orientation) {
    ff::QuadricOrientation(quadric, orientation);
}
void GLAPIENTRY gluSphere(GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks) {
    ff::Sphere(quadric, radius, slices, stacks);
}
}

namespace ff {

void* exportedProcAddress(const char* name) {
    struct Entry {
        const char* name;
        void* address;
    };
    static const Entry extensionFunctions[] = {
        {"glActiveTextureARB", reinterpret_cast<void*>(&glActiveTextureARB)},
        {"glMultiTexCoord2fARB", reinterpret_cast<void*>(&glMultiTexCoord2fARB)},
        {"glMultiTexCoord2fvARB", reinterpret_cast<void*>(&glMultiTexCoord2fvARB)},
    };
    if (!name) return nullptr;
    for (const Entry& entry : extensionFunctions)
        if (std::strcmp(entry.name, name) == 0) return entry.address;
    return nullptr;
}

}  // namespace ff
