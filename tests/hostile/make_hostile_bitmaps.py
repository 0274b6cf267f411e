#!/usr/bin/env python3
"""make_hostile_bitmaps.py -- writes the hostile bitmaps the program must refuse, each with the
start of the console message it must print, so tests and the fuzzer's seed corpus share one set.

Usage: make_hostile_bitmaps.py DIR    (writes DIR/<name>.bmp and DIR/expected.txt)
"""
import os
import struct
import sys


def header(width, height, planes=1, bpp=24, offset=54, info=40, compression=0, file_size=None):
    pixels = max(0, width) * 3 * abs(height) if abs(width) < 4096 and abs(height) < 4096 else 0
    size = file_size if file_size is not None else 54 + pixels
    return (
        b"BM"
        + struct.pack("<IHHI", size & 0xFFFFFFFF, 0, 0, offset & 0xFFFFFFFF)
        + struct.pack("<IiiHHIIiiII", info, width, height, planes, bpp, compression, 0, 2835, 2835, 0, 0)
    )


def pixels(width, height):
    return bytes((x * 7 + y * 13) & 0xFF for y in range(height) for x in range(width * 3))


# name -> (bytes, start of the message the program prints before it exits with status 1)
CASES = {
    "empty": (b"", "Planes from texture/floor.bmp is not 1: 0"),
    "truncated_header": (header(4, 4)[:20], "Planes from texture/floor.bmp is not 1: 0"),
    "not_a_bitmap": (b"This is a text file, not a picture.\n" * 4, "Planes from texture/floor.bmp is not 1"),
    "planes_two": (header(4, 4, planes=2) + pixels(4, 4), "Planes from texture/floor.bmp is not 1: 2"),
    "palette_8bit": (header(4, 4, bpp=8) + bytes(1024) + bytes(16), "Bpp from texture/floor.bmp is not 24: 8"),
    "depth_32bit": (header(4, 4, bpp=32) + bytes(64), "Bpp from texture/floor.bmp is not 24: 32"),
    "zero_size": (header(0, 0), "Texture size from texture/floor.bmp is not usable"),
    "zero_height": (header(4, 0), "Texture size from texture/floor.bmp is not usable"),
    "huge_size": (header(100000, 100000) + pixels(4, 4), "Error reading image data from texture/floor.bmp."),
    # 65536 x 21846 x 3 bytes wraps a 32-bit count round to a few hundred kilobytes.
    "overflow_32bit": (header(65536, 21846) + pixels(64, 64), "Error reading image data from texture/floor.bmp."),
    "height_larger_than_data": (header(8, 64) + pixels(8, 8), "Error reading image data from texture/floor.bmp."),
    "negative_height_huge": (header(4, -0x7FFFFFFF) + pixels(4, 4), "Error reading image data from texture/floor.bmp."),
    "offset_past_end": (
        header(4, 4, offset=1 << 20) + pixels(4, 4),
        "Error reading image data from texture/floor.bmp.",
    ),
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "expected.txt"), "w") as expected:
        for name, (data, message) in CASES.items():
            with open(os.path.join(out, name + ".bmp"), "wb") as f:
                f.write(data)
            expected.write(f"{name}\t{message}\n")


if __name__ == "__main__":
    main()
