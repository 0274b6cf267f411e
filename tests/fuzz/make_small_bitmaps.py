#!/usr/bin/env python3
"""make_small_bitmaps.py -- a few small well-formed bitmaps for the fuzzer to start from: packed,
padded, top-down, with a larger info header and with a data offset past the headers.
Usage: make_small_bitmaps.py DIR"""
import os
import struct
import sys


def bitmap(width, height, info=40, gap=0, top_down=False):
    stride = (width * 3 + 3) & ~3
    rows = b"".join(
        bytes((x + y * 5) & 0xFF for x in range(width * 3)) + bytes(stride - width * 3) for y in range(height)
    )
    offset = 14 + info + gap
    head = b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset)
    info_header = struct.pack(
        "<IiiHHIIiiII", info, width, -height if top_down else height, 1, 24, 0, len(rows), 2835, 2835, 0, 0
    )
    return head + info_header + bytes(info - 40) + bytes(gap) + rows


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {
        "two_by_one": bitmap(2, 1),
        "four_square": bitmap(4, 4),
        "three_padded": bitmap(3, 3),
        "top_down": bitmap(4, 2, top_down=True),
        "v5_header": bitmap(5, 2, info=124),
        "gap_before_pixels": bitmap(2, 2, gap=10),
    }
    for name, data in files.items():
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
