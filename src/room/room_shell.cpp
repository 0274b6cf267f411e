// room_shell.cpp -- the textured-rectangle drawer, the coloured room box and its textured shell.
#include "room/room_shell.h"

void TexturedRect::draw(unsigned int, float, float, float, float) {}
void drawBoxFace(int, int, int, int) {}
void drawRoomBox() {}
void drawRoomShell() {}
