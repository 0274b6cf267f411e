// textures.cpp -- texture objects: GL's names are ES's, and the layer remembers each image's size for
// the drawing's size check and for knowing when texturing has something to sample.
#include "gl/es/batch.h"
#include "gl/es/context.h"
#include "gl/es/es_calls.h"

using namespace es;

namespace {

// The internal formats GL 1.x takes for RGB and RGBA bytes, as ES names them (ES takes the format as
// the internal format).
GLenum esFormat(GLint internalFormat, GLenum format) {
    const bool rgb = internalFormat == 3 || internalFormat == GL_RGB || internalFormat == GL_RGB8;
    const bool rgba = internalFormat == 4 || internalFormat == GL_RGBA || internalFormat == GL_RGBA8;
    if (rgb && format == GL_RGB) return GL_RGB;
    if (rgba && format == GL_RGBA) return GL_RGBA;
    return 0;
}

}  // namespace

void glGenTextures(GLsizei n, GLuint* textures) {
    if (n < 0) return raise(GL_INVALID_VALUE);
    gl.GenTextures(n, textures);
    for (GLsizei i = 0; i < n; ++i) context().textures[textures[i]];
}

void glBindTexture(GLenum target, GLuint texture) {
    if (target != GL_TEXTURE_2D) return raise(GL_INVALID_ENUM);
    Context& c = context();
    if (c.boundTexture == texture) return;
    c.boundTexture = texture;
    c.textures[texture];
    drawStateChanged();
}

void glTexParameteri(GLenum target, GLenum pname, GLint param) {
    if (target != GL_TEXTURE_2D) return raise(GL_INVALID_ENUM);
    Context& c = context();
    if (pname == GL_TEXTURE_MIN_FILTER) {
        // Without mipmaps only these two leave a texture complete; the drawing uses no mipmaps.
        if (param != GL_NEAREST && param != GL_LINEAR) return raise(GL_INVALID_ENUM);
        c.textures[c.boundTexture].minFilterFine = true;
    }
    bindEsTexture(c.boundTexture);
    gl.TexParameteri(GL_TEXTURE_2D, pname, param);
    drawStateChanged();
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const GLvoid* pixels) {
    Context& c = context();
    const GLenum es = esFormat(internalFormat, format);
    if ((target != GL_TEXTURE_2D && target != GL_PROXY_TEXTURE_2D) || es == 0 || type != GL_UNSIGNED_BYTE)
        return raise(GL_INVALID_ENUM);
    if (level != 0) return raise(GL_INVALID_VALUE);  // the drawing gives no mipmaps
    const bool fits = border == 0 && width > 0 && height > 0 && width <= c.maxTextureSize && height <= c.maxTextureSize;
    if (target == GL_PROXY_TEXTURE_2D) {
        c.proxyWidth = fits ? width : 0;
        c.proxyHeight = fits ? height : 0;
        return;
    }
    if (!fits) return raise(GL_INVALID_VALUE);
    bindEsTexture(c.boundTexture);
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, c.unpackAlignment);
    gl.TexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(es), width, height, 0, es, GL_UNSIGNED_BYTE, pixels);
    Texture& t = c.textures[c.boundTexture];
    t.width = width;
    t.height = height;
    drawStateChanged();
}

void glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* params) {
    Context& c = context();
    if (pname != GL_TEXTURE_WIDTH && pname != GL_TEXTURE_HEIGHT) return raise(GL_INVALID_ENUM);
    if (target == GL_PROXY_TEXTURE_2D) {
        *params = level == 0 ? (pname == GL_TEXTURE_WIDTH ? c.proxyWidth : c.proxyHeight) : 0;
    } else if (target == GL_TEXTURE_2D) {
        const Texture& t = c.textures[c.boundTexture];
        *params = level == 0 ? (pname == GL_TEXTURE_WIDTH ? t.width : t.height) : 0;
    } else {
        raise(GL_INVALID_ENUM);
    }
}
