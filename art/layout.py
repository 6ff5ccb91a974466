"""Geometry shared by every shipped skin and by the label places of every language.

Main-window items are in window coordinates; page items are in the coordinates of their
page panel (the notebook's client area). Labels are centred on the pictures they belong to;
Language.ini carries their places, so both skins keep the same places for labelled controls.
"""

WINDOW_W, WINDOW_H = 800, 500
CORNER_RADIUS = 14

HEADER_H = 60
TABS_TOP, TABS_BOTTOM = 62, 104
FOOTER_TOP = 436

NOTEBOOK = (20, 110, 760, 318)  # left, top, width, height
PAGE_W, PAGE_H = NOTEBOOK[2], NOTEBOOK[3]

# Layout numbers of SkinSetting.ini. The 3D page's slider travel is fixed at tops 105 to 225,
# so the shared travel must be 120 for its value scale to reach 0 and 15.
SLIDER_RANGE = 120
EQ_SLIDER_TOP = 70
MIC_SLIDER_TOP = 78
MIC_METER_LENGTH = 256
SPEAKER_CENTER = (364, 143)  # top-left place of a 32 x 32 speaker sitting in the middle
SPEAKER_RADIUS = 130
SPEAKER_SIZE = 32

# Main window -----------------------------------------------------------------------------------
LOGO = (24, 15)
DEVICE_ICON = (552, 22, 16, 16)
MINIMIZE = (712, 16, 32, 28)
CLOSE = (750, 16, 32, 28)
MENU_SIZE = (92, 30)
MENUS = [(484, 452), (584, 452), (684, 452)]
LED = (24, 456, 40, 22)
LED_TEXT = (88, 467)  # centre of the baked "LED" text
SYNC_BOX = (118, 459, 16, 16)  # where the built-in SyncImage tick is expected to sit
SYNC_LABEL_LEFT = 142
COMPANY_LEFT = 312
FEATURES_LEFT = 206
STATUS_LABEL_LEFT = 576
TAB_FIRST_LEFT = 28
TAB_TOP = 75
TAB_GAP = 5          # the program puts each tab 5 pixels right of the bevel before it
BEVEL_WIDTH = 2      # assumed width of the built-in bevels between the tabs
TAB_PADDING = "   "  # blanks around a tab caption centre it between the bevels
SETTING_RIGHT = 732  # right edge of SettingLabel; SXLabel follows it
SX_LEFT = 740

# Pages ----------------------------------------------------------------------------------------
BUTTON = (124, 34)
LINK_BUTTON = (56, 30)
KNOB = (34, 18)
BAR = (20, 150)

CARD_TOP, CARD_H = 12, 294


def ButtonBox(x, y):
    return (x, y, BUTTON[0], BUTTON[1])


# EQ page
EQ_LEFT_CARD = (0, 156)
EQ_CENTER_CARD = (168, 592)
EQ_RIGHT_CARD = (604, 760)
EQ_ENABLE = ButtonBox(16, 56)
EQ_3D_ENABLE = ButtonBox(16, 104)
EQ_RESET = ButtonBox(16, 200)
EQ_PRESETS = [ButtonBox(620, 56), ButtonBox(620, 104), ButtonBox(620, 152), ButtonBox(620, 200)]
EQ_LINES = [(16, 169, 124, 1), (620, 97, 124, 1), (620, 145, 124, 1), (620, 193, 124, 1),
            (186, 44, 390, 1)]
EQ_BAND_X = [262, 336, 410, 484, 558]   # centres of the five bars
EQ_BAR_TOP = 64
EQ_GRADUATION = (192, 64, 36, 150)
EQ_CHIP = (64, 20)
EQ_CHIP_CENTER_Y = 236
EQ_BANDS = ["60Hz", "300Hz", "1200Hz", "3600Hz", "12000Hz"]

# 3D page
D3_ENABLE = ButtonBox(16, 56)
D3_FBM = ButtonBox(16, 104)
D3_RESET = ButtonBox(16, 200)
D3_LINES = [(16, 169, 124, 1), (412, 168, 104, 1)]
D3_TOP_MIN, D3_TOP_MAX = 105, 225
D3_BAR_TOP = 99
D3_FRAME_L = (222, 20, 152, 280)
D3_FRAME_R = (554, 20, 152, 280)
D3_CONNECTION = (394, 20, 140, 280)
D3_FRAME_HEADER = 28
D3_SLIDERS = {  # name: centre x of the bar, start value
    "LAlpha": (262, 10), "LBeta": (334, 3), "RAlpha": (594, 10), "RBeta": (666, 3)}
D3_ALPHA_LINK = (436, 118)
D3_BETA_LINK = (436, 186)

# Effect page
EFFECT_NAMES = ["Non", "Theater", "Bathroom", "Livingroom", "StoneGallery"]
EFFECT_BUTTONS = [ButtonBox(30 + i * 144, 30) for i in range(5)]
EFFECT_LINES = [(30 + i * 144 + 124 + 10, 34, 1, 26) for i in range(4)]
EFFECT_PIC = (140, 84, 480, 210)

# Microphone page
MIC_LEFT_CARD = (0, 236)
MIC_CENTER_CARD = (248, 424)
MIC_RIGHT_CARD = (436, 760)
MIC_PIC = (48, 30, 140, 250)
MIC_BAR_X = 336
MIC_BAR_TOP = 72
MIC_GAIN_CHIP = (296, 32, 80, 22)
MIC_GRADUATION = (286, 72, 34, 150)
MIC_VALUE_BOX = (306, 240, 60, 24)
MIC_METER_TRACK = (460, 104, 276, 28)
MIC_PROGRESS = (470, 112, 0, 12)
MIC_LINE = (460, 176, 276, 1)
MIC_BOOST = ButtonBox(460, 206)
MIC_MUTE = ButtonBox(612, 206)

# Virtual 7.1 page
V_LEFT_CARD = (0, 176)
V_RIGHT_CARD = (584, 760)
V_ENABLE = ButtonBox(26, 56)
V_RESET = ButtonBox(26, 104)
V_CLOCKWISE = ButtonBox(610, 56)
V_COUNTERCLOCKWISE = ButtonBox(610, 104)
V_FIELD = (200, 12, 360, 294)
SPEAKERS = ["C", "L", "LS", "LB", "RB", "RS", "R", "SUB"]  # key order of the skin table


def SpeakerResetPlaces():
    """Places after the program's speaker reset, so the skin's start places agree with it."""
    import math
    cx, cy = SPEAKER_CENTER
    h = SPEAKER_RADIUS // 2
    r = h * 1.6
    places = {
        "C": (cx, cy - r), "LS": (cx - r, cy), "RS": (cx + r, cy), "SUB": (cx, cy - h),
        "L": (cx + math.cos(2.3561925) * r, cy - math.sin(2.3561925) * r),
        "LB": (cx + math.cos(3.9269875) * r, cy - math.sin(3.9269875) * r),
        "RB": (cx + math.cos(5.4977825) * r, cy - math.sin(5.4977825) * r),
        "R": (cx + math.cos(0.7853975) * r, cy - math.sin(0.7853975) * r),
    }
    return {name: (int(x), int(y)) for name, (x, y) in places.items()}


def D3SliderTop(value):
    return SLIDER_RANGE - (value * SLIDER_RANGE) // 15 + D3_TOP_MIN
