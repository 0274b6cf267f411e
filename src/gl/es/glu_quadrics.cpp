// glu_quadrics.cpp -- GLU's quadric objects and the sphere, cylinder and disk drawn filled with smooth
// normals from outside, vertex for vertex as GLU draws them: the same strips and fans in the same order,
// with each sine, product and texture coordinate computed in the same precision, so that each vertex
// is the same float.
#include <GL/glu.h>

#include <cmath>

#include "gl/es/context.h"

// The quadric options the drawing sets; normals stay smooth and the orientation outside, GLU's defaults.
struct GLUquadric {
    GLenum drawStyle = GLU_FILL;
    bool textureCoords = false;
};

namespace {

constexpr int cacheSize = 240;  // GLU's limit on slices and stacks

// GLU keeps its angles in float and takes their sines in double.
double sine(float angle) {
    return std::sin(static_cast<double>(angle));
}

double cosine(float angle) {
    return std::cos(static_cast<double>(angle));
}

// Only filled quadrics are drawn; the drawing asks for no other style.
bool drawable(const GLUquadric* q) {
    if (q == nullptr) return false;
    if (q->drawStyle != GLU_FILL) {
        es::raise(GL_INVALID_ENUM);
        return false;
    }
    return true;
}

}  // namespace

GLUquadric* gluNewQuadric() {
    return new GLUquadric;
}

void gluDeleteQuadric(GLUquadric* quadric) {
    delete quadric;
}

void gluQuadricDrawStyle(GLUquadric* quadric, GLenum drawStyle) {
    if (quadric != nullptr) quadric->drawStyle = drawStyle;
}

void gluQuadricTexture(GLUquadric* quadric, GLboolean textureCoords) {
    if (quadric != nullptr) quadric->textureCoords = textureCoords != GL_FALSE;
}

void gluSphere(GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks) {
    if (!drawable(quadric)) return;
    if (slices >= cacheSize) slices = cacheSize - 1;
    if (stacks >= cacheSize) stacks = cacheSize - 1;
    if (slices < 2 || stacks < 1 || radius < 0) return;
    float sinSlice[cacheSize], cosSlice[cacheSize];  // around the axis
    float sinStack[cacheSize], cosStack[cacheSize];  // the normals' share from pole to pole
    float ringRadius[cacheSize], ringZ[cacheSize];   // the vertices' share
    for (int i = 0; i < slices; ++i) {
        const float angle = static_cast<float>(2 * M_PI * i / slices);
        sinSlice[i] = static_cast<float>(sine(angle));
        cosSlice[i] = static_cast<float>(cosine(angle));
    }
    for (int j = 0; j <= stacks; ++j) {
        const float angle = static_cast<float>(M_PI * j / stacks);
        sinStack[j] = static_cast<float>(sine(angle));
        cosStack[j] = static_cast<float>(cosine(angle));
        ringRadius[j] = static_cast<float>(radius * sine(angle));
        ringZ[j] = static_cast<float>(radius * cosine(angle));
    }
    // The poles come to a point.
    ringRadius[0] = 0;
    ringRadius[stacks] = 0;
    sinSlice[slices] = sinSlice[0];
    cosSlice[slices] = cosSlice[0];

    int start = 0, finish = stacks;
    if (!quadric->textureCoords) {
        // The caps as fans; with texture coordinates every apex corner needs its own, so strips instead.
        start = 1;
        finish = stacks - 1;
        // Each apex takes the normal of its pole, set before the fan begins.
        glNormal3f(sinSlice[0] * sinStack[0], cosSlice[0] * sinStack[0], cosStack[0]);
        glBegin(GL_TRIANGLE_FAN);
        glVertex3f(0, 0, static_cast<float>(radius));
        for (int i = slices; i >= 0; --i) {
            glNormal3f(sinSlice[i] * sinStack[1], cosSlice[i] * sinStack[1], cosStack[1]);
            glVertex3f(ringRadius[1] * sinSlice[i], ringRadius[1] * cosSlice[i], ringZ[1]);
        }
        glEnd();
        glNormal3f(sinSlice[0] * sinStack[stacks], cosSlice[0] * sinStack[stacks], cosStack[stacks]);
        glBegin(GL_TRIANGLE_FAN);
        glVertex3f(0, 0, static_cast<float>(-radius));
        for (int i = 0; i <= slices; ++i) {
            glNormal3f(sinSlice[i] * sinStack[stacks - 1], cosSlice[i] * sinStack[stacks - 1], cosStack[stacks - 1]);
            glVertex3f(ringRadius[stacks - 1] * sinSlice[i], ringRadius[stacks - 1] * cosSlice[i], ringZ[stacks - 1]);
        }
        glEnd();
    }
    for (int j = start; j < finish; ++j) {
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            glNormal3f(sinSlice[i] * sinStack[j + 1], cosSlice[i] * sinStack[j + 1], cosStack[j + 1]);
            if (quadric->textureCoords)
                glTexCoord2f(1 - static_cast<float>(i) / slices, 1 - static_cast<float>(j + 1) / stacks);
            glVertex3f(ringRadius[j + 1] * sinSlice[i], ringRadius[j + 1] * cosSlice[i], ringZ[j + 1]);
            glNormal3f(sinSlice[i] * sinStack[j], cosSlice[i] * sinStack[j], cosStack[j]);
            if (quadric->textureCoords)
                glTexCoord2f(1 - static_cast<float>(i) / slices, 1 - static_cast<float>(j) / stacks);
            glVertex3f(ringRadius[j] * sinSlice[i], ringRadius[j] * cosSlice[i], ringZ[j]);
        }
        glEnd();
    }
}

void gluCylinder(GLUquadric* quadric, GLdouble baseRadius, GLdouble topRadius, GLdouble height, GLint slices,
                 GLint stacks) {
    if (!drawable(quadric)) return;
    if (slices >= cacheSize) slices = cacheSize - 1;
    if (slices < 2 || stacks < 1 || baseRadius < 0 || topRadius < 0 || height < 0) return;
    const float deltaRadius = static_cast<float>(baseRadius - topRadius);
    const float length = static_cast<float>(std::sqrt(deltaRadius * deltaRadius + height * height));
    if (length == 0) return;
    const float zNormal = deltaRadius / length;
    const float xyNormalRatio = static_cast<float>(height / length);
    float sinSlice[cacheSize], cosSlice[cacheSize], sinNormal[cacheSize], cosNormal[cacheSize];
    for (int i = 0; i < slices; ++i) {
        const float angle = static_cast<float>(2 * M_PI * i / slices);
        sinNormal[i] = static_cast<float>(xyNormalRatio * sine(angle));
        cosNormal[i] = static_cast<float>(xyNormalRatio * cosine(angle));
        sinSlice[i] = static_cast<float>(sine(angle));
        cosSlice[i] = static_cast<float>(cosine(angle));
    }
    sinSlice[slices] = sinSlice[0], cosSlice[slices] = cosSlice[0];
    sinNormal[slices] = sinNormal[0], cosNormal[slices] = cosNormal[0];
    for (int j = 0; j < stacks; ++j) {
        const float zLow = static_cast<float>(j * height / stacks);
        const float zHigh = static_cast<float>((j + 1) * height / stacks);
        const float radiusLow = static_cast<float>(baseRadius - deltaRadius * (static_cast<float>(j) / stacks));
        const float radiusHigh = static_cast<float>(baseRadius - deltaRadius * (static_cast<float>(j + 1) / stacks));
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            glNormal3f(sinNormal[i], cosNormal[i], zNormal);
            if (quadric->textureCoords)
                glTexCoord2f(1 - static_cast<float>(i) / slices, static_cast<float>(j) / stacks);
            glVertex3f(radiusLow * sinSlice[i], radiusLow * cosSlice[i], zLow);
            if (quadric->textureCoords)
                glTexCoord2f(1 - static_cast<float>(i) / slices, static_cast<float>(j + 1) / stacks);
            glVertex3f(radiusHigh * sinSlice[i], radiusHigh * cosSlice[i], zHigh);
        }
        glEnd();
    }
}

void gluDisk(GLUquadric* quadric, GLdouble innerRadius, GLdouble outerRadius, GLint slices, GLint loops) {
    if (!drawable(quadric)) return;
    if (slices >= cacheSize) slices = cacheSize - 1;
    if (slices < 2 || loops < 1 || outerRadius <= 0 || innerRadius < 0 || innerRadius > outerRadius) return;
    const float deltaRadius = static_cast<float>(outerRadius - innerRadius);
    float sinSlice[cacheSize], cosSlice[cacheSize];
    for (int i = 0; i <= slices; ++i) {
        const float angle = static_cast<float>(0.0 + ((M_PI * 360.0) / 180.0) * i / slices);
        sinSlice[i] = static_cast<float>(sine(angle));
        cosSlice[i] = static_cast<float>(cosine(angle));
    }
    sinSlice[slices] = sinSlice[0], cosSlice[slices] = cosSlice[0];
    glNormal3f(0, 0, 1);
    auto texCoordAt = [](float texRadius, int i, const float* sines, const float* cosines) {
        glTexCoord2f(static_cast<float>(texRadius * sines[i] + 0.5), static_cast<float>(texRadius * cosines[i] + 0.5));
    };
    int finish = loops;
    if (innerRadius == 0) {
        // The inner ring as a fan about the centre.
        finish = loops - 1;
        glBegin(GL_TRIANGLE_FAN);
        if (quadric->textureCoords) glTexCoord2f(0.5f, 0.5f);
        glVertex3f(0, 0, 0);
        const float radiusLow = static_cast<float>(outerRadius - deltaRadius * (static_cast<float>(loops - 1) / loops));
        const float texLow = static_cast<float>(radiusLow / outerRadius / 2);
        for (int i = slices; i >= 0; --i) {
            if (quadric->textureCoords) texCoordAt(texLow, i, sinSlice, cosSlice);
            glVertex3f(radiusLow * sinSlice[i], radiusLow * cosSlice[i], 0);
        }
        glEnd();
    }
    for (int j = 0; j < finish; ++j) {
        const float radiusLow = static_cast<float>(outerRadius - deltaRadius * (static_cast<float>(j) / loops));
        const float radiusHigh = static_cast<float>(outerRadius - deltaRadius * (static_cast<float>(j + 1) / loops));
        const float texLow = static_cast<float>(radiusLow / outerRadius / 2);
        const float texHigh = static_cast<float>(radiusHigh / outerRadius / 2);
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            if (quadric->textureCoords) texCoordAt(texLow, i, sinSlice, cosSlice);
            glVertex3f(radiusLow * sinSlice[i], radiusLow * cosSlice[i], 0);
            if (quadric->textureCoords) texCoordAt(texHigh, i, sinSlice, cosSlice);
            glVertex3f(radiusHigh * sinSlice[i], radiusHigh * cosSlice[i], 0);
        }
        glEnd();
    }
}
