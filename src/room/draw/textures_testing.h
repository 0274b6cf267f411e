// textures_testing.h -- lets a test make the texture set's image-record allocation fail.
#pragma once

struct BitmapImage;

// The image records are allocated through here. nullptr restores the ordinary allocator; the
// records are released with delete.
using ImageRecordAllocator = BitmapImage* (*)();
void setImageRecordAllocator(ImageRecordAllocator allocate);
