// room_shell.h -- the textured-rectangle drawer, the coloured room box and its textured shell.
#pragma once

class TexturedRect {
public:
    TexturedRect() = default;
    virtual ~TexturedRect() = default;
    void draw(unsigned int texture, float repeatS, float repeatT, float cellWidth, float cellHeight);
};

// The rectangle drawer the room shell and the scene share, built before main with the other
// process-wide objects (app/draw/globals.cpp).
extern TexturedRect sharedRect;

// Corners 1 to 8 of a 5 by 5 by 5 box; row 0 is unused padding so the faces read 1-based.
extern const float roomCorners[9][3];

void drawBoxFace(int a, int b, int c, int d);
void drawRoomBox();
// Leaves the state the box leaves (filled mode, the floor's normal, white) without painting it: for
// frames in which the shell covers every face of the box.
void handOverAsTheRoomBox();
void drawRoomShell();
