"""Window outline as Windows region data (RGNDATA): a 32-byte header and its rectangles."""

import math
import struct

RDH_RECTANGLES = 1


def RoundedRects(width, height, radius):
    """Y-sorted bands of one rectangle each, rows with the same inset merged."""
    def Inset(row):
        if row < radius:
            d = radius - (row + 0.5)
        elif row >= height - radius:
            d = (row + 0.5) - (height - radius)
        else:
            return 0
        return int(round(radius - math.sqrt(max(radius * radius - d * d, 0.0))))

    rects = []
    row = 0
    while row < height:
        inset = Inset(row)
        end = row + 1
        while end < height and Inset(end) == inset:
            end += 1
        rects.append((inset, row, width - inset, end))
        row = end
    return rects


def Pack(rects):
    left = min(r[0] for r in rects)
    top = min(r[1] for r in rects)
    right = max(r[2] for r in rects)
    bottom = max(r[3] for r in rects)
    header = struct.pack("<IIII4i", 32, RDH_RECTANGLES, len(rects), 16 * len(rects),
                         left, top, right, bottom)
    return header + b"".join(struct.pack("<4i", *r) for r in rects)


def Write(path, width, height, radius):
    with open(path, "wb") as f:
        f.write(Pack(RoundedRects(width, height, radius)))
