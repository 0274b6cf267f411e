// bitmap_testing.h -- what tests reach of the bitmap reader: its little-endian reads, and its pixel
// allocation, which a test can make fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// The pixel buffer is allocated through here. nullptr restores the ordinary allocator
// (std::malloc; buffers are released with std::free).
using PixelAllocator = void* (*)(std::size_t bytes);
void setPixelAllocator(PixelAllocator allocate);

// Little-endian reads, one byte at a time; bytes past the end of the file read as zero.
uint32_t readUint32LE(FILE* file);
uint16_t readUint16LE(FILE* file);
