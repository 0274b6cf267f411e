// textures.h -- the twelve texture names, created once at start-up.
#pragma once

extern unsigned int floorTexture;
extern unsigned int woodTexture;
extern unsigned int picture4Texture;
extern unsigned int picture1Texture;
extern unsigned int picture2Texture;
extern unsigned int picture3Texture;
extern unsigned int waterTexture;
extern unsigned int sandTexture;
extern unsigned int ceilingTexture;
extern unsigned int wallPaperTexture;
extern unsigned int wallPaper1Texture;
extern unsigned int marbleTexture;

// Loads all twelve bitmaps and uploads them; false, after the reader's message on the console and
// before anything reaches GL, when one of them cannot be used (start-up then ends there).
bool loadTextures();
