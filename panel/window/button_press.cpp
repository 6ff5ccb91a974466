// Presses, releases and clicks on the image buttons and their labels, and page tabs.

#include "panel/window/button_tags.h"
#include "panel/window/main_window.h"
#include "panel/window/window_errors.h"

namespace tonedeck {

namespace {

constexpr std::u16string_view kPageTabs[5] = {u"PageEQLabel", u"Page3DLabel", u"PageEffectLabel",
                                              u"PageMicLabel", u"PageVirtual7p1Label"};

bool SwitchOn(int tag, const PanelState& s) {
    switch (tag) {
        case 7:
            return s.eqEnable;
        case 8:
            return s.d3Enable;
        case 13:
            return s.fbm;
        case 21:
            return s.micBoost;
        case 22:
            return s.micMute;
        case 47:
            return s.virtualEnable;
        case 49:
            return s.rotateClockwise;
        case 50:
            return s.rotateCounterclockwise;
        case 51:
            return s.ledOn;
        default:
            return false;
    }
}

constexpr std::u16string_view kEffectPictures[5] = {
    u"EffectPicNonImage", u"EffectPicTheaterImage", u"EffectPicBathroomImage",
    u"EffectPicLivingroomImage", u"EffectPicStoneGalleryImage"};

}  // namespace

void MainWindow::Warn() { ports_.host.ShowWarning(language_.Entry(u"LabelWarning").caption); }

void MainWindow::ShowButtonPicture(ControlId image, std::u16string_view section,
                                   std::u16string_view key, const std::u16string& subFolder) {
    const SkinImageEntry& entry = skin_.Entry(section, key);
    if (entry.fileName.empty()) return;
    ApplySkinImage(entry, controls_[image], SkinPicturePath(entry.fileName, subFolder),
                   ports_.pictures);
}

void MainWindow::SetLabelColor(int tag, std::u16string_view labelKey, bool down) {
    if (labelKey.empty()) return;
    auto label = controls_.LastLabelWithTag(tag);
    if (!label) return;
    const LabelStyleEntry& entry = language_.Entry(labelKey);
    controls_[*label].font.color = down ? entry.downColor : entry.upColor;
}

void MainWindow::ShowSwitchState(int tag, bool on) {
    const ButtonTag* button = ButtonForTag(tag);
    auto image = controls_.LastImageWithTag(tag);
    if (!button || !image) return;
    ShowButtonPicture(*image, button->section, on ? button->downKey : button->upKey);
    SetLabelColor(tag, button->labelKey, on);
}

void MainWindow::ShowPresetSelection(int preset) {
    for (int tag = 9; tag <= 12; ++tag) ShowSwitchState(tag, tag - 8 == preset);
    if (preset < 1 || preset > 4) return;
    auto chosen = controls_.LastLabelWithTag(preset + 8);
    if (chosen) controls_[controls_.Get(u"SXLabel")].caption = controls_[*chosen].caption;
}

void MainWindow::ShowEffectSelection(int effect) {
    for (int tag = 16; tag <= 20; ++tag) ShowSwitchState(tag, tag - 15 == effect);
    if (effect < 1 || effect > 5) return;
    ShowButtonPicture(controls_.Get(u"EffectPicImage"), u"Effect", kEffectPictures[effect - 1]);
}

void MainWindow::ShowLinkMode(int tag, int mode) {
    static constexpr std::u16string_view kAlpha[3] = {u"D3AlphaIndepImage", u"D3AlphaDepImage",
                                                      u"D3AlphaInvImage"};
    static constexpr std::u16string_view kBeta[3] = {u"D3BetaIndepImage", u"D3BetaDepImage",
                                                     u"D3BetaInvImage"};
    auto image = controls_.LastImageWithTag(tag);
    if (!image || mode < 0 || mode > 2) return;
    ShowButtonPicture(*image, u"3D", tag == 14 ? kAlpha[mode] : kBeta[mode], u"3D");
}

void MainWindow::Press(ControlId control) {
    pressedTag_.reset();
    clickTag_.reset();
    try {
        PressButton(control);
    } catch (const WindowError& error) {
        ports_.host.ShowError(error.Text());
    }
}

void MainWindow::PressButton(ControlId id) {
    const Control& control = controls_[id];
    if (!control.enabled) return;
    const int tag = control.tag;
    // Untagged controls share tag 0 with the close button; only that button acts on it.
    if (tag == 0 && control.name != u"CloseImage") return;
    const ButtonTag* button = ButtonForTag(tag);
    if (!button) return;
    const PanelState state = ports_.actions.State();
    if (button->kind == ButtonKind::PageTab) {
        if (control.kind == ControlKind::Label) PressPageTab(tag);
        return;
    }
    if (LockedWithoutDevice(tag) && !state.devicePresent) {
        Warn();
        return;
    }
    auto image = tag == 0 ? std::optional<ControlId>(id) : controls_.LastImageWithTag(tag);
    switch (button->kind) {
        case ButtonKind::Push:
            pressedTag_ = tag;
            if (image) ShowButtonPicture(*image, button->section, button->downKey);
            if (tag >= 2) SetLabelColor(tag, button->labelKey, true);
            break;
        case ButtonKind::Switch:
            PressSwitch(tag, !SwitchOn(tag, state));
            break;
        case ButtonKind::Radio:
            if (tag <= 12) {
                ShowPresetSelection(tag - 8);
                ports_.actions.SelectPreset(tag - 8);
            } else {
                ShowEffectSelection(tag - 15);
                ports_.actions.SelectEffect(tag - 15);
            }
            break;
        case ButtonKind::Cycle: {
            int mode = tag == 14 ? state.alphaLinkMode : state.betaLinkMode;
            mode = mode >= 2 ? 0 : mode + 1;
            ShowLinkMode(tag, mode);
            ports_.actions.SetLinkMode(tag, mode);
            break;
        }
        case ButtonKind::SyncToggle: {
            const int page = CurrentPage();
            if (!state.devicePresent || (page != 0 && page != 1)) break;
            const bool on = !state.syncToDevice;
            controls_[controls_.Get(u"SyncImage")].visible = on;
            SetLabelColor(tag, button->labelKey, false);
            ports_.actions.SetSyncToDevice(on, page);
            break;
        }
        case ButtonKind::PageTab:
            break;
    }
}

void MainWindow::PressSwitch(int tag, bool on) {
    // The two rotation switches exclude each other.
    const int partner = tag == 49 ? 50 : tag == 50 ? 49 : 0;
    if (partner && on && SwitchOn(partner, ports_.actions.State())) {
        ShowSwitchState(partner, false);
        ports_.actions.SetSwitch(partner, false);
    }
    ShowSwitchState(tag, on);
    ports_.actions.SetSwitch(tag, on);
}

void MainWindow::PressPageTab(int tag) {
    if (!ports_.actions.State().devicePresent) {
        Warn();
        return;
    }
    const int page = tag - 23;
    controls_[controls_.Get(u"BackNotebook")].pageIndex = page;
    ports_.host.ProcessPendingMessages();
    if (page == 3) {
        ports_.actions.StartLevelCapture();
    } else {
        ports_.actions.StopLevelCapture();
    }
    ports_.actions.PageShown(page);
    const LabelStyleEntry& entry = language_.Entry(u"LabelPageEQ");
    for (auto name : kPageTabs) controls_[controls_.Get(name)].font.color = entry.upColor;
    controls_[controls_.Get(kPageTabs[page])].font.color = entry.downColor;
}

void MainWindow::Release(ControlId id) {
    const int tag = controls_[id].tag;
    if (!pressedTag_ || *pressedTag_ != tag) return;
    pressedTag_.reset();
    try {
        const ButtonTag* button = ButtonForTag(tag);
        auto image = tag == 0 ? controls_.Find(u"CloseImage") : controls_.LastImageWithTag(tag);
        if (image) ShowButtonPicture(*image, button->section, button->upKey);
        if (tag >= 2) SetLabelColor(tag, button->labelKey, false);
        clickTag_ = tag;
        if (tag == 2) ports_.actions.SaveProfile();
        if (tag == 3) ports_.actions.LoadProfile();
        if (tag == 4) OpenAbout();
    } catch (const WindowError& error) {
        ports_.host.ShowError(error.Text());
    }
}

void MainWindow::Click(ControlId id) {
    const int tag = controls_[id].tag;
    if (!clickTag_ || *clickTag_ != tag) return;
    clickTag_.reset();
    switch (tag) {
        case 0:
            ports_.host.HideToTray();
            break;
        case 1:
            ports_.host.Minimize();
            break;
        case 5:
        case 6:
        case 48:
            ports_.actions.ResetClicked(tag);
            break;
        default:
            break;
    }
}

}  // namespace tonedeck
