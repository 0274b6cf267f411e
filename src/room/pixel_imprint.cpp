// pixel_imprint.cpp -- keeps the pixels an unchanging drawing leaves, and lays them down again while
// nothing that shapes them has changed.
#define GL_GLEXT_PROTOTYPES 1
#include "room/pixel_imprint.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <algorithm>
#include <bit>
#include <initializer_list>

#include "app/scene_state.h"

namespace {

class KeyWriter {
public:
    explicit KeyWriter(std::vector<uint32_t>& out) : out(out) {}
    void add(float v) { out.push_back(std::bit_cast<uint32_t>(v)); }
    void add(GLint v) { out.push_back(static_cast<uint32_t>(v)); }
    void floats(GLenum what, int count) {
        GLfloat v[16] = {};
        glGetFloatv(what, v);
        for (int i = 0; i < count; ++i) add(v[i]);
    }
    void ints(GLenum what, int count) {
        GLint v[4] = {};
        glGetIntegerv(what, v);
        for (int i = 0; i < count; ++i) add(v[i]);
    }
    void enabled(GLenum cap) { add(static_cast<GLint>(glIsEnabled(cap))); }
    void light(GLenum id, GLenum what, int count) {
        GLfloat v[4] = {};
        glGetLightfv(id, what, v);
        for (int i = 0; i < count; ++i) add(v[i]);
    }
    void material(GLenum face, GLenum what, int count) {
        GLfloat v[4] = {};
        glGetMaterialfv(face, what, v);
        for (int i = 0; i < count; ++i) add(v[i]);
    }

private:
    std::vector<uint32_t>& out;
};

// Everything a fragment could be changed by on its way into the colour buffer must be off: then a
// covered pixel is the drawing's colour alone. (Dithering is part of the key instead; the software
// renderer does not dither.)
bool fragmentsLandPlainly() {
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    if (mode != GL_RENDER) return false;
    // clang-format off
    static constexpr GLenum offWhileImprinting[] = {
        GL_DEPTH_TEST, GL_BLEND, GL_ALPHA_TEST, GL_STENCIL_TEST, GL_SCISSOR_TEST, GL_COLOR_LOGIC_OP, GL_FOG,
        GL_COLOR_SUM, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q, GL_TEXTURE_1D,
        GL_TEXTURE_3D, GL_TEXTURE_CUBE_MAP, GL_CLIP_PLANE0, GL_CLIP_PLANE1, GL_CLIP_PLANE2, GL_CLIP_PLANE3,
        GL_CLIP_PLANE4, GL_CLIP_PLANE5, GL_POLYGON_STIPPLE, GL_LINE_STIPPLE, GL_POLYGON_SMOOTH, GL_LINE_SMOOTH,
        GL_POINT_SMOOTH, GL_POLYGON_OFFSET_FILL, GL_POLYGON_OFFSET_LINE, GL_POLYGON_OFFSET_POINT};
    // clang-format on
    for (GLenum cap : offWhileImprinting)
        if (glIsEnabled(cap)) return false;
    GLboolean mask[4] = {GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    GLint unit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    return mask[0] && mask[1] && mask[2] && mask[3] && unit == GL_TEXTURE0;
}

struct DrawableSize {
    int width = 0, height = 0;
};

// The window's size as the last reshape gave it (asking the X server every frame would cost a
// round trip each time).
DrawableSize currentDrawable() {
    return {scene.windowWidth, scene.windowHeight};
}

std::vector<uint8_t> readColours(int width, int height) {
    std::vector<uint8_t> out(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
}

// Pixel store and transfer state are left at GL's defaults by the program; only the row alignment
// is set here, and put back.
class PixelWriting {
public:
    PixelWriting() {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
        glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
        glGetIntegerv(GL_READ_BUFFER, &readBuffer);
        texturing = glIsEnabled(GL_TEXTURE_2D);
        GLint drawBuffer = GL_BACK;
        glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
        glReadBuffer(static_cast<GLenum>(drawBuffer));
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }
    ~PixelWriting() {
        glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
        glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
        glReadBuffer(static_cast<GLenum>(readBuffer));
        if (texturing) glEnable(GL_TEXTURE_2D);
    }
    PixelWriting(const PixelWriting&) = delete;
    PixelWriting& operator=(const PixelWriting&) = delete;

    // Written pixels must not be textured: the raster position's texture coordinates would apply.
    void untextured() const { glDisable(GL_TEXTURE_2D); }

private:
    GLint unpackAlignment = 4, packAlignment = 4, readBuffer = GL_BACK;
    GLboolean texturing = GL_FALSE;
};

}  // namespace

PixelImprint::Leftovers PixelImprint::Leftovers::read() {
    Leftovers l{};
    glGetFloatv(GL_CURRENT_COLOR, l.colour);
    glGetFloatv(GL_CURRENT_NORMAL, l.normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, l.texCoord);
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, l.ambient);
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, l.diffuse);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, l.specular);
    glGetMaterialfv(GL_FRONT, GL_EMISSION, l.emission);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &l.shininess);
    glGetFloatv(GL_LINE_WIDTH, &l.lineWidth);
    glGetFloatv(GL_POINT_SIZE, &l.pointSize);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &l.binding);
    glGetIntegerv(GL_POLYGON_MODE, l.polygonMode);
    glGetIntegerv(GL_MATRIX_MODE, &l.matrixMode);
    glGetIntegerv(GL_SHADE_MODEL, &l.shadeModel);
    l.texturing = glIsEnabled(GL_TEXTURE_2D);
    l.lighting = glIsEnabled(GL_LIGHTING);
    l.culling = glIsEnabled(GL_CULL_FACE);
    l.depthTest = glIsEnabled(GL_DEPTH_TEST);
    l.normalize = glIsEnabled(GL_NORMALIZE);
    GLboolean mask = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    l.depthMask = mask == GL_TRUE;
    l.blend = glIsEnabled(GL_BLEND);
    return l;
}

void PixelImprint::Leftovers::restore() const {
    // The colour first: with colour material on it rewrites the material, which then gets its
    // own values back (a material set after the last colour keeps them).
    glColor4fv(colour);
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
    glMaterialf(GL_FRONT, GL_SHININESS, shininess);
    glNormal3fv(normal);
    glTexCoord4fv(texCoord);
    glLineWidth(lineWidth);
    glPointSize(pointSize);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(binding));
    glPolygonMode(GL_FRONT, static_cast<GLenum>(polygonMode[0]));
    glPolygonMode(GL_BACK, static_cast<GLenum>(polygonMode[1]));
    glMatrixMode(static_cast<GLenum>(matrixMode));
    auto set = [](GLenum cap, bool on) { on ? glEnable(cap) : glDisable(cap); };
    set(GL_TEXTURE_2D, texturing);
    set(GL_NORMALIZE, normalize);
    set(GL_BLEND, blend);
    set(GL_LIGHTING, lighting);
    set(GL_CULL_FACE, culling);
    set(GL_DEPTH_TEST, depthTest);
    glShadeModel(static_cast<GLenum>(shadeModel));
    glDepthMask(depthMask ? GL_TRUE : GL_FALSE);
}

PixelImprint::Key PixelImprint::readKey(const std::vector<uint32_t>& identity) {
    Key k;
    k.bits.reserve(384);
    k.bits = identity;
    KeyWriter w(k.bits);
    const DrawableSize d = currentDrawable();
    w.add(static_cast<GLint>(d.width));
    w.add(static_cast<GLint>(d.height));
    w.ints(GL_DRAW_BUFFER, 1);
    w.ints(GL_VIEWPORT, 4);
    w.floats(GL_DEPTH_RANGE, 2);
    w.floats(GL_MODELVIEW_MATRIX, 16);
    w.floats(GL_PROJECTION_MATRIX, 16);
    w.floats(GL_TEXTURE_MATRIX, 16);

    // The current values a drawing may take over without setting its own.
    w.floats(GL_CURRENT_COLOR, 4);
    w.floats(GL_CURRENT_NORMAL, 3);
    w.floats(GL_CURRENT_TEXTURE_COORDS, 4);
    w.ints(GL_MATRIX_MODE, 1);
    w.enabled(GL_NORMALIZE);
    w.enabled(GL_COLOR_MATERIAL);
    w.ints(GL_COLOR_MATERIAL_FACE, 1);
    w.ints(GL_COLOR_MATERIAL_PARAMETER, 1);
    for (GLenum face : {GL_FRONT, GL_BACK}) {
        for (GLenum p : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION}) w.material(face, p, 4);
        w.material(face, GL_SHININESS, 1);
    }
    GLboolean depthMask = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    w.add(static_cast<GLint>(depthMask));

    // How primitives become fragments.
    w.ints(GL_POLYGON_MODE, 2);
    w.enabled(GL_CULL_FACE);
    w.ints(GL_CULL_FACE_MODE, 1);
    w.ints(GL_FRONT_FACE, 1);
    w.ints(GL_SHADE_MODEL, 1);
    w.floats(GL_LINE_WIDTH, 1);
    w.floats(GL_POINT_SIZE, 1);
    w.enabled(GL_DITHER);
    w.enabled(GL_MULTISAMPLE);
    w.ints(GL_CLAMP_VERTEX_COLOR, 1);
    w.ints(GL_EDGE_FLAG, 1);

    // The texture and how it meets the colour.
    w.enabled(GL_TEXTURE_2D);
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    w.add(texture);
    for (GLenum p : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) {
        GLint v = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, p, &v);
        w.add(v);
    }
    for (GLenum p : {GL_TEXTURE_WIDTH, GL_TEXTURE_HEIGHT, GL_TEXTURE_INTERNAL_FORMAT}) {
        GLint v = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, p, &v);
        w.add(v);
    }
    GLint envMode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    w.add(envMode);
    GLfloat envColour[4] = {};
    glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, envColour);
    for (float c : envColour) w.add(c);

    // Lighting, with everything it reads while it is on.
    w.enabled(GL_LIGHTING);
    if (glIsEnabled(GL_LIGHTING)) {
        w.floats(GL_LIGHT_MODEL_AMBIENT, 4);
        w.ints(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
        w.ints(GL_LIGHT_MODEL_TWO_SIDE, 1);
        w.ints(GL_LIGHT_MODEL_COLOR_CONTROL, 1);
        w.enabled(GL_RESCALE_NORMAL);
        GLint lights = 8;
        glGetIntegerv(GL_MAX_LIGHTS, &lights);
        for (GLint i = 0; i < lights; ++i) {
            const GLenum id = static_cast<GLenum>(GL_LIGHT0 + i);
            w.enabled(id);
            if (!glIsEnabled(id)) continue;
            for (GLenum p : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_POSITION}) w.light(id, p, 4);
            w.light(id, GL_SPOT_DIRECTION, 3);
            for (GLenum p : {GL_SPOT_EXPONENT, GL_SPOT_CUTOFF, GL_CONSTANT_ATTENUATION, GL_LINEAR_ATTENUATION,
                             GL_QUADRATIC_ATTENUATION})
                w.light(id, p, 1);
        }
    }
    return k;
}

void PixelImprint::draw(const std::vector<uint32_t>& identity, const std::function<void()>& drawing) {
    outcome = Outcome::Drawn;
    const void* current = glXGetCurrentContext();
    if (context != current) {
        context = current;
        valid = false;
        previousValid = false;
    }
    if (!fragmentsLandPlainly()) {
        previousValid = false;
        drawing();
        return;
    }
    Key now = readKey(identity);
    if (valid && now == key) {
        layDown();
        outcome = Outcome::LaidDown;
        return;
    }
    // A drawing that has held for some frames is likely to hold on; then the imprint is worth taking.
    if (previousValid && now == previous) {
        ++sameFrames;
    } else {
        previous = std::move(now);
        previousValid = true;
        sameFrames = 1;
    }
    if (sameFrames >= stillFrames) {
        key = previous;
        imprint(drawing);
        outcome = Outcome::Imprinted;
        return;
    }
    drawing();
}

void PixelImprint::imprint(const std::function<void()>& drawing) {
    valid = false;
    const DrawableSize d = currentDrawable();
    if (d.width <= 0 || d.height <= 0) {
        drawing();
        return;
    }
    // The drawing reads state it also changes (the bound texture, the colour): each of its runs
    // here starts from the state the first one found.
    const Leftovers start = Leftovers::read();
    {
        PixelWriting pixels;
        const std::vector<uint8_t> background = readColours(d.width, d.height);

        // Drawn once over black and once over white: a pixel the drawing covers is the same in
        // both, one it leaves alone is not.
        GLfloat clearColour[4] = {};
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        drawing();
        const std::vector<uint8_t> overBlack = readColours(d.width, d.height);
        start.restore();
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        drawing();
        const std::vector<uint8_t> overWhite = readColours(d.width, d.height);
        glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
        leftovers = Leftovers::read();

        int left = d.width, right = -1, bottom = d.height, top = -1;
        auto covered = [&](size_t at) {
            return overBlack[at] == overWhite[at] && overBlack[at + 1] == overWhite[at + 1] &&
                   overBlack[at + 2] == overWhite[at + 2];
        };
        for (int row = 0; row < d.height; ++row)
            for (int col = 0; col < d.width; ++col)
                if (covered((static_cast<size_t>(row) * d.width + col) * 4)) {
                    left = std::min(left, col), right = std::max(right, col);
                    bottom = std::min(bottom, row), top = std::max(top, row);
                }
        x = y = width = height = 0;
        rgba.clear();
        if (right >= 0) {
            x = left, y = bottom, width = right - left + 1, height = top - bottom + 1;
            rgba.resize(static_cast<size_t>(width) * height * 4);
            for (int row = 0; row < height; ++row)
                for (int col = 0; col < width; ++col) {
                    const size_t from = (static_cast<size_t>(row + y) * d.width + (col + x)) * 4;
                    uint8_t* to = &rgba[(static_cast<size_t>(row) * width + col) * 4];
                    to[0] = overBlack[from], to[1] = overBlack[from + 1], to[2] = overBlack[from + 2];
                    to[3] = covered(from) ? 255 : 0;
                }
        }

        // The frame goes on from where it was: the background back, and the drawing on it as the
        // imprint has it.
        pixels.untextured();
        glWindowPos2i(0, 0);
        glDrawPixels(d.width, d.height, GL_RGBA, GL_UNSIGNED_BYTE, background.data());
    }
    valid = true;
    layDown();
}

void PixelImprint::layDown() const {
    if (width > 0) {
        PixelWriting pixels;
        GLint alphaFunc = GL_ALWAYS;
        GLfloat alphaRef = 0;
        glGetIntegerv(GL_ALPHA_TEST_FUNC, &alphaFunc);
        glGetFloatv(GL_ALPHA_TEST_REF, &alphaRef);
        pixels.untextured();
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
        glWindowPos2i(x, y);
        glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glAlphaFunc(static_cast<GLenum>(alphaFunc), alphaRef);
        glDisable(GL_ALPHA_TEST);
    }
    leftovers.restore();
}
