# test_failures.py -- texture files that cannot be used end the program with their message and status 1.
import os
import struct
import unittest

from glintmere_app import HINT, E2ETestCase, make_workdir


def eight_bit_bitmap(width=4, height=4):
    """A valid palette bitmap: 8 bits per pixel, 256 grey palette entries, rows padded to 4 bytes."""
    palette = b"".join(bytes((i, i, i, 0)) for i in range(256))
    row = bytes(range(width)) + b"\0" * (-width % 4)
    pixels = row * height
    offset = 14 + 40 + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    return header + info + palette + pixels


class TextureFailureTest(E2ETestCase):
    def run_with_spoiled_textures(self, spoil):
        workdir = make_workdir(copy_textures=True)
        spoil(os.path.join(workdir, "texture"))
        run = self.start(workdir=workdir, wait=False)
        status = run.wait_exit()
        return status, run.out.all()

    def test_missing_texture_file(self):
        status, out = self.run_with_spoiled_textures(lambda folder: os.remove(os.path.join(folder, "wood.bmp")))
        # floor.bmp loads first; wood.bmp is the first failure and nothing after it is reported.
        self.assertEqual(out, ["File Not Found : texture/wood.bmp"])
        self.assertEqual(status, 1)

    def test_bitmap_of_the_wrong_depth(self):
        def spoil(folder):
            with open(os.path.join(folder, "picture2.bmp"), "wb") as handle:
                handle.write(eight_bit_bitmap())

        status, out = self.run_with_spoiled_textures(spoil)
        self.assertEqual(out, ["Bpp from texture/picture2.bmp is not 24: 8"])
        self.assertEqual(status, 1)
        self.assertNotIn(HINT, out)


if __name__ == "__main__":
    unittest.main()
