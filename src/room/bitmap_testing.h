// bitmap_testing.h -- lets a test make the bitmap reader's pixel allocation fail.
#pragma once

#include <cstddef>

// The pixel buffer is allocated through here. nullptr restores the ordinary allocator
// (std::malloc; buffers are released with std::free).
using PixelAllocator = void* (*)(std::size_t bytes);
void setPixelAllocator(PixelAllocator allocate);
