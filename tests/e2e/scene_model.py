# scene_model.py -- where things of the room land in the window, and what colour they should have there.
"""A small model of the picture, for checking screenshots against the scene's geometry.

The walk-through camera (eye, heading, vertical field of view, 1200 by 600 window) projects room
points to window pixels; the front wall's wallpaper colour at a pixel is sampled from the generated
texture file the way GL samples it (bilinear, repeating, one copy per room unit); the worm slots of
the aquarium are mapped from their lattice to room coordinates through the furniture, aquarium and
worm frames.
"""

import math
import os

from PIL import Image as PilImage

WINDOW_WIDTH, WINDOW_HEIGHT = 1200, 600

# Face colours of the room box, seen with lighting and textures off.
FRONT_WALL_COLOUR = (0.8, 0.8, 0.75)


class Camera:
    """The walk-through look-at camera with its perspective, as the program sets it up."""

    def __init__(self, eye=(0.0, 0.63, 9.0), heading=0.0, fov=60.0, width=WINDOW_WIDTH, height=WINDOW_HEIGHT):
        self.eye = eye
        r = heading * 3.14 / 180
        self.look = (math.sin(r), 0.0, -math.cos(r))
        self.fov, self.width, self.height = fov, width, height

    def project(self, point):
        """Window pixel (x right, y down, fractional) of a room point in front of the eye."""
        dx, dy, dz = (point[i] - self.eye[i] for i in range(3))
        fx, fz = self.look[0], self.look[2]
        # Right vector (-fz, 0, fx), up (0, 1, 0), forward (fx, 0, fz).
        right = -fz * dx + fx * dz
        forward = fx * dx + fz * dz
        if forward <= 0:
            raise ValueError("point behind the eye")
        f = 1 / math.tan(math.radians(self.fov) / 2)
        aspect = self.width / self.height
        ndc_x = f / aspect * right / forward
        ndc_y = f * dy / forward
        return (ndc_x + 1) / 2 * self.width, (1 - ndc_y) / 2 * self.height

    def unproject_to_z(self, px, py, z):
        """The room point on the plane of constant z seen at window pixel (px, py), heading 0 only."""
        f = 1 / math.tan(math.radians(self.fov) / 2)
        aspect = self.width / self.height
        ndc_x = 2 * px / self.width - 1
        ndc_y = 1 - 2 * py / self.height
        depth = self.eye[2] - z
        return self.eye[0] + ndc_x * aspect / f * depth, self.eye[1] + ndc_y / f * depth, z


class Bitmap:
    """A 24-bit bitmap file as GL sees it: rows bottom up, RGB."""

    def __init__(self, path):
        with PilImage.open(path) as picture:
            if picture.format != "BMP" or picture.mode != "RGB":
                raise ValueError("%s is not a 24-bit bitmap" % path)
            self.width, self.height = picture.size
            self._rgb = picture.transpose(PilImage.Transpose.FLIP_TOP_BOTTOM).tobytes()

    def texel(self, i, j):
        i %= self.width
        j %= self.height
        k = (j * self.width + i) * 3
        return self._rgb[k], self._rgb[k + 1], self._rgb[k + 2]

    def sample(self, s, t):
        """GL_LINEAR with GL_REPEAT at texture coordinates (s, t)."""
        u, v = s * self.width - 0.5, t * self.height - 0.5
        i0, j0 = math.floor(u), math.floor(v)
        a, b = u - i0, v - j0
        colour = [0.0, 0.0, 0.0]
        for di, dj, weight in ((0, 0, (1 - a) * (1 - b)), (1, 0, a * (1 - b)), (0, 1, (1 - a) * b), (1, 1, a * b)):
            texel = self.texel(i0 + di, j0 + dj)
            for k in range(3):
                colour[k] += weight * texel[k]
        return tuple(round(c) for c in colour)


def front_wallpaper_colour(wallpaper, camera, px, py):
    """The front wall's wallpaper at window pixel (px, py): 15 by 7.5 tiles from x -7.5 and y -2.5."""
    x, y, _ = camera.unproject_to_z(px + 0.5, py + 0.5, -10.0)
    return wallpaper.sample(x + 7.5, y + 2.5)


def wallpaper_mismatch(image, wallpaper, camera, box, step=3, tolerance=6):
    """Share of the sampled pixels of a window box that differ from the predicted front wallpaper."""
    x0, y0, x1, y1 = box
    samples = [(px, py) for py in range(y0, y1, step) for px in range(x0, x1, step)]
    wrong = 0
    for px, py in samples:
        expected = front_wallpaper_colour(wallpaper, camera, px, py)
        if any(abs(a - b) > tolerance for a, b in zip(image.pixel(px, py), expected)):
            wrong += 1
    return wrong / len(samples)


def texture_path(build_dir, name):
    return os.path.join(build_dir, "texture", name + ".bmp")


def worm_slot_position(slot):
    """Room coordinates of a worm slot: lattice point, then the worm frame (origin (0, -0.55, 0.2),
    0.15 of the furniture frame, which is scaled 2.5, 1.5, 2)."""
    lattice = (1.5 - slot // 16, 1.5 - slot % 4, 1.5 - (slot // 4) % 4)
    return 0.375 * lattice[0], -0.55 + 0.225 * lattice[1], 0.2 + 0.3 * lattice[2]


def worm_column(slot):
    """Slots that differ only in depth line up one behind the other seen from the front."""
    return slot // 16, slot % 4


def worm_column_box(camera, column):
    """Window box (x0, y0, x1, y1) that holds the eyes of any worm of a column, hop included.

    A worm hops up to 0.1 lattice units along +x, +y, +z (up to 15 pixels right and 9 up at a
    10 degree field of view); its eyes are 10-pixel points."""
    points = [camera.project(worm_slot_position(column[0] * 16 + depth * 4 + column[1])) for depth in range(4)]
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return int(min(xs)) - 8, int(min(ys)) - 18, int(max(xs)) + 24, int(max(ys)) + 8


def tank_inside_box(camera, top=3.0):
    """Window box (x0, y0, x1, y1) holding the tank's inside, where the fish, worms and water move.

    The tank is a cube of 6 units scaled by 0.15 about (-0.01, 1.5, -0.04) of the aquarium frame
    (origin (0, -2.8, 0.2) of the room, scaled 2.5, 1.5, 2); its panels are 0.1 thick and it has no
    lid, so its inside runs from 2.9 to -2.9 across and in depth and from -2.9 up to its top at 3.
    The box is the smallest one of whole pixels around the projected corners of that inside, or of
    the space above it up to `top` (a grown fish rises to 5 before it leaves)."""
    inside = [(-2.9, 2.9), (-2.9, top), (-2.9, 2.9)]
    centre, frame_scale, frame_origin = (-0.01, 1.5, -0.04), (2.5, 1.5, 2.0), (0.0, -2.8, 0.2)
    spans = [[frame_origin[k] + frame_scale[k] * (centre[k] + 0.15 * v) for v in inside[k]] for k in range(3)]
    points = [camera.project((x, y, z)) for x in spans[0] for y in spans[1] for z in spans[2]]
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return math.floor(min(xs)), math.floor(min(ys)), math.ceil(max(xs)), math.ceil(max(ys))
