"""The program and tray icon: the product mark at the sizes Windows asks for."""

import os
import subprocess
import tempfile

from canvas import Canvas
from pictures import Mark

SIZES = [16, 20, 24, 32, 40, 48, 64, 256]


def Write(path, theme):
    work = tempfile.mkdtemp()
    try:
        master = os.path.join(work, "master.png")
        c = Canvas(256, 256)
        Mark(c, 0, 0, 256, theme, tile="#1E242E")
        c.Save(master)
        parts = []
        for size in SIZES:
            part = os.path.join(work, f"icon-{size}.png")
            subprocess.run(["convert", master, "-resize", f"{size}x{size}", "-strip",
                            "PNG32:" + part], check=True)
            parts.append(part)
        subprocess.run(["convert", *parts, path], check=True)
    finally:
        for name in os.listdir(work):
            os.unlink(os.path.join(work, name))
        os.rmdir(work)
