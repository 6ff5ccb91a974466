"""Preview pictures of a skin: its own pictures at the places SkinSetting.ini gives, with the
English labels at the places Language.ini gives, in a chosen state of the controls."""

import os
import subprocess
import tempfile

import layout as L
from canvas import FONT_REGULAR, Canvas, Quote
import language as lang

PAGE_SECTIONS = {"eq": "EQ", "3d": "3D", "effect": "Effect", "mic": "Mic", "virtual": "Virtual7ch1"}

# What each preview shows: the page and which pictures are in their Down state.
STATES = {
    "eq": {"down": {"EQEQENImage", "EQS1Image"}, "selected": {"LabelPageEQ", "LabelEQEnable",
                                                              "LabelEQS1"}},
    "3d": {"down": {"D33DENImage", "D3FBMImage", "EQEQENImage"},
           "selected": {"Label3DEnable", "Label3DFBM"}, "alpha": "Dep", "beta": "Inv"},
    "effect": {"down": {"EffectButtonTheaterImage"},
               "selected": {"LabelPageEffect", "LabelEffectTheater"}, "effect": "Theater"},
    "mic": {"down": {"MicBoostImage"}, "selected": {"LabelPageMic", "LabelMicBoost"},
            "meter": 0.62},
    "virtual": {"down": {"VirtualEnableImage", "VirtualClockwiseImage"},
                "selected": {"LabelPageVirtual7ch1", "Label7ch1Enable",
                             "LabelVirtualClockwise"}},
}
SKIN_LABEL_KEYS = {"LabelMenu1", "LabelMenu2", "LabelMenu3", "LabelActive", "LabelUnactive",
                   "LabelSetting", "LabelSX"}


def _Pick(skin, section, key, state):
    """The entry ApplySkin would show for one key, or None for the other half of a pair."""
    for suffix, base in (("ImageUp", "Image"), ("ImageDown", "Image"), ("UpImage", "Image"),
                         ("DownImage", "Image")):
        if key.endswith(suffix):
            control = key[: -len(suffix)] + base
            # The previews show the LED switched on.
            wantDown = control in state["down"] or control == "LedImage"
            isDown = "Down" in suffix
            return skin.places[(section, key)] if isDown == wantDown else None
    if section == "3D" and ("Indep" in key or "Dep" in key or "Inv" in key):
        kind = "alpha" if "Alpha" in key else "beta"
        mode = state.get(kind, "Indep")
        return skin.places[(section, key)] if key.endswith(f"{mode}Image") else None
    if section == "Effect" and key.startswith("EffectPic"):
        return skin.places[(section, key)] if key == f"EffectPic{state.get('effect', 'Non')}Image" \
            else None
    return skin.places.get((section, key))


def _Text(c, x, y, text, px, colour):
    # The previews use the program's label font when it is at hand, else a near one.
    font = lang.FONT_FILE if os.path.exists(lang.FONT_FILE) else FONT_REGULAR
    c.ops.append("push graphic-context")
    c.ops.append(f"font {Quote(font)}")
    c.ops.append(f"font-size {px}")
    c.ops.append(f"fill {colour}")
    c.ops.append("stroke none")
    c.ops.append("gravity NorthWest")
    c.ops.append(f"text {x},{y} {Quote(text)}")
    c.ops.append("pop graphic-context")


def Page(skin, labels, page, theme, out):
    state = STATES[page]
    folder = skin.folder
    c = Canvas(L.WINDOW_W, L.WINDOW_H, "none")
    layers = []
    nx, ny = L.NOTEBOOK[0], L.NOTEBOOK[1]
    for (section, key), _ in skin.places.items():
        if section not in ("Main", PAGE_SECTIONS[page]):
            continue
        entry = _Pick(skin, section, key, state)
        if not entry:
            continue
        file, left, top, width, height = entry
        if key == "MicProgressImage":
            width = int(L.MIC_METER_LENGTH * state.get("meter", 0))
            if width == 0:
                continue
        ox, oy = (0, 0) if section == "Main" else (nx, ny)
        path = os.path.join(folder, file)
        if width is not None:
            # A control narrower than its picture shows the picture's left part.
            layers += ["(", path, "-crop", f"{width}x{height}+0+0", "+repage", ")"]
        else:
            layers += [path]
        layers += ["-geometry", f"+{left + ox}+{top + oy}", "-composite"]
    # Pictures the program builds itself: the sync tick and the value labels.
    sx, sy, sw, sh = L.SYNC_BOX
    c.Polyline([(sx + 3, sy + 8), (sx + 7, sy + 12), (sx + 13, sy + 4)], theme["accent2"], 2)
    builtIn = []
    if page == "eq":
        for cx in L.EQ_BAND_X:
            builtIn.append((cx + nx, 266 + ny, "400"))
    if page == "3d":
        for name, (cx, value) in L.D3_SLIDERS.items():
            builtIn.append((cx + nx, 266 + ny, ("\u03b1 " if "Alpha" in name else "\u03b2 ")
                            + str(value)))
    for cx, cy, text in builtIn:
        w = lang.TextWidth(text, 8)
        _Text(c, int(cx - w / 2), int(cy - 7), text, lang.PixelSize(8), theme["muted"])
    # Labels.
    skinStyles = {}
    for name, entries in skin.sections:
        if name == "MainLable":
            for key, value in entries:
                fields = value.split(",")
                skinStyles[key] = (fields[1], fields[2])
    for label in labels:
        if not label.caption or label.parent not in ("main", page):
            continue
        if label.key == "LabelUnactive":
            continue
        selected = label.key in state["selected"]
        up = label.up or lang.INK
        down = label.down or lang.PRESSED_INK
        if label.key in skinStyles:
            up, down = (_Rgb(v) for v in skinStyles[label.key])
        colour = down if selected else up
        left, top, width, height = label.place
        ox, oy = (0, 0) if label.parent == "main" else (nx, ny)
        size = label.size or lang.GLOBAL_SIZE
        _Text(c, left + ox + 1, top + oy, label.caption, lang.PixelSize(size), colour)
    subprocess.run(["convert", "-size", f"{L.WINDOW_W}x{L.WINDOW_H}", "xc:none", *layers,
                    "-draw", "\n".join(c.ops), "-strip", "PNG32:" + out], check=True)


def _Rgb(value):
    v = int(value, 16)
    return f"#{v & 0xFF:02X}{(v >> 8) & 0xFF:02X}{(v >> 16) & 0xFF:02X}"


def Render(skin, labels, theme, docsDir):
    os.makedirs(docsDir, exist_ok=True)
    name = theme["name"].lower()
    pages = {}
    for page in ("eq", "3d", "effect", "mic", "virtual"):
        pages[page] = os.path.join(tempfile.gettempdir(), f"tonedeck-{name}-{page}.png")
        Page(skin, labels, page, theme, pages[page])
    main = os.path.join(docsDir, f"skin-{name}.png")
    subprocess.run(["convert", pages["eq"], "-strip", "PNG32:" + main], check=True)
    sheet = os.path.join(docsDir, f"skin-{name}-pages.png")
    subprocess.run(["montage", *(pages[p] for p in ("3d", "effect", "mic", "virtual")),
                    "-tile", "2x2", "-geometry", "400x250+6+6", "-background", "#8A8F96",
                    "-strip", "PNG32:" + sheet], check=True)
    if not os.environ.get("TONEDECK_KEEP_PAGES"):
        for path in pages.values():
            os.unlink(path)
