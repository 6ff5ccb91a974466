"""Writes data/Language/<folder>/Language.ini: captions, label colours and label places.

Labels are centred on their pictures by the width of their text in the label font, so each
language carries its own places. Widths come from art/text-widths.json; a text that is not
there yet is measured with ImageMagick in the font the program uses and added to it.
"""

import json
import math
import os
import re
import subprocess

import layout as L
from skin import Colour

FONT = "Tahoma"
FONT_FILE = "/usr/share/wine/fonts/tahoma.ttf"
GLOBAL_SIZE = 9
TAB_SIZE = 10
SMALL_SIZE = 8

INK = "#E6EBF1"       # light text on plates, chips and the dark bands
PRESSED_INK = "#15181D"
TAB_INK = "#9AA6B6"
TAB_SELECTED = "#F5B83D"
FOOT_INK = "#8D98A8"
DIALOG_INK = "#1A1A1A"

_cache = None
_cachePath = None


def PixelSize(points):
    return (points * 96 + 36) // 72  # the window system's MulDiv(points, 96, 72)


def LineHeight(points):
    return int(math.ceil(PixelSize(points) * 1.207))


def TextWidth(text, points):
    global _cache
    if _cache is None:
        _cache = json.load(open(_cachePath, encoding="utf-8")) if os.path.exists(_cachePath) \
            else {}
    key = f"{PixelSize(points)}|{text}"
    if key not in _cache:
        if not os.path.exists(FONT_FILE):
            raise SystemExit(f"render: no width for {text!r}; measuring needs {FONT_FILE} "
                             "(Debian package wine)")
        result = subprocess.run(["convert", "-font", FONT_FILE, "-pointsize",
                                 str(PixelSize(points)), "-debug", "annotate", "xc:",
                                 "-annotate", "0", text.replace("%", "%%"), "null:"],
                                capture_output=True, text=True, check=True)
        match = re.search(r"Metrics: text: .*?; width: ([\d.]+);", result.stderr)
        _cache[key] = float(match.group(1))
    return _cache[key]


def SaveCache():
    if _cache is not None:
        with open(_cachePath, "w", encoding="utf-8") as f:
            json.dump(dict(sorted(_cache.items())), f, ensure_ascii=False, indent=0)
            f.write("\n")


class Label:
    def __init__(self, key, caption, size=None, up=None, down=None, place=None, parent="main"):
        self.key, self.caption, self.size = key, caption, size
        self.up, self.down, self.place, self.parent = up, down, place, parent

    def Value(self):
        caption = self.caption
        if "," in caption or caption.startswith('"') or caption != caption.strip():
            caption = '"' + caption.replace('"', '""') + '"'
        fields = [caption,
                  Colour(self.up) if self.up else "",
                  Colour(self.down) if self.down else "",
                  "", str(self.size) if self.size else ""]
        if self.place:
            fields += [str(v) for v in self.place]
        while fields and fields[-1] == "":
            fields.pop()
        return ",".join(fields) if len(fields) > 1 else fields[0] if fields else ""


def _Box(text, points):
    return int(math.ceil(TextWidth(text, points))) + 2, LineHeight(points)


def Centred(text, points, cx, cy):
    w, h = _Box(text, points)
    return (int(round(cx - w / 2)), int(round(cy - h / 2)), w, h)


def LeftAt(text, points, left, cy):
    w, h = _Box(text, points)
    return (left, int(round(cy - h / 2)), w, h)


def RightAt(text, points, right, cy):
    w, h = _Box(text, points)
    return (right - w, int(round(cy - h / 2)), w, h)


def _Centre(box):
    return box[0] + box[2] / 2, box[1] + box[3] / 2


def Labels(texts):
    """The label entries of one language in the reading order of the program."""
    T = texts
    out = []

    def Add(key, **kw):
        out.append(Label(key, T[key], **kw))

    def OnBox(key, box, parent, points=GLOBAL_SIZE, **kw):
        cx, cy = _Centre(box)
        Add(key, place=Centred(T[key], points, cx, cy), parent=parent, **kw)

    # Main window
    for n, (mx, my) in enumerate(L.MENUS, start=1):
        OnBox(f"LabelMenu{n}", (mx, my, *L.MENU_SIZE), "main")
    tabY = L.TAB_TOP + LineHeight(TAB_SIZE) / 2
    left = L.TAB_FIRST_LEFT
    tabs = ["LabelPageEQ", "LabelPage3D", "LabelPageEffect", "LabelPageMic",
            "LabelPageVirtual7ch1"]
    tabPlaces = {}
    for key in tabs:
        if key == "LabelPage3D":
            continue
        caption = L.TAB_PADDING + T[key] + L.TAB_PADDING
        place = LeftAt(caption, TAB_SIZE, left, tabY)
        tabPlaces[key] = (caption, place)
        left = place[0] + place[2] + L.BEVEL_WIDTH + L.TAB_GAP
    for key in tabs:
        if key == "LabelPage3D":
            # The 3D page stays out of the tab chain; its tab is not offered.
            out.append(Label(key, "", size=TAB_SIZE, up=TAB_INK, down=TAB_SELECTED))
            continue
        caption, place = tabPlaces[key]
        out.append(Label(key, caption, size=TAB_SIZE, up=TAB_INK, down=TAB_SELECTED,
                         place=place))
    statusY = L.DEVICE_ICON[1] + L.DEVICE_ICON[3] / 2
    Add("LabelActive", place=LeftAt(T["LabelActive"], GLOBAL_SIZE, L.STATUS_LABEL_LEFT, statusY))
    Add("LabelUnactive",
        place=LeftAt(T["LabelUnactive"], GLOBAL_SIZE, L.STATUS_LABEL_LEFT, statusY))
    footY = L.SYNC_BOX[1] + L.SYNC_BOX[3] / 2
    Add("LabelSync", up=INK, down=INK,
        place=LeftAt(T["LabelSync"], GLOBAL_SIZE, L.SYNC_LABEL_LEFT, footY))
    Add("LabelSetting", place=RightAt(T["LabelSetting"], GLOBAL_SIZE, L.SETTING_RIGHT, tabY))
    widest = max((T[f"LabelEQS{n}"] for n in range(1, 5)), key=lambda s: TextWidth(s, 9))
    sx = LeftAt(widest, GLOBAL_SIZE, L.SX_LEFT, tabY)
    Add("LabelSX", place=sx)
    Add("LabelFeatures", size=SMALL_SIZE, up=FOOT_INK, down=FOOT_INK,
        place=LeftAt(T["LabelFeatures"], SMALL_SIZE, L.FEATURES_LEFT, 30))
    Add("LabelCompanyName", size=SMALL_SIZE, up=FOOT_INK, down=FOOT_INK,
        place=LeftAt(T["LabelCompanyName"], SMALL_SIZE, L.COMPANY_LEFT, footY))

    # Equalizer page
    OnBox("LabelEQEnable", L.EQ_ENABLE, "eq")
    OnBox("LableEQ3DEnable", L.EQ_3D_ENABLE, "eq")
    OnBox("LabelEQReset", L.EQ_RESET, "eq")
    for n, box in enumerate(L.EQ_PRESETS, start=1):
        OnBox(f"LabelEQS{n}", box, "eq")
    for band, cx in zip(L.EQ_BANDS, L.EQ_BAND_X):
        key = f"LabelEQ{band}"
        Add(key, size=SMALL_SIZE, place=Centred(T[key], SMALL_SIZE, cx, L.EQ_CHIP_CENTER_Y),
            parent="eq")

    # 3D page
    OnBox("Label3DEnable", L.D3_ENABLE, "3d")
    OnBox("Label3DFBM", L.D3_FBM, "3d")
    OnBox("Label3DReset", L.D3_RESET, "3d")
    for key, frame in (("Label3DLeftChannel", L.D3_FRAME_L), ("Label3DRightChannel", L.D3_FRAME_R),
                       ("Label3DConnection", L.D3_CONNECTION)):
        OnBox(key, (frame[0], frame[1], frame[2], L.D3_FRAME_HEADER), "3d")

    # Room effects
    for key, box in zip(["LabelEffectNothing", "LabelEffectTheater", "LabelEffectBathroom",
                         "LabelEffectLivingroom", "LabelEffectStoneGallery"], L.EFFECT_BUTTONS):
        OnBox(key, box, "effect")

    # Microphone
    OnBox("LabelMicBoost", L.MIC_BOOST, "mic")
    OnBox("LabelMicMute", L.MIC_MUTE, "mic")
    OnBox("LabelMicGain", L.MIC_GAIN_CHIP, "mic")
    cx, cy = _Centre(L.MIC_VALUE_BOX)
    Add("LabelMicValue", place=Centred("100", GLOBAL_SIZE, cx, cy), parent="mic")

    # Virtual 7.1
    OnBox("Label7ch1Enable", L.V_ENABLE, "virtual")
    OnBox("LabelVirtualClockwise", L.V_CLOCKWISE, "virtual")
    OnBox("LabelVirtualCounterclockwise", L.V_COUNTERCLOCKWISE, "virtual")
    OnBox("Label7ch1Reset", L.V_RESET, "virtual")

    # About window and the no-device warning
    Add("LabelAbout", up=DIALOG_INK, down=DIALOG_INK, parent="about")
    Add("LabelWarning", parent="none")
    return out


SECTION_OF = {"main": "Main", "eq": "EQ", "3d": "3D", "effect": "Effect", "mic": "Mic",
              "virtual": "Virtual7ch1", "about": "About", "none": "Main"}


def Write(path, texts):
    labels = Labels(texts)
    sections = {}
    for label in labels:
        sections.setdefault(SECTION_OF[label.parent], []).append((label.key, label.Value()))
    lines = ["; Tonedeck texts. Rendered by art/render.sh from art/texts.py; edit the sources "
             "there, not this file.",
             "; Label value: caption,up colour,down colour,font,size,left,top,width,height "
             "(colours 0x00BBGGRR).",
             "", "[GlobalFont]",
             f"ColorUp={Colour(INK)}", f"ColorDown={Colour(PRESSED_INK)}",
             f"Font={FONT}", f"FontSize={GLOBAL_SIZE}"]
    for name in ("Main", "EQ", "3D", "Effect", "Mic", "Virtual7ch1", "About"):
        lines += ["", f"[{name}]"] + [f"{k}={v}" for k, v in sections[name]]
    lines += ["", "[Setup]"]
    for key, caption in texts["Setup"].items():
        if "," in caption:
            raise SystemExit(f"render: installer text {key} must not hold a comma")
        if caption != caption.strip():
            caption = '"' + caption + '"'  # the profile reader drops one pair of quotes
        lines.append(f"{key}={caption}")
    for key, value in [(l.key, l.caption) for l in labels] + list(texts["Setup"].items()):
        if len(value) > 127:
            raise SystemExit(f"render: {key} is longer than 127 characters")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = ("\r\n".join(lines) + "\r\n").encode("utf-16-le")
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + data)
    return labels
