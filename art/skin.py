"""Renders one skin folder: its pictures, the 3D sub-folder, SkinSetting.ini and the region."""

import os
import shutil

import layout as L
import pictures as P
import region


def Colour(rgb):
    """'#RRGGBB' -> the window system's 0x00BBGGRR text."""
    r, g, b = int(rgb[1:3], 16), int(rgb[3:5], 16), int(rgb[5:7], 16)
    return f"0x00{b:02X}{g:02X}{r:02X}"


class SkinWriter:
    def __init__(self, folder, theme):
        self.folder = folder
        self.t = theme
        self.sections = []  # (name, [(key, value)])
        self.painted = set()
        self.places = {}    # key -> (file, left, top, width, height) for the preview

    def Section(self, name):
        self.sections.append((name, []))

    def Value(self, key, value):
        self.sections[-1][1].append((key, value))

    def Image(self, key, file, painter, left, top, width=None, height=None):
        if file not in self.painted:
            painter(os.path.join(self.folder, file))
            self.painted.add(file)
        fields = [file, str(left), str(top)]
        if width is not None:
            fields += [str(width), str(height)]
        self.Value(key, ",".join(fields))
        self.places[(self.sections[-1][0], key)] = (file, left, top, width, height)

    def WriteIni(self, path, header):
        lines = [f"; {line}" for line in header]
        for name, entries in self.sections:
            lines.append("")
            lines.append(f"[{name}]")
            lines += [f"{key}={value}" for key, value in entries]
        with open(path, "w", encoding="ascii", newline="\r\n") as f:
            f.write("\n".join(lines) + "\n")


def Render(dataSkinRoot, theme):
    t = theme
    folder = os.path.join(dataSkinRoot, t["name"])
    if os.path.isdir(folder):
        shutil.rmtree(folder)
    os.makedirs(os.path.join(folder, "3D"))
    s = SkinWriter(folder, t)
    img = s.Image

    def Pair(prefix, upKey, downKey, box, upFile="button_up.png", downFile="button_down.png",
             painter=P.Button):
        x, y = box[0], box[1]
        img(upKey, upFile, lambda p: painter(p, t, False), x, y)
        img(downKey, downFile, lambda p: painter(p, t, True), x, y)

    # Main ------------------------------------------------------------------------------------
    s.Section("Main")
    img("MainFormImage", "main_back.png", lambda p: P.MainBackground(p, t), 0, 0)
    img("CloseImageUp", "close_up.png", lambda p: P.TitleButton(p, t, "close", False), *L.CLOSE[:2])
    img("CloseImageDown", "close_down.png", lambda p: P.TitleButton(p, t, "close", True),
        *L.CLOSE[:2])
    img("MinimizeImageUp", "minimize_up.png", lambda p: P.TitleButton(p, t, "min", False),
        *L.MINIMIZE[:2])
    img("MinimizeImageDown", "minimize_down.png", lambda p: P.TitleButton(p, t, "min", True),
        *L.MINIMIZE[:2])
    img("DeviceActiveImage", "device.png", lambda p: P.DeviceIcon(p, t), *L.DEVICE_ICON[:2])
    for n, (mx, my) in enumerate(L.MENUS, start=1):
        img(f"Menu{n}ImageUp", "menu_up.png", lambda p: P.MenuButton(p, t, False), mx, my)
        img(f"Menu{n}ImageDown", "menu_down.png", lambda p: P.MenuButton(p, t, True), mx, my)
    img("LogoImage", "logo.png", lambda p: P.Logo(p, t), *L.LOGO)
    img("LedImageUp", "led_off.bmp", lambda p: P.LedSwitch(p, t, False), *L.LED[:2])
    img("LedImageDown", "led_on.bmp", lambda p: P.LedSwitch(p, t, True), *L.LED[:2])
    s.Value("BackNotebook", ",".join(str(v) for v in L.NOTEBOOK))

    # Equalizer -------------------------------------------------------------------------------
    s.Section("EQ")
    img("Back_EQImage", "eq_back.png", lambda p: P.EqBackground(p, t), 0, 0)
    Pair("EQEQEN", "EQEQENImageUp", "EQEQENImageDown", L.EQ_ENABLE)
    Pair("EQ3DEN", "EQ3DENImageUp", "EQ3DENImageDown", L.EQ_3D_ENABLE)
    Pair("EQReset", "EQResetImageUp", "EQResetImageDown", L.EQ_RESET)
    for n, box in enumerate(L.EQ_PRESETS, start=1):
        Pair(f"EQS{n}", f"EQS{n}ImageUp", f"EQS{n}ImageDown", box)
    for n, (x, y, w, h) in enumerate(L.EQ_LINES, start=1):
        img(f"EQButtonLineImage{n}", f"rule_{w}x{h}.bmp",
            lambda p, w=w, h=h: P.Rule(p, t, w, h), x, y)
    img("EQGraduationImage", "eq_scale.png", lambda p: P.EqGraduation(p, t), *L.EQ_GRADUATION[:2])
    for band, cx in zip(L.EQ_BANDS, L.EQ_BAND_X):
        img(f"EQ{band}BarImage", "bar.png", lambda p: P.Bar(p, t), cx - L.BAR[0] // 2, L.EQ_BAR_TOP)
    middle = L.EQ_SLIDER_TOP + L.SLIDER_RANGE // 2
    for band, cx in zip(L.EQ_BANDS, L.EQ_BAND_X):
        img(f"EQ{band}SliderImage", "knob.png", lambda p: P.Knob(p, t), cx - L.KNOB[0] // 2,
            middle)
    s.Value("EQPanel", f"{L.PAGE_W},{L.PAGE_H}")
    s.Value("EQSlider", f"{L.EQ_SLIDER_TOP},{L.SLIDER_RANGE}")

    # 3D ---------------------------------------------------------------------------------------
    s.Section("3D")
    img("Back_3DImage", "d3_back.png", lambda p: P.D3Background(p, t), 0, 0)
    Pair("D33DEN", "D33DENImageUp", "D33DENImageDown", L.D3_ENABLE)
    Pair("D3FBM", "D3FBMImageUp", "D3FBMImageDown", L.D3_FBM)
    Pair("D3Reset", "D3ResetImageUp", "D3ResetImageDown", L.D3_RESET)
    img("D3LChannelImage", "d3_left.png", lambda p: P.D3Frame(p, t, "L"), *L.D3_FRAME_L[:2])
    img("D3RChannelImage", "d3_right.png", lambda p: P.D3Frame(p, t, "R"), *L.D3_FRAME_R[:2])
    img("D3ConnectionImage", "d3_link.png", lambda p: P.D3Connection(p, t), *L.D3_CONNECTION[:2])
    linkFiles = []
    for kind, box in (("Alpha", L.D3_ALPHA_LINK), ("Beta", L.D3_BETA_LINK)):
        for mode, name in (("indep", "Indep"), ("dep", "Dep"), ("inv", "Inv")):
            file = f"link_{kind.lower()}_{mode}.png"
            img(f"D3{kind}{name}Image", file, lambda p, m=mode: P.LinkButton(p, t, m), *box)
            linkFiles.append(file)
    for n, (x, y, w, h) in enumerate(L.D3_LINES, start=1):
        img(f"D3ButtonLineImage{n}", f"rule_{w}x{h}.bmp",
            lambda p, w=w, h=h: P.Rule(p, t, w, h), x, y)
    for name in ("LAlpha", "LBeta", "RAlpha", "RBeta"):
        cx = L.D3_SLIDERS[name][0]
        img(f"D3{name}GraduationImage", "d3_scale.png", lambda p: P.D3Graduation(p, t),
            cx - L.BAR[0] // 2 - 16, L.D3_BAR_TOP)
    for name in ("LAlpha", "LBeta", "RAlpha", "RBeta"):
        cx = L.D3_SLIDERS[name][0]
        img(f"D3{name}BarImage", "bar.png", lambda p: P.Bar(p, t), cx - L.BAR[0] // 2,
            L.D3_BAR_TOP)
    for name in ("LAlpha", "LBeta", "RAlpha", "RBeta"):
        cx, value = L.D3_SLIDERS[name]
        img(f"D3{name}SliderImage", "knob.png", lambda p: P.Knob(p, t), cx - L.KNOB[0] // 2,
            L.D3SliderTop(value))

    # Room effects ----------------------------------------------------------------------------
    s.Section("Effect")
    img("Back_EffectImage", "effect_back.png", lambda p: P.EffectBackground(p, t), 0, 0)
    for name, box in zip(L.EFFECT_NAMES, L.EFFECT_BUTTONS):
        Pair(name, f"EffectButton{name}ImageUp", f"EffectButton{name}ImageDown", box)
    for n, (x, y, w, h) in enumerate(L.EFFECT_LINES, start=1):
        img(f"EffectButtonLineImage{n}", f"rule_{w}x{h}.bmp",
            lambda p, w=w, h=h: P.Rule(p, t, w, h), x, y)
    for name in L.EFFECT_NAMES:
        img(f"EffectPic{name}Image", f"room_{name.lower()}.png",
            lambda p, n=name: P.EffectPicture(p, t, n), *L.EFFECT_PIC[:2])
    s.Value("EffectPanel", f"{L.PAGE_W},{L.PAGE_H}")

    # Microphone ------------------------------------------------------------------------------
    s.Section("Mic")
    img("Back_MicImage", "mic_back.png", lambda p: P.MicBackground(p, t), 0, 0)
    Pair("MicBoost", "MicBoostImageUp", "MicBoostImageDown", L.MIC_BOOST)
    Pair("MicMute", "MicMuteImageUp", "MicMuteImageDown", L.MIC_MUTE)
    x, y, w, h = L.MIC_LINE
    img("MicButtonLineImage", f"rule_{w}x{h}.bmp", lambda p: P.Rule(p, t, w, h), x, y)
    img("MicPicImage", "mic.png", lambda p: P.MicPicture(p, t), *L.MIC_PIC[:2])
    px, py, _, ph = L.MIC_PROGRESS
    img("MicProgressImage", "meter.png", lambda p: P.MicProgress(p, t), px, py,
        L.MIC_METER_LENGTH, ph)
    img("MicGainImage", "mic_gain.png", lambda p: P.MicGainChip(p, t), *L.MIC_GAIN_CHIP[:2])
    img("MicGraduationImage", "mic_scale.png", lambda p: P.MicGraduation(p, t),
        *L.MIC_GRADUATION[:2])
    img("MicBarImage", "bar.png", lambda p: P.Bar(p, t), L.MIC_BAR_X - L.BAR[0] // 2,
        L.MIC_BAR_TOP)
    img("MicSliderImage", "knob.png", lambda p: P.Knob(p, t), L.MIC_BAR_X - L.KNOB[0] // 2,
        L.MIC_SLIDER_TOP + L.SLIDER_RANGE // 2)
    img("MicValueImage", "mic_value.png", lambda p: P.MicValueBox(p, t), *L.MIC_VALUE_BOX[:2])
    s.Value("MicPanel", f"{L.PAGE_W},{L.PAGE_H}")
    s.Value("MicSlider", f"{L.MIC_SLIDER_TOP},{L.SLIDER_RANGE}")
    s.Value("MicProgressLength", str(L.MIC_METER_LENGTH))

    # Virtual 7.1 -----------------------------------------------------------------------------
    s.Section("Virtual7ch1")
    img("Back_Virtual7p1Image", "virtual_back.png", lambda p: P.VirtualBackground(p, t), 0, 0)
    Pair("VirtualEnable", "VirtualEnableImageUp", "VirtualEnableImageDown", L.V_ENABLE)
    Pair("VirtualClockwise", "VirtualClockwiseUpImage", "VirtualClockwiseDownImage",
         L.V_CLOCKWISE)
    Pair("VirtualCounterclockwise", "VirtualCounterclockwiseUpImage",
         "VirtualCounterclockwiseDownImage", L.V_COUNTERCLOCKWISE)
    Pair("VirtualReset", "VirtualResetUpImage", "VirtualResetDownImage", L.V_RESET)
    img("VirtualPicImage", "field.png", lambda p: P.SpeakerField(p, t), *L.V_FIELD[:2])
    places = L.SpeakerResetPlaces()
    for name in L.SPEAKERS:
        img(f"Virtual{name}Image", f"speaker_{name.lower()}.png",
            lambda p, n=name: P.Speaker(p, t, n), *places[name])
    s.Value("VirtualPanel", f"{L.PAGE_W},{L.PAGE_H}")
    cx, cy = L.SPEAKER_CENTER
    s.Value("VirtualCenter", f"{cx},{cy},{L.SPEAKER_RADIUS}")

    # About -----------------------------------------------------------------------------------
    s.Section("About")
    img("LogoImage", "about_logo.png", lambda p: P.AboutLogo(p, t), 16, 20)

    # Label styles of this skin (colours only: the places belong to each language) -------------
    s.Section("MainLable")
    menuStyle = f",{Colour(t['menu_text_up'])},{Colour(t['menu_text_down'])}"
    for n in (1, 2, 3):
        s.Value(f"LabelMenu{n}", menuStyle)
    s.Value("LabelActive", f",{Colour(t['status_ok'])},{Colour(t['status_ok'])}")
    s.Value("LabelUnactive", f",{Colour(t['status_off'])},{Colour(t['status_off'])}")
    s.Value("LabelSetting", f",{Colour(t['setting'])},{Colour(t['setting'])}")
    s.Value("LabelSX", f",{Colour(t['sx'])},{Colour(t['sx'])}")

    # The link-mode pictures are loaded from the 3D sub-folder when a mode is cycled.
    for file in linkFiles:
        shutil.copyfile(os.path.join(folder, file), os.path.join(folder, "3D", file))

    region.Write(os.path.join(folder, "MainForm_Frame.rgn"), L.WINDOW_W, L.WINDOW_H,
                 L.CORNER_RADIUS)
    s.WriteIni(os.path.join(folder, "SkinSetting.ini"),
               [f"Tonedeck skin \"{t['name']}\". Rendered by art/render.sh; edit the sources "
                "there, not this file.",
                "Image keys: file,left,top[,width,height]; page pictures are placed in page "
                "coordinates."])
    return s
