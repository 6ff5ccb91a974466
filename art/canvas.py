"""A tiny vector canvas that renders through ImageMagick's drawing language (MVG)."""

import os
import subprocess

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
FONT_REGULAR = os.path.join(FONT_DIR, "DejaVuSans.ttf")
FONT_CONDENSED_BOLD = os.path.join(FONT_DIR, "DejaVuSansCondensed-Bold.ttf")


def RequireFonts():
    for path in (FONT_BOLD, FONT_REGULAR, FONT_CONDENSED_BOLD):
        if not os.path.exists(path):
            raise SystemExit(f"render: font {path} is missing (Debian package fonts-dejavu-core)")


def Quote(text):
    return "'" + text.replace("\\", "\\\\").replace("'", "\\'") + "'"


class Canvas:
    def __init__(self, width, height, background="none"):
        self.width = width
        self.height = height
        self.background = background
        self.ops = []

    # Shapes --------------------------------------------------------------------------------
    def _Style(self, fill, stroke, strokeWidth):
        self.ops.append(f"fill {fill}")
        self.ops.append(f"stroke {stroke or 'none'}")
        self.ops.append(f"stroke-width {strokeWidth}")

    def Rect(self, x, y, w, h, fill, stroke=None, strokeWidth=1):
        self._Style(fill, stroke, strokeWidth)
        self.ops.append(f"rectangle {x},{y} {x + w - 1},{y + h - 1}")

    def RoundRect(self, x, y, w, h, r, fill, stroke=None, strokeWidth=1):
        self._Style(fill, stroke, strokeWidth)
        if stroke:
            # Keep the stroke inside the box so neighbouring pictures line up.
            half = strokeWidth / 2
            self.ops.append(f"roundrectangle {x + half},{y + half} {x + w - 1 - half},"
                            f"{y + h - 1 - half} {r},{r}")
        else:
            self.ops.append(f"roundrectangle {x},{y} {x + w - 1},{y + h - 1} {r},{r}")

    def Circle(self, cx, cy, r, fill, stroke=None, strokeWidth=1):
        self._Style(fill, stroke, strokeWidth)
        self.ops.append(f"circle {cx},{cy} {cx + r},{cy}")

    def Ellipse(self, cx, cy, rx, ry, fill, stroke=None, strokeWidth=1, start=0, end=360):
        self._Style(fill, stroke, strokeWidth)
        self.ops.append(f"ellipse {cx},{cy} {rx},{ry} {start},{end}")

    def Line(self, x0, y0, x1, y1, stroke, strokeWidth=1, dash=None):
        self._Style("none", stroke, strokeWidth)
        if dash:
            self.ops.append("stroke-dasharray " + " ".join(str(d) for d in dash))
        self.ops.append(f"line {x0},{y0} {x1},{y1}")
        if dash:
            self.ops.append("stroke-dasharray none")

    def Polygon(self, points, fill, stroke=None, strokeWidth=1):
        self._Style(fill, stroke, strokeWidth)
        self.ops.append("polygon " + " ".join(f"{x},{y}" for x, y in points))

    def Polyline(self, points, stroke, strokeWidth=1):
        self._Style("none", stroke, strokeWidth)
        self.ops.append("stroke-linecap round")
        self.ops.append("stroke-linejoin round")
        self.ops.append("polyline " + " ".join(f"{x},{y}" for x, y in points))

    def Path(self, d, fill, stroke=None, strokeWidth=1):
        self._Style(fill, stroke, strokeWidth)
        self.ops.append("stroke-linecap round")
        self.ops.append("stroke-linejoin round")
        self.ops.append(f"path {Quote(d)}")

    def Text(self, cx, cy, text, size, fill, font=FONT_BOLD):
        """Draws text centred on (cx, cy)."""
        self.ops.append("push graphic-context")
        self.ops.append(f"font {Quote(font)}")
        self.ops.append(f"font-size {size}")
        self.ops.append(f"fill {fill}")
        self.ops.append("stroke none")
        self.ops.append("gravity center")
        dx = cx - self.width / 2
        dy = cy - self.height / 2
        self.ops.append(f"text {dx:.1f},{dy:.1f} {Quote(text)}")
        self.ops.append("pop graphic-context")

    def Image(self, x, y, path, w=None, h=None):
        w = w or 0
        h = h or 0
        self.ops.append(f"image over {x},{y} {w},{h} {Quote(path)}")

    # Output --------------------------------------------------------------------------------
    def Save(self, path, kind="png32", colors=None):
        """kind: png32 (alpha), png8 (opaque, palette), bmp (24-bit, opaque)."""
        args = ["convert", "-size", f"{self.width}x{self.height}", f"xc:{self.background}"]
        if self.ops:
            args += ["-draw", "\n".join(self.ops)]
        args += ["-strip", "-define", "png:exclude-chunks=date,time"]
        if kind == "png8":
            args += ["-alpha", "off", "-dither", "None", "-colors", str(colors or 128),
                     "PNG8:" + path]
        elif kind == "bmp":
            args += ["-alpha", "off", "-type", "TrueColor", "BMP3:" + path]
        else:
            args += ["PNG32:" + path]
        subprocess.run(args, check=True)
