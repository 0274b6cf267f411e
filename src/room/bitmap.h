// bitmap.h -- reads 24-bit uncompressed bitmaps into RGB pixels, bottom row first. No GL here.
#pragma once

#include <cstdint>

struct BitmapImage {
    uint32_t sizeX = 0;
    uint32_t sizeY = 0;
    unsigned char* data = nullptr;  // sizeX * sizeY * 3 bytes, R G B, owned by the record
};

// Fills image and returns 1, or prints the reason to the console and returns 0.
// The rows come out packed and bottom row first whatever the file's padding and row order;
// the pixels are taken from the data offset the file header names. A size the file cannot
// hold is refused before anything is allocated. On failure image->data stays null.
int loadBitmap(const char* fileName, BitmapImage* image);

// Frees the pixel buffer loadBitmap allocated and empties the record.
void freeBitmapPixels(BitmapImage* image);
