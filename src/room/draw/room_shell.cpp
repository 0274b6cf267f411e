// room_shell.cpp -- the textured-rectangle drawer, the coloured room box and its textured shell.
#include "room/draw/room_shell.h"

#include <GL/gl.h>

#include "core/scene_state.h"
#include "room/draw/textures.h"

const float roomCorners[9][3] = {
    {0, 0, 0},        {-2.5f, -2.5f, 5}, {-2.5f, 2.5f, 5}, {-2.5f, -2.5f, 0}, {-2.5f, 2.5f, 0},
    {2.5f, -2.5f, 5}, {2.5f, 2.5f, 5},   {2.5f, -2.5f, 0}, {2.5f, 2.5f, 0},
};

namespace {

struct BoxFace {
    int corners[4];
    float colour[3];
    float normal[3];
};

// Wound counter-clockwise as seen from inside, so with culling the box shows only from within.
// The box is drawn turned -90 degrees about x: its y runs along the room's depth.
const BoxFace boxFaces[6] = {
    {{2, 4, 8, 6}, {0.8f, 0.8f, 0.75f}, {0, -1, 0}},           // front wall
    {{1, 2, 6, 5}, {0.85f, 0.85f, 0.8f}, {0, 0, -1}},          // ceiling
    {{5, 6, 8, 7}, {0.75f, 0.75f, 0.7f}, {-1, 0, 0}},          // right wall
    {{4, 2, 1, 3}, {0.75f, 0.75f, 0.7f}, {1, 0, 0}},           // left wall
    {{7, 3, 1, 5}, {0.8f, 0.8f, 0.75f}, {0, 1, 0}},            // back wall
    {{8, 4, 3, 7}, {0.85f, 0.85f, 0.8f}, {0.2f, 0.2f, 0.8f}},  // floor; its normal leans on purpose
};

struct ShellRect {
    unsigned int* texture;
    float repeatS, repeatT, cellWidth, cellHeight;
};

struct ShellPiece {
    float translate[3];
    float angle;  // degrees, about the axis below
    float axis[3];
    ShellRect rects[2];
    int rectCount;
    bool texturingStaysOn;  // the back wall hands texturing straight on to the front wall
};

// In the shell frame, half a unit above room height; each wall carries its wallpaper, then a picture.
const ShellPiece shellPieces[6] = {
    {{0, -2, 0}, -90, {1, 0, 0}, {{&floorTexture, 15, 20, 1, 1}, {}}, 1, false},
    {{0, 5.5f, 0}, 90, {1, 0, 0}, {{&ceilingTexture, 15, 20, 1, 1}, {}}, 1, false},
    {{0, 1.75f, 10},
     180,
     {0, 1, 0},
     {{&wallPaper1Texture, 15, 7.5f, 1, 1}, {&picture4Texture, 1, 1, 2.48f, 1.92f}},
     2,
     true},
    {{0, 1.75f, -10},
     0,
     {0, 0, 0},
     {{&wallPaper1Texture, 15, 7.5f, 1, 1}, {&picture1Texture, 1, 1, 2.48f, 1.92f}},
     2,
     false},
    {{-7.5f, 1.75f, 0},
     90,
     {0, 1, 0},
     {{&wallPaperTexture, 20, 7.5f, 1, 1}, {&picture2Texture, 1, 1, 2.86f, 1.84f}},
     2,
     false},
    {{7.5f, 1.75f, 0},
     -90,
     {0, 1, 0},
     {{&wallPaperTexture, 20, 7.5f, 1, 1}, {&picture3Texture, 1, 1, 2.96f, 1.86f}},
     2,
     false},
};

}  // namespace

void TexturedRect::draw(unsigned int texture, float repeatS, float repeatT, float cellWidth, float cellHeight) {
    const float width = repeatS * cellWidth;
    const float height = repeatT * cellHeight;
    glPushMatrix();
    glTranslatef(-0.5f * width, -0.5f * height, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Left in force on purpose: after any textured rectangle, front faces fill even in wireframe.
    glPolygonMode(GL_FRONT, GL_FILL);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(repeatS, 0);
    glVertex2f(width, 0);
    glTexCoord2f(repeatS, repeatT);
    glVertex2f(width, height);
    glTexCoord2f(0, repeatT);
    glVertex2f(0, height);
    glEnd();
    glPopMatrix();
}

void drawBoxFace(int a, int b, int c, int d) {
    glPushMatrix();
    glEnable(GL_NORMALIZE);
    // This is where filled mode returns after a wireframe frame.
    if (scene.polygonFill != 1) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glScalef(3, 4, 1.5f);
    glBegin(GL_POLYGON);
    glVertex3fv(roomCorners[a]);
    glVertex3fv(roomCorners[b]);
    glVertex3fv(roomCorners[c]);
    glVertex3fv(roomCorners[d]);
    glEnd();
    glDisable(GL_NORMALIZE);
    glPopMatrix();
}

void drawRoomBox() {
    for (const BoxFace& face : boxFaces) {
        glColor3fv(face.colour);
        glNormal3fv(face.normal);
        drawBoxFace(face.corners[0], face.corners[1], face.corners[2], face.corners[3]);
    }
    // The shell that follows is tinted by this white.
    glColor3f(1, 1, 1);
}

void handOverAsTheRoomBox() {
    if (scene.polygonFill != 1) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glNormal3fv(boxFaces[5].normal);
    glColor3f(1, 1, 1);
}

void drawRoomShell() {
    for (const ShellPiece& piece : shellPieces) {
        glEnable(GL_TEXTURE_2D);
        glPushMatrix();
        glTranslatef(piece.translate[0], piece.translate[1], piece.translate[2]);
        if (piece.angle != 0) glRotatef(piece.angle, piece.axis[0], piece.axis[1], piece.axis[2]);
        for (int i = 0; i < piece.rectCount; ++i) {
            const ShellRect& r = piece.rects[i];
            sharedRect.draw(*r.texture, r.repeatS, r.repeatT, r.cellWidth, r.cellHeight);
        }
        glPopMatrix();
        if (!piece.texturingStaysOn) glDisable(GL_TEXTURE_2D);
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}
