// es_calls.h -- the real OpenGL ES 2.0 calls the layer makes, as one table the platform fills.
//
// The layer defines glEnable, glDrawArrays and the rest itself, so it cannot call ES by those names;
// every real call goes through this table, which also keeps a browser's WebGL calls apart from ours.
#pragma once

// clang-format off
#include <GL/gl.h>
#include <GL/glext.h>
// clang-format on

#include "gl/es/es_layer.h"

namespace es {

// Every ES 2.0 call the layer makes: result, name without the "gl", parameters.
#define GLINTMERE_ES_CALLS(CALL)                                                                               \
    CALL(void, AttachShader, (GLuint program, GLuint shader))                                                  \
    CALL(void, BindAttribLocation, (GLuint program, GLuint index, const GLchar* name))                         \
    CALL(void, BindBuffer, (GLenum target, GLuint buffer))                                                     \
    CALL(void, BindTexture, (GLenum target, GLuint texture))                                                   \
    CALL(void, BufferData, (GLenum target, GLsizeiptr size, const void* data, GLenum usage))                   \
    CALL(void, BufferSubData, (GLenum target, GLintptr offset, GLsizeiptr size, const void* data))             \
    CALL(void, Clear, (GLbitfield mask))                                                                       \
    CALL(void, ClearColor, (GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha))                          \
    CALL(void, CompileShader, (GLuint shader))                                                                 \
    CALL(GLuint, CreateProgram, ())                                                                            \
    CALL(GLuint, CreateShader, (GLenum type))                                                                  \
    CALL(void, CullFace, (GLenum mode))                                                                        \
    CALL(void, DeleteBuffers, (GLsizei n, const GLuint* buffers))                                              \
    CALL(void, DeleteProgram, (GLuint program))                                                                \
    CALL(void, DeleteShader, (GLuint shader))                                                                  \
    CALL(void, DepthMask, (GLboolean flag))                                                                    \
    CALL(void, Disable, (GLenum cap))                                                                          \
    CALL(void, DisableVertexAttribArray, (GLuint index))                                                       \
    CALL(void, DrawArrays, (GLenum mode, GLint first, GLsizei count))                                          \
    CALL(void, DrawElements, (GLenum mode, GLsizei count, GLenum type, const void* indices))                   \
    CALL(void, Enable, (GLenum cap))                                                                           \
    CALL(void, EnableVertexAttribArray, (GLuint index))                                                        \
    CALL(void, Finish, ())                                                                                     \
    CALL(void, Flush, ())                                                                                      \
    CALL(void, GenBuffers, (GLsizei n, GLuint * buffers))                                                      \
    CALL(void, GenTextures, (GLsizei n, GLuint * textures))                                                    \
    CALL(GLenum, GetError, ())                                                                                 \
    CALL(void, GetIntegerv, (GLenum pname, GLint * data))                                                      \
    CALL(void, GetProgramInfoLog, (GLuint program, GLsizei size, GLsizei * length, GLchar * log))              \
    CALL(void, GetProgramiv, (GLuint program, GLenum pname, GLint * params))                                   \
    CALL(void, GetShaderInfoLog, (GLuint shader, GLsizei size, GLsizei * length, GLchar * log))                \
    CALL(void, GetShaderiv, (GLuint shader, GLenum pname, GLint * params))                                     \
    CALL(const GLubyte*, GetString, (GLenum name))                                                             \
    CALL(GLint, GetUniformLocation, (GLuint program, const GLchar* name))                                      \
    CALL(void, LineWidth, (GLfloat width))                                                                     \
    CALL(void, LinkProgram, (GLuint program))                                                                  \
    CALL(void, PixelStorei, (GLenum pname, GLint param))                                                       \
    CALL(void, ReadPixels,                                                                                     \
         (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels))          \
    CALL(void, ShaderSource, (GLuint shader, GLsizei count, const GLchar* const* string, const GLint* length)) \
    CALL(void, TexImage2D,                                                                                     \
         (GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height, GLint border,       \
          GLenum format, GLenum type, const void* pixels))                                                     \
    CALL(void, TexParameteri, (GLenum target, GLenum pname, GLint param))                                      \
    CALL(void, Uniform1f, (GLint location, GLfloat v0))                                                        \
    CALL(void, Uniform1i, (GLint location, GLint v0))                                                          \
    CALL(void, Uniform3fv, (GLint location, GLsizei count, const GLfloat* value))                              \
    CALL(void, Uniform4fv, (GLint location, GLsizei count, const GLfloat* value))                              \
    CALL(void, UseProgram, (GLuint program))                                                                   \
    CALL(void, VertexAttribPointer,                                                                            \
         (GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride, const void* pointer))   \
    CALL(void, Viewport, (GLint x, GLint y, GLsizei width, GLsizei height))

struct Calls {
#define GLINTMERE_ES_MEMBER(result, name, parameters) result(GLAPIENTRY* name) parameters = nullptr;
    GLINTMERE_ES_CALLS(GLINTMERE_ES_MEMBER)
#undef GLINTMERE_ES_MEMBER
};

// The table; empty until startEsLayer fills it.
extern Calls gl;

// Fills the table from `lookUp`; false with the first name it could not give in `*missing`.
bool loadCalls(EsLookUp lookUp, const char** missing);

}  // namespace es
