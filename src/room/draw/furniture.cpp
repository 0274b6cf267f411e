// furniture.cpp -- the table that carries the aquarium, the glass tank and the water plant.
#include "room/draw/furniture.h"

#include <GL/freeglut.h>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "gl/client_arrays.h"
#include "gl/recorded_shape.h"
#include "gl/straightforward.h"
#include "room/draw/room_shell.h"
#include "room/draw/textures.h"
#include "room/plant_layout.h"

namespace {

// GLUT's unit cubes, recorded once: the table and the tank draw ten of them in every frame.
RecordedShape solidUnitCube;
RecordedShape wireUnitCube;

void drawUnitCube(bool wire) {
    if (wire)
        wireUnitCube.draw([] { glutWireCube(1.0); });
    else
        solidUnitCube.draw([] { glutSolidCube(1.0); });
}

}  // namespace

// ---- Table ----

Table::Table(int fillMode) : fillMode(fillMode), rect(new TexturedRect) {}

Table::~Table() {
    delete rect;
}

void Table::draw(unsigned char withTexture) {
    struct Spot {
        float x, y, z;
    };
    constexpr Spot legs[4] = {{0.55f, 0.4f, 0.3f}, {-0.55f, 0.4f, 0.3f}, {0.55f, 0.4f, -0.3f}, {-0.55f, 0.4f, -0.3f}};

    glPushMatrix();
    glTranslatef(0, 0, 0.5f);
    glPushMatrix();
    glTranslatef(0, 0.8f, 0);
    drawTop(withTexture);
    glPopMatrix();
    for (const Spot& leg : legs) {
        glPushMatrix();
        glTranslatef(leg.x, leg.y, leg.z);
        drawLeg();
        glPopMatrix();
    }
    glPopMatrix();
}

void Table::drawTop(unsigned char withTexture) {
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    if (withTexture != 0) {
        // Five wooden faces over the slab: top and the four edges; the underside stays bare. Each is
        // the unit rectangle moved, scaled, then turned about the axes listed, in that order.
        struct Turn {
            float degrees, x, y, z;
        };
        struct Face {
            float move[3], scale[3];
            int turns;
            Turn turn[2];
        };
        static constexpr Face faces[5] = {
            {{0, 0.025f, 0}, {1.5f, 1, 1}, 2, {{90, 0, 0, 1}, {90, 0, 1, 0}}},  // top
            {{0, 0, 0.5f}, {1.5f, 0.05f, 1}, 0, {}},                            // front edge
            {{0, 0, -0.5f}, {1.5f, 0.05f, 1}, 1, {{180, 1, 0, 0}}},             // back edge
            {{0.75f, 0, 0}, {1, 0.05f, 1}, 1, {{90, 0, 1, 0}}},                 // right edge
            {{-0.75f, 0, 0}, {1, 0.05f, 1}, 1, {{-90, 0, 1, 0}}},               // left edge
        };
        for (const Face& face : faces) {
            glPushMatrix();
            glTranslatef(face.move[0], face.move[1], face.move[2]);
            glScalef(face.scale[0], face.scale[1], face.scale[2]);
            for (int t = 0; t < face.turns; ++t)
                glRotatef(face.turn[t].degrees, face.turn[t].x, face.turn[t].y, face.turn[t].z);
            glEnable(GL_TEXTURE_2D);
            rect->draw(woodTexture, 1, 1, 1, 1);
            glDisable(GL_TEXTURE_2D);
            glPopMatrix();
        }
    }
    glScalef(1.5f, 0.05f, 1);
    drawUnitCube(fillMode == 1);
    glPopMatrix();
}

void Table::drawLeg() {
    // Bound but not enabled: the leg stays plain, and later drawing that only enables texturing
    // (the plant's neighbours, the meshes) shows this picture.
    glBindTexture(GL_TEXTURE_2D, picture4Texture);
    glPushMatrix();
    glRotatef(90, 0, 1, 0);
    glScalef(0.1f, 0.8f, 0.1f);
    drawUnitCube(fillMode == 1);
    glPopMatrix();
}

// ---- GlassTank ----

GlassTank::GlassTank(float width, float height, float depth) : width(width), depth(depth), height(height) {}

void GlassTank::drawPanel() {
    // The glass material is not restored: its specular shine stays on everything drawn after it.
    static const float glass[4] = {0.8f, 0.8f, 0.8f, 0.8f};
    glPushMatrix();
    glScalef(1, 1, 0.1f);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, glass);
    glMaterialfv(GL_FRONT, GL_SPECULAR, glass);
    glMaterialf(GL_FRONT, GL_SHININESS, 100.0f);
    drawUnitCube(true);
    glPopMatrix();
}

void GlassTank::draw() {
    // Each panel is 0.1 thick, set in by half of that so its outer face lies on the boundary.
    glPushMatrix();
    glTranslatef(0, 0, depth / 2 - 0.05f);
    glScalef(width, height, 1);
    drawPanel();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0, 0, -depth / 2 + 0.05f);
    glRotatef(180, 0, 1, 0);
    glScalef(width, height, 1);
    drawPanel();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-width / 2 + 0.05f, 0, 0);
    glRotatef(-90, 0, 1, 0);
    glScalef(depth, height, 1);
    drawPanel();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(width / 2 - 0.05f, 0, 0);
    glRotatef(90, 0, 1, 0);
    glScalef(depth, height, 1);
    drawPanel();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0, -height / 2 + 0.05f, 0);
    glRotatef(90, 1, 0, 0);
    glScalef(width, depth, 1);
    drawPanel();
    glPopMatrix();
}

// ---- WaterPlant ----

WaterPlant::WaterPlant(int levels, float scaleZ, float scaleY, float scaleX)
    : levels(levels), scaleZ(scaleZ), scaleY(scaleY), scaleX(scaleX) {}

namespace {

// The blades never move, so their corners are worked out once per shape of plant and sent in one
// draw, each corner carrying its blade's colour and its normal.
struct LaidOutPlant {
    int levels;
    float scaleZ, scaleY, scaleX;
    PlantLayout layout;
    float normalFor[3];  // the current normal the corner normals were worked out for
    std::vector<float> normals;
};

LaidOutPlant& laidOutPlant(int levels, float scaleZ, float scaleY, float scaleX) {
    static std::vector<LaidOutPlant> plants;
    for (LaidOutPlant& p : plants)
        if (p.levels == levels && p.scaleZ == scaleZ && p.scaleY == scaleY && p.scaleX == scaleX) return p;
    plants.push_back({levels, scaleZ, scaleY, scaleX, layOutPlant(levels, scaleZ, scaleY, scaleX), {}, {}});
    LaidOutPlant& p = plants.back();
    p.normalFor[0] = std::nanf("");  // no normals yet
    return p;
}

// One draw of the whole plant. Its blades set no normal of their own, so each is lit by the normal
// current before the plant, carried through that blade's placement; the corners get it ready-made.
void drawLaidOut(LaidOutPlant& plant) {
    const PlantLayout& layout = plant.layout;
    if (!layout.anyBlade) return;
    float normal[4] = {0, 0, 1, 0};
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    if (std::memcmp(normal, plant.normalFor, sizeof plant.normalFor) != 0) {
        layout.normalsFor(normal, plant.normals);
        std::memcpy(plant.normalFor, normal, sizeof plant.normalFor);
    }
    {
        ClientArrays arrays{GL_VERTEX_ARRAY, GL_COLOR_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY};
        glVertexPointer(3, GL_FLOAT, 0, layout.positions.data());
        glColorPointer(3, GL_FLOAT, 0, layout.colours.data());
        glNormalPointer(GL_FLOAT, 0, plant.normals.data());
        glTexCoordPointer(2, GL_FLOAT, 0, layout.texCoords.data());
        glDrawArrays(GL_QUADS, 0, layout.bladeCount() * 4);
    }
    // What the blade by blade drawing leaves current: its last colour, the last corner's texture
    // coordinates and the normal it never changed.
    glColor3fv(layout.lastColour);
    glTexCoord2f(0, 1);
    glNormal3fv(normal);
}

}  // namespace

void WaterPlant::draw(unsigned int texture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (!straightforwardDrawing() && renderingPixels()) {
        drawLaidOut(laidOutPlant(levels, scaleZ, scaleY, scaleX));
    } else {
        glPushMatrix();
        glTranslatef(0, -0.1f, 0);
        glScalef(scaleX, scaleY, scaleZ);
        drawBranches(levels);
        glPopMatrix();
    }
    glDisable(GL_TEXTURE_2D);
}

namespace {

// One blade, one quad.
void drawBlade() {
    glBegin(GL_QUADS);
    for (int c = 0; c < 4; ++c) {
        glTexCoord2f(plantBladeTexCoords[c][0], plantBladeTexCoords[c][1]);
        glVertex3f(plantBladeCorners[c][0], plantBladeCorners[c][1], 0);
    }
    glEnd();
}

}  // namespace

void WaterPlant::drawBranches(int level) {
    // A plant needs at least one level; the colour divides by the level count.
    if (levels < 1 || level < 1) return;
    const int k = level - 1;
    const std::array<float, 3> colour = plantLevelColour(k, levels);
    const std::array<PlantBranch, 3> branches = plantBranches(k);

    glPushMatrix();
    glColor3f(colour[0], colour[1], colour[2]);
    glScalef(0.7f, 0.7f, 0.7f);
    for (int i = 0; i < 3; ++i) {
        if (i > 0) glColor3f(colour[0], colour[1], colour[2]);
        const PlantBranch& b = branches[i];
        glPushMatrix();
        glRotatef(b.aboutX, 1, 0, 0);
        glRotatef(b.aboutY, 0, 1, 0);
        glRotatef(b.aboutZ, 0, 0, 1);
        glTranslatef(0, 0.6f, 0);
        drawBlade();
        if (b.recurse) drawBranches(k);
        glPopMatrix();
    }
    glPopMatrix();
}
