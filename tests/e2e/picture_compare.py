# picture_compare.py -- whether two pictures of one frame agree up to the rasteriser's rounding.
"""The project's bound for two drawings of the same state (tests/room/drawing_identity_gltest.cpp):
at most 3% of the pixels differ by more than 4 levels in a channel, and no 8 by 8 block's mean is
more than 8 levels off in any channel. Boxes of the window can be left out (masked): there both
pictures count as equal."""

LEVELS = 4
DIFFERING_SHARE = 0.03
BLOCK_LEVELS = 8
BLOCK = 8


class Comparison:
    def __init__(self, differing, compared, worst_block, where):
        self.differing, self.compared = differing, compared
        self.worst_block, self.where = worst_block, where

    @property
    def share(self):
        return self.differing / self.compared

    def within_bound(self):
        return self.share <= DIFFERING_SHARE and self.worst_block <= BLOCK_LEVELS

    def __str__(self):
        return (
            "%d of %d pixels (%.2f%%) differ by more than %d levels; the worst %dx%d block is %.1f levels off at %s"
            % (
                self.differing,
                self.compared,
                100 * self.share,
                LEVELS,
                BLOCK,
                BLOCK,
                self.worst_block,
                self.where,
            )
        )


def _inside(x, y, masks):
    return any(x0 <= x < x1 and y0 <= y < y1 for x0, y0, x1, y1 in masks)


def compare(expected, actual, masks=()):
    """Compares two Images (xdisplay.Image) of one size, leaving out the (x0, y0, x1, y1) boxes."""
    if (expected.width, expected.height) != (actual.width, actual.height):
        raise AssertionError(
            "the pictures differ in size: %dx%d and %dx%d"
            % (expected.width, expected.height, actual.width, actual.height)
        )
    width, height = expected.width, expected.height
    a, b = expected.data, actual.data
    masked_rows = [[(x0, x1) for x0, y0, x1, y1 in masks if y0 <= y < y1] for y in range(height)]
    # Signed differences, with masked pixels taken as equal.
    diff = [0] * (width * height * 3)
    differing = compared = 0
    for y in range(height):
        row = y * width * 3
        spans = masked_rows[y]
        for x in range(width):
            if spans and any(x0 <= x < x1 for x0, x1 in spans):
                continue
            compared += 1
            i = row + 3 * x
            d0, d1, d2 = b[i] - a[i], b[i + 1] - a[i + 1], b[i + 2] - a[i + 2]
            diff[i], diff[i + 1], diff[i + 2] = d0, d1, d2
            if d0 > LEVELS or d0 < -LEVELS or d1 > LEVELS or d1 < -LEVELS or d2 > LEVELS or d2 < -LEVELS:
                differing += 1
    worst, where = 0.0, None
    for by in range(0, height - BLOCK + 1, BLOCK):
        for bx in range(0, width - BLOCK + 1, BLOCK):
            sums = [0, 0, 0]
            for y in range(by, by + BLOCK):
                start = (y * width + bx) * 3
                for k in range(3):
                    sums[k] += sum(diff[start + k : start + 3 * BLOCK : 3])
            for total in sums:
                if abs(total) / (BLOCK * BLOCK) > worst:
                    worst, where = abs(total) / (BLOCK * BLOCK), (bx, by)
    return Comparison(differing, max(compared, 1), worst, where)


def same_outside(a, b, masks):
    """Whether two pictures are equal pixel for pixel outside the masked boxes (x0, y0, x1, y1)."""
    if (a.width, a.height) != (b.width, b.height):
        return False
    row = 3 * a.width
    for y in range(a.height):
        cuts = sorted((3 * x0, 3 * x1) for x0, y0, x1, y1 in masks if y0 <= y < y1)
        start = 0
        for begin, end in cuts + [(row, row)]:
            if a.data[y * row + start : y * row + begin] != b.data[y * row + start : y * row + begin]:
                return False
            start = max(start, end)
    return True


def settling(screenshot, previous, masks):
    """One try, for a wait, at the picture a change leaves: each call takes a picture with `screenshot` and
    returns it once it differs from `previous` outside the masks (any picture, where `previous` is None)
    and is the same as the picture before it, so that the program has drawn what was asked for, whole;
    None until then."""
    last = {}

    def attempt():
        image = screenshot()
        before, last["image"] = last.get("image"), image
        if previous is not None and same_outside(previous, image, masks):
            return None
        return image if before is not None and same_outside(before, image, masks) else None

    return attempt
