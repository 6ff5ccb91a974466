"""Painters for the pictures of one skin. Each returns nothing and writes one file."""

import math

import layout as L
from canvas import Canvas, FONT_BOLD, FONT_CONDENSED_BOLD, FONT_REGULAR


# Shared pieces ----------------------------------------------------------------------------------
def _Card(c, x0, x1, t, top=L.CARD_TOP, height=L.CARD_H):
    if t["name"] == "Porcelain":
        c.RoundRect(x0 + 1, top + 3, x1 - x0, height, 12, "#DCE2EA")
        c.RoundRect(x0, top, x1 - x0, height, 12, t["card"], t["card_edge"])
    else:
        c.RoundRect(x0, top, x1 - x0, height, 10, t["card"], t["card_edge"])


def _Chip(c, cx, cy, w, h, t):
    c.RoundRect(cx - w // 2, cy - h // 2, w, h, h // 2, t["chip"], t["chip_edge"])


def _Plate(c, w, h, r, fill, edge, shine):
    c.RoundRect(0, 0, w, h, r, fill, edge)
    if shine:
        c.Line(r, 1.5, w - r - 1, 1.5, shine, 1)


def PageCanvas(t):
    return Canvas(L.PAGE_W, L.PAGE_H, t["base"])


def Mark(c, x, y, size, t, tile=None):
    """The product mark: a rounded tile with three equalizer bars."""
    s = size / 256
    c.RoundRect(x + 8 * s, y + 8 * s, 240 * s, 240 * s, 48 * s, tile or t["logo_mark"])
    c.RoundRect(x + 52 * s, y + 120 * s, 40 * s, 88 * s, 6 * s, "#3FC1C9")
    c.RoundRect(x + 108 * s, y + 56 * s, 40 * s, 152 * s, 6 * s, "#F5A623")
    c.RoundRect(x + 164 * s, y + 96 * s, 40 * s, 112 * s, 6 * s, "#3FC1C9")


# Main window ----------------------------------------------------------------------------------
def MainBackground(path, t):
    w, h, r = L.WINDOW_W, L.WINDOW_H, L.CORNER_RADIUS
    c = Canvas(w, h, t["edge"])
    c.RoundRect(0, 0, w, h, r, t["base"], t["edge"])
    # Header with the tab strip below it.
    c.RoundRect(1, 1, w - 2, L.TABS_BOTTOM, r - 1, t["header"])
    c.Rect(1, L.HEADER_H, w - 2, L.TABS_BOTTOM - L.HEADER_H, t["tabstrip"])
    c.Line(1, L.HEADER_H + 0.5, w - 2, L.HEADER_H + 0.5, t["rule"])
    c.Line(1, L.TABS_BOTTOM + 0.5, w - 2, L.TABS_BOTTOM + 0.5, t["rule"])
    # Footer.
    c.RoundRect(1, L.FOOTER_TOP, w - 2, h - L.FOOTER_TOP - 1, r - 1, t["footer"])
    c.Rect(1, L.FOOTER_TOP, w - 2, 20, t["footer"])
    c.Line(1, L.FOOTER_TOP + 0.5, w - 2, L.FOOTER_TOP + 0.5, t["rule"])
    # Round outline again on top so every band meets the edge cleanly.
    c.RoundRect(0, 0, w, h, r, "none", t["edge"])
    # Header divider between status and window buttons, status capsule.
    c.Line(700.5, 18, 700.5, 42, t["rule"])
    c.RoundRect(540, 17, 150, 26, 13, "none", t["rule"])
    # Sync tick box and the LED caption.
    x, y, bw, bh = L.SYNC_BOX
    c.RoundRect(x - 2, y - 2, bw + 4, bh + 4, 4, t["led_track"], t["rule"])
    c.Text(L.LED_TEXT[0], L.LED_TEXT[1], "LED", 10, t["title_glyph"], FONT_BOLD)
    c.Line(290.5, L.FOOTER_TOP + 16, 290.5, h - 16, t["rule"])
    c.Save(path, "png8", 96)


def Logo(path, t):
    c = Canvas(176, 30)
    Mark(c, 0, 0, 30, t, tile="#1E242E" if t["name"] == "Graphite" else "#FFFFFF")
    c.ops.append("kerning 2.2")
    c.Text(106, 15, "TONEDECK", 17, t["logo_word"], FONT_BOLD)
    c.Save(path)


def DeviceIcon(path, t):
    c = Canvas(16, 16)
    c.Circle(8, 8, 6.5, "none", t["status_ok"], 1.6)
    c.Circle(8, 8, 3, t["status_ok"])
    c.Save(path)


def TitleButton(path, t, glyph, down):
    x, y, w, h = L.CLOSE
    c = Canvas(w, h)
    fill = (t["close_down"] if glyph == "close" else t["minimize_down"]) if down \
        else t["title_button"]
    c.RoundRect(0, 0, w, h, 6, fill)
    ink = "#FFFFFF" if down else t["title_glyph"]
    if glyph == "close":
        c.Line(11, 9, 21, 19, ink, 2)
        c.Line(21, 9, 11, 19, ink, 2)
    else:
        c.Line(10, 18, 22, 18, ink, 2)
    c.Save(path)


def MenuButton(path, t, down):
    w, h = L.MENU_SIZE
    c = Canvas(w, h)
    if down:
        _Plate(c, w, h, h // 2 if t["name"] == "Porcelain" else 6, t["menu_down"],
               t["menu_down_edge"], None)
    else:
        _Plate(c, w, h, h // 2 if t["name"] == "Porcelain" else 6, t["menu_up"],
               t["menu_up_edge"], t["plate_shine"] if t["name"] == "Graphite" else None)
    c.Save(path)


def LedSwitch(path, t, on):
    x, y, w, h = L.LED
    c = Canvas(w, h, t["footer"])
    c.RoundRect(0, 0, w, h, h // 2, t["led_on"] if on else t["led_track"],
                t["led_on"] if on else t["led_off"], 1.5)
    kx = w - 11 if on else 11
    c.Circle(kx, h / 2 - 0.5, 7, t["led_knob"] if on else t["led_off"])
    c.Save(path, "bmp")


# Buttons and sliders ---------------------------------------------------------------------------
def Button(path, t, down):
    w, h = L.BUTTON
    c = Canvas(w, h)
    r = t["button_radius"]
    if down:
        _Plate(c, w, h, r, t["press"], t["press_edge"], t["press_shine"])
    else:
        _Plate(c, w, h, r, t["plate"], t["plate_edge"], t["plate_shine"])
    c.Save(path)


def LinkButton(path, t, mode):
    w, h = L.LINK_BUTTON
    c = Canvas(w, h)
    _Plate(c, w, h, min(t["button_radius"], 15), t["plate"], t["plate_edge"], t["plate_shine"])
    ink = t["muted"] if mode == "indep" else t["accent2"]
    if t["name"] == "Porcelain" and mode == "indep":
        ink = "#AFC1DA"

    def Arrow(x, up):
        if up:
            c.Line(x, 22, x, 9, ink, 2)
            c.Polygon([(x - 4, 12), (x, 6), (x + 4, 12)], ink)
        else:
            c.Line(x, 8, x, 21, ink, 2)
            c.Polygon([(x - 4, 18), (x, 24), (x + 4, 18)], ink)

    if mode == "indep":
        Arrow(18, True)
        Arrow(38, False)
        c.Line(24, 15, 26, 15, ink, 2)
        c.Line(30, 15, 32, 15, ink, 2)
    elif mode == "dep":
        Arrow(18, True)
        Arrow(38, True)
        c.Line(18, 15, 38, 15, ink, 2)
    else:
        Arrow(18, True)
        Arrow(38, False)
        c.Line(18, 15, 38, 15, ink, 2)
        c.Circle(28, 15, 2.5, ink)
    c.Save(path)


def Rule(path, t, w, h, onCard=True):
    c = Canvas(w, h, t["card_edge"] if onCard else t["rule"])
    c.Save(path, "bmp")


def Bar(path, t):
    w, h = L.BAR
    c = Canvas(w, h)
    c.RoundRect(6, 4, 8, h - 8, 4, t["rail"], t["rail_edge"])
    c.Line(10, 9, 10, h - 9, t["rail_glow"], 1)
    c.Save(path)


def Knob(path, t):
    w, h = L.KNOB
    c = Canvas(w, h)
    if t["knob_style"] == "fader":
        c.RoundRect(0, 1, w, h - 1, 4, "#0A0C0F")
        c.RoundRect(0, 0, w, h - 1, 4, t["knob"], t["knob_edge"])
        c.Rect(2, 2, w - 4, 5, "#DDE3EA")
        c.Line(4, h / 2 - 0.5, w - 5, h / 2 - 0.5, t["knob_mark"], 2)
    else:
        c.RoundRect(0, 0, w, h, h // 2, t["knob"], t["knob_edge"], 2)
        c.Line(9, h / 2, w - 9, h / 2, t["knob_mark"], 3)
    c.Save(path)


def _TickMark(c, y, x0, x1, t, major):
    c.Line(x0, y + 0.5, x1, y + 0.5, t["tick"] if not major else t["tick_text"], 1)


def EqGraduation(path, t):
    x, y, w, h = L.EQ_GRADUATION
    c = Canvas(w, h)
    top, bottom = 15, 135
    for k in range(9):
        ty = top + k * (bottom - top) / 8
        major = k in (0, 4, 8)
        _TickMark(c, ty, 26 if not major else 20, w - 2, t, major)
    for ty, sign in ((top, "+"), ((top + bottom) / 2, "0"), (bottom, "\u2212")):
        c.Text(9, ty + 0.5, sign, 12, t["tick_text"], FONT_BOLD)
    c.Save(path)


def D3Graduation(path, t):
    c = Canvas(12, L.BAR[1])
    for v in range(16):
        ty = L.D3SliderTop(v) + L.KNOB[1] // 2 - L.D3_BAR_TOP
        major = v % 5 == 0
        _TickMark(c, ty, 2 if major else 6, 11, t, major)
    c.Save(path)


def MicGraduation(path, t):
    x, y, w, h = L.MIC_GRADUATION
    c = Canvas(w, h)
    top = L.MIC_SLIDER_TOP + L.KNOB[1] // 2 - L.MIC_BAR_TOP
    for k in range(11):
        ty = top + k * L.SLIDER_RANGE / 10
        major = k % 5 == 0
        _TickMark(c, ty, 24 if not major else 20, w - 2, t, major)
    for k, text in ((0, "100"), (5, "50"), (10, "0")):
        c.Text(9, top + k * L.SLIDER_RANGE / 10 + 0.5, text, 8, t["tick_text"], FONT_BOLD)
    c.Save(path)


# Page backgrounds ------------------------------------------------------------------------------
def EqBackground(path, t):
    c = PageCanvas(t)
    for x0, x1 in (L.EQ_LEFT_CARD, L.EQ_CENTER_CARD, L.EQ_RIGHT_CARD):
        _Card(c, x0, x1, t)
    # Guides behind the bars at the graduation's ticks.
    top = L.EQ_BAR_TOP + 15
    for k in range(9):
        ty = top + k * 15 + 0.5
        if k in (0, 4, 8):
            c.Line(232, ty, 580, ty, t["card_edge"], 1)
        else:
            c.Line(232, ty, 580, ty, t["card_edge"], 1, dash=[2, 4])
    cw, ch = L.EQ_CHIP
    for cx in L.EQ_BAND_X:
        _Chip(c, cx, L.EQ_CHIP_CENTER_Y, cw, ch, t)
    c.Save(path, "png8", 64)


def D3Background(path, t):
    c = PageCanvas(t)
    _Card(c, L.EQ_LEFT_CARD[0], L.EQ_LEFT_CARD[1], t)
    _Card(c, 168, 760, t)
    c.Save(path, "png8", 64)


def D3Frame(path, t, side):
    x, y, w, h = L.D3_FRAME_L
    c = Canvas(w, h)
    c.RoundRect(0, 0, w, h, 10, t["well"], t["card_edge"])
    c.RoundRect(0, 0, w, L.D3_FRAME_HEADER + 8, 10, t["chip"])
    c.Rect(0, L.D3_FRAME_HEADER, w, 8, t["well"])
    c.Line(0, L.D3_FRAME_HEADER + 0.5, w, L.D3_FRAME_HEADER + 0.5, t["card_edge"])
    c.RoundRect(0, 0, w, h, 10, "none", t["card_edge"])
    # A small channel badge at the foot of the frame.
    c.Circle(w / 2, h - 13, 8, "none", t["accent"], 1.5)
    c.Text(w / 2, h - 13, side, 9, t["accent"], FONT_BOLD)
    c.Save(path)


def D3Connection(path, t):
    x, y, w, h = L.D3_CONNECTION
    c = Canvas(w, h)
    c.RoundRect(0, 0, w, h, 10, t["well"], t["card_edge"])
    c.RoundRect(0, 0, w, L.D3_FRAME_HEADER + 8, 10, t["chip"])
    c.Rect(0, L.D3_FRAME_HEADER, w, 8, t["well"])
    c.Line(0, L.D3_FRAME_HEADER + 0.5, w, L.D3_FRAME_HEADER + 0.5, t["card_edge"])
    c.RoundRect(0, 0, w, h, 10, "none", t["card_edge"])
    for (bx, by), sign in ((L.D3_ALPHA_LINK, "\u03b1"), (L.D3_BETA_LINK, "\u03b2")):
        ly = by - y + L.LINK_BUTTON[1] / 2
        lx0 = bx - x
        lx1 = lx0 + L.LINK_BUTTON[0]
        c.Line(6, ly, lx0 - 4, ly, t["tick"], 2, dash=[4, 3])
        c.Line(lx1 + 4, ly, w - 6, ly, t["tick"], 2, dash=[4, 3])
        c.Text(w / 2, ly - 27, sign, 14, t["muted"], FONT_REGULAR)
    c.Save(path)


def EffectBackground(path, t):
    c = PageCanvas(t)
    _Card(c, 0, 760, t)
    x, y, w, h = L.EFFECT_PIC
    c.RoundRect(x - 6, y - 6, w + 12, h + 12, 14, t["well"], t["card_edge"])
    c.Save(path, "png8", 64)


def MicBackground(path, t):
    c = PageCanvas(t)
    for x0, x1 in (L.MIC_LEFT_CARD, L.MIC_CENTER_CARD, L.MIC_RIGHT_CARD):
        _Card(c, x0, x1, t)
    x, y, w, h = L.MIC_METER_TRACK
    c.RoundRect(x, y, w, h, 8, t["well"], t["card_edge"])
    px, py = L.MIC_PROGRESS[0], L.MIC_PROGRESS[1]
    c.RoundRect(px, py, L.MIC_METER_LENGTH, L.MIC_PROGRESS[3], 3, t["rail"])
    for k in range(11):
        tx = px + k * L.MIC_METER_LENGTH / 10
        c.Line(tx, y + h + 6, tx, y + h + (13 if k % 5 == 0 else 10), t["tick"], 1)
    c.Text(px, y + h + 22, "\u2212\u221e", 9, t["tick_text"], FONT_BOLD)
    c.Text(px + L.MIC_METER_LENGTH, y + h + 22, "0 dB", 9, t["tick_text"], FONT_BOLD)
    c.Save(path, "png8", 64)


def VirtualBackground(path, t):
    c = PageCanvas(t)
    _Card(c, L.V_LEFT_CARD[0], L.V_LEFT_CARD[1], t)
    _Card(c, L.V_RIGHT_CARD[0], L.V_RIGHT_CARD[1], t)
    # Rotation hints under the rotate buttons.
    cx, cy = 672, 220
    c.Ellipse(cx, cy, 34, 34, "none", t["tick"], 2, 200, 340)
    c.Polygon([(cx + 32, cy - 20), (cx + 36, cy - 8), (cx + 24, cy - 11)], t["tick"])
    c.Ellipse(cx, cy, 34, 34, "none", t["tick"], 2, 20, 160)
    c.Polygon([(cx - 32, cy + 20), (cx - 36, cy + 8), (cx - 24, cy + 11)], t["tick"])
    # A small 7.1 badge in the left card.
    c.RoundRect(48, 190, 80, 60, 10, "none", t["tick"], 1.5)
    c.Text(88, 220, "7.1", 20, t["tick"], FONT_BOLD)
    c.Save(path, "png8", 64)


# Page pictures -------------------------------------------------------------------------------
def MicGainChip(path, t):
    x, y, w, h = L.MIC_GAIN_CHIP
    c = Canvas(w, h)
    c.RoundRect(0, 0, w, h, h // 2, t["chip"], t["chip_edge"])
    c.Save(path)


def MicValueBox(path, t):
    x, y, w, h = L.MIC_VALUE_BOX
    c = Canvas(w, h)
    c.RoundRect(0, 0, w, h, 6, t["chip"], t["chip_edge"])
    c.Save(path)


def MicProgress(path, t):
    w, h = L.MIC_METER_LENGTH, L.MIC_PROGRESS[3]
    lo, mid, hi = t["meter"]
    c = Canvas(w, h, t["rail"])
    seg = 4
    for x in range(0, w, seg + 2):
        f = x / w
        col = lo if f < 0.6 else (mid if f < 0.85 else hi)
        c.Rect(x, 0, seg, h, col)
    c.Save(path, "png8", 16)


def MicPicture(path, t):
    x, y, w, h = L.MIC_PIC
    c = Canvas(w, h)
    cx = w / 2
    line, fill = t["art_line"], t["art_fill"]
    # Sound waves beside the capsule.
    for r in (44, 58):
        c.Ellipse(cx, 70, r, r, "none", t["tick"], 2, 200, 250)
        c.Ellipse(cx, 70, r, r, "none", t["tick"], 2, 290, 340)
    c.RoundRect(cx - 26, 20, 52, 100, 26, fill, line, 3)
    for gy in range(44, 104, 10):
        c.Line(cx - 16, gy, cx + 16, gy, line, 2)
    c.Path(f"M {cx - 38} 86 A 38 44 0 0 0 {cx + 38} 86", "none", line, 3)
    c.Line(cx, 136, cx, 200, line, 3)
    c.RoundRect(cx - 40, 200, 80, 14, 7, fill, line, 3)
    c.Save(path)


def EffectPicture(path, t, effect):
    x, y, w, h = L.EFFECT_PIC
    c = Canvas(w, h, t["art_bg"])
    line, fill, soft, warm = t["art_line"], t["art_fill"], t["art_soft"], t["art_warm"]
    if effect == "Non":
        pts = [(40 + i * 4, 105 + 34 * math.sin(i / 6.0)) for i in range(101)]
        c.Polyline(pts, line, 3)
        c.Line(40, 105, 440, 105, soft, 1, dash=[3, 5])
    elif effect == "Theater":
        c.Rect(130, 36, 220, 100, fill, line, 2)
        c.Path("M 40 20 L 152 20 Q 140 90 110 150 L 40 150 Z", soft, line, 2)
        c.Path("M 440 20 L 328 20 Q 340 90 370 150 L 440 150 Z", soft, line, 2)
        c.Line(30, 20, 450, 20, line, 4)
        for row, ry in enumerate((168, 188)):
            for k in range(9):
                sx = 80 + k * 40 + (20 if row else 0)
                if sx < 420:
                    c.RoundRect(sx, ry, 28, 14, 5, soft, line, 1.5)
        for r in (26, 46, 66):
            c.Ellipse(240, 80, r, r * 0.6, "none", warm, 2, 200, 340)
    elif effect == "Bathroom":
        for gx in range(40, 441, 40):
            c.Line(gx, 20, gx, 120, soft, 1)
        for gy in range(20, 121, 25):
            c.Line(40, gy, 440, gy, soft, 1)
        c.Path("M 90 120 L 390 120 L 380 160 Q 370 185 340 185 L 140 185 Q 110 185 100 160 Z",
               fill, line, 3)
        c.Line(80, 120, 400, 120, line, 4)
        c.Line(360, 120, 360, 60, line, 3)
        c.Path("M 360 60 Q 360 45 345 45 L 330 45", "none", line, 3)
        for dx, dy in ((330, 62), (322, 80), (338, 96)):
            c.Ellipse(dx, dy, 3, 5, warm)
        for r in (20, 36, 52):
            c.Ellipse(240, 150, r * 2, r * 0.5, "none", warm, 2, 180, 360)
    elif effect == "Livingroom":
        c.Rect(60, 25, 110, 80, soft, line, 2)
        c.Line(115, 25, 115, 105, line, 2)
        c.Line(60, 65, 170, 65, line, 2)
        c.RoundRect(190, 95, 220, 60, 12, fill, line, 3)
        c.RoundRect(175, 80, 30, 85, 10, fill, line, 3)
        c.RoundRect(395, 80, 30, 85, 10, fill, line, 3)
        c.Line(200, 165, 200, 180, line, 3)
        c.Line(400, 165, 400, 180, line, 3)
        c.Line(440, 185, 440, 60, line, 2)
        c.Path("M 420 60 L 460 60 L 450 35 L 430 35 Z", warm, line, 2)
        c.Ellipse(300, 188, 150, 12, "none", soft, 3)
        for r in (18, 32):
            c.Ellipse(300, 60, r * 1.6, r, "none", warm, 2, 200, 340)
    else:  # StoneGallery
        for k in range(5):
            ax = 40 + k * 84
            c.Path(f"M {ax} 160 L {ax} 70 Q {ax} 30 {ax + 40} 30 Q {ax + 80} 30 {ax + 80} 70 "
                   f"L {ax + 80} 160", soft if k % 2 else fill, line, 2)
            c.Rect(ax - 6, 160, 92, 10, soft, line, 2)
        for k in range(7):
            c.Line(240, 170, 40 + k * 66.6, 205, soft, 1)
        c.Line(20, 170, 460, 170, line, 3)
        for r in (30, 55, 80):
            c.Ellipse(240, 100, r * 1.5, r * 0.55, "none", warm, 2, 195, 345)
    c.RoundRect(0, 0, w, h, 10, "none", t["card_edge"], 2)
    c.Save(path, "png8", 48)


def SpeakerField(path, t):
    x, y, w, h = L.V_FIELD
    c = Canvas(w, h)
    fcx = L.SPEAKER_CENTER[0] + L.SPEAKER_SIZE / 2 - x
    fcy = L.SPEAKER_CENTER[1] + L.SPEAKER_SIZE / 2 - y
    c.RoundRect(0, 0, w, h, 14, t["field"], t["card_edge"])
    outer = min(L.SPEAKER_RADIUS + L.SPEAKER_SIZE // 2, h // 2 - 6)
    c.Circle(fcx, fcy, outer, t["card"], t["field_ring"], 1.5)
    ring = int(L.SPEAKER_RADIUS // 2 * 1.6)
    c.Circle(fcx, fcy, ring, "none", t["field_ring2"], 1.5)
    c.Circle(fcx, fcy, L.SPEAKER_RADIUS // 2, "none", t["field_ring"], 1)
    c.Line(fcx - outer + 8, fcy, fcx + outer - 8, fcy, t["field_ring"], 1, dash=[3, 5])
    c.Line(fcx, fcy - outer + 8, fcx, fcy + outer - 8, t["field_ring"], 1, dash=[3, 5])
    # The listener, seen from above: head, ears and nose.
    c.Circle(fcx - 19, fcy, 6, t["head"])
    c.Circle(fcx + 19, fcy, 6, t["head"])
    c.Polygon([(fcx - 6, fcy - 16), (fcx, fcy - 27), (fcx + 6, fcy - 16)], t["head"])
    c.Circle(fcx, fcy, 18, t["field"], t["head"], 3)
    c.Save(path)


def Speaker(path, t, name):
    s = L.SPEAKER_SIZE
    c = Canvas(s, s)
    sub = name == "SUB"
    c.Circle(s / 2, s / 2, s / 2 - 1.5, t["sub"] if sub else t["speaker"],
             t["sub"] if sub else t["speaker_edge"], 2)
    size = {1: 14, 2: 12, 3: 10}[len(name)]
    c.Text(s / 2, s / 2, name, size, t["sub_text"] if sub else t["speaker_text"],
           FONT_CONDENSED_BOLD)
    c.Save(path)


def AboutLogo(path, t):
    c = Canvas(57, 49)
    Mark(c, 6, 2, 45, t, tile="#1E242E")
    c.Save(path)
