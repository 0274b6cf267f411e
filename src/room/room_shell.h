// room_shell.h -- the textured-rectangle drawer, the coloured room box and its textured shell.
#pragma once

class TexturedRect {
public:
    TexturedRect() = default;
    virtual ~TexturedRect() = default;
    void draw(unsigned int texture, float repeatS, float repeatT, float cellWidth, float cellHeight);
};

void drawBoxFace(int a, int b, int c, int d);
void drawRoomBox();
void drawRoomShell();
