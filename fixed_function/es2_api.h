// The OpenGL ES 2.0 entry points the layer draws with, looked up by name through the loader the
// caller hands in, so that the layer never links the ES library and its own GL-named exports
// never meet the driver's.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include "fixed_function/fixed_function.h"

#ifndef APIENTRYP
#define APIENTRYP APIENTRY*
#endif

namespace ff {

// Return type, name (without "gl") and parameters of each ES 2.0 function the layer calls.
#define FF_ES2_FUNCTIONS(X)                                                                           \
    X(void, ActiveTexture, (GLenum))                                                                  \
    X(void, AttachShader, (GLuint, GLuint))                                                           \
    X(void, BindAttribLocation, (GLuint, GLuint, const GLchar*))                                      \
    X(void, BindBuffer, (GLenum, GLuint))                                                             \
    X(void, BindTexture, (GLenum, GLuint))                                                            \
    X(void, BlendFunc, (GLenum, GLenum))                                                              \
    X(void, BufferData, (GLenum, GLsizeiptr, const void*, GLenum))                                    \
    X(void, Clear, (GLbitfield))                                                                      \
    X(void, ClearColor, (GLfloat, GLfloat, GLfloat, GLfloat))                                         \
    X(void, ClearDepthf, (GLfloat))                                                                   \
    X(void, CompileShader, (GLuint))                                                                  \
    X(GLuint, CreateProgram, ())                                                                      \
    X(GLuint, CreateShader, (GLenum))                                                                 \
    X(void, DeleteBuffers, (GLsizei, const GLuint*))                                                  \
    X(void, DeleteProgram, (GLuint))                                                                  \
    X(void, DeleteShader, (GLuint))                                                                   \
    X(void, DeleteTextures, (GLsizei, const GLuint*))                                                 \
    X(void, DepthFunc, (GLenum))                                                                      \
    X(void, Disable, (GLenum))                                                                        \
    X(void, DisableVertexAttribArray, (GLuint))                                                       \
    X(void, DrawArrays, (GLenum, GLint, GLsizei))                                                     \
    X(void, DrawElements, (GLenum, GLsizei, GLenum, const void*))                                     \
    X(void, Enable, (GLenum))                                                                         \
    X(void, EnableVertexAttribArray, (GLuint))                                                        \
    X(void, Finish, ())                                                                               \
    X(void, GenBuffers, (GLsizei, GLuint*))                                                           \
    X(void, GenTextures, (GLsizei, GLuint*))                                                          \
    X(void, GetFloatv, (GLenum, GLfloat*))                                                            \
    X(void, GetIntegerv, (GLenum, GLint*))                                                            \
    X(void, GetProgramInfoLog, (GLuint, GLsizei, GLsizei*, GLchar*))                                  \
    X(void, GetProgramiv, (GLuint, GLenum, GLint*))                                                   \
    X(void, GetShaderInfoLog, (GLuint, GLsizei, GLsizei*, GLchar*))                                   \
    X(void, GetShaderiv, (GLuint, GLenum, GLint*))                                                    \
    X(const GLubyte*, GetString, (GLenum))                                                            \
    X(GLint, GetUniformLocation, (GLuint, const GLchar*))                                             \
    X(void, LineWidth, (GLfloat))                                                                     \
    X(void, LinkProgram, (GLuint))                                                                    \
    X(void, PixelStorei, (GLenum, GLint))                                                             \
    X(void, ReadPixels, (GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*))                      \
    X(void, ShaderSource, (GLuint, GLsizei, const GLchar* const*, const GLint*))                      \
    X(void, TexImage2D, (GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*)) \
    X(void, TexParameteri, (GLenum, GLenum, GLint))                                                   \
    X(void, Uniform1f, (GLint, GLfloat))                                                              \
    X(void, Uniform1fv, (GLint, GLsizei, const GLfloat*))                                             \
    X(void, Uniform1i, (GLint, GLint))                                                                \
    X(void, Uniform2fv, (GLint, GLsizei, const GLfloat*))                                             \
    X(void, Uniform3fv, (GLint, GLsizei, const GLfloat*))                                             \
    X(void, Uniform4fv, (GLint, GLsizei, const GLfloat*))                                             \
    X(void, UniformMatrix3fv, (GLint, GLsizei, GLboolean, const GLfloat*))                            \
    X(void, UniformMatrix4fv, (GLint, GLsizei, GLboolean, const GLfloat*))                            \
    X(void, UseProgram, (GLuint))                                                                     \
    X(void, VertexAttrib4fv, (GLuint, const GLfloat*))                                                \
    X(void, VertexAttribPointer, (GLuint, GLint, GLenum, GLboolean, GLsizei, const void*))            \
    X(void, Viewport, (GLint, GLint, GLsizei, GLsizei))

struct Es2Api {
#define FF_ES2_MEMBER(result, name, parameters) result(APIENTRYP name) parameters = nullptr;
    FF_ES2_FUNCTIONS(FF_ES2_MEMBER)
#undef FF_ES2_MEMBER
};

// Fills the table; false (and the name of the first missing function in `missing`) when the
// loader lacks one of them.
bool loadEs2Api(ProcLoader loader, Es2Api& api, const char*& missing);

}  // namespace ff
