#pragma once
// What the window logic asks of its surroundings: the Win32 side (message boxes, the window
// itself, text measuring) and the settings pages (the sound model and the device behind it).

#include <cstdint>
#include <string>
#include <vector>

#include "panel/window/control_model.h"

namespace tonedeck {

struct TextSize {
    int width = 0;
    int height = 0;
};

class WindowHost {
  public:
    virtual ~WindowHost() = default;
    // An error message box (a number or file error met inside a menu handler).
    virtual void ShowError(const std::u16string& text) = 0;
    // The no-device warning: exclamation icon, the application title as caption.
    virtual void ShowWarning(const std::u16string& text) = 0;
    // Lets pending window messages run.
    virtual void ProcessPendingMessages() = 0;
    virtual void HideToTray() = 0;
    virtual void Minimize() = 0;
    // Shows the About window modally with this title; returns when it is closed.
    virtual void ShowAboutModal(const std::u16string& title) = 0;
    // Outer size of the main window.
    virtual void SetWindowSize(int width, int height) = 0;
    // Makes a region from region data (the whole file) the window's region, with redrawing.
    virtual void SetWindowRegion(const std::vector<uint8_t>& regionData) = 0;
    // Inner size of the main window.
    virtual void SetClientSize(int width, int height) = 0;
    // The size `text` takes in `font`, for labels that size themselves.
    virtual TextSize MeasureText(const std::u16string& text, const Font& font) = 0;
};

// The sound-settings fields the window shows.
struct PanelState {
    bool devicePresent = false;
    bool syncToDevice = false;
    bool ledOn = true;
    bool eqEnable = false;
    bool d3Enable = false;
    bool fbm = true;
    bool micBoost = false;
    bool micMute = false;
    bool virtualEnable = false;
    bool rotateClockwise = false;
    bool rotateCounterclockwise = false;
    int currentPreset = 1;
    int currentEffect = 1;
    int alphaLinkMode = -1;
    int betaLinkMode = -1;
    int micGain = 0;
};

// The settings pages, as the buttons and sliders reach them. The window changes pictures and
// label colours itself; everything that changes the sound model or the device goes through here.
class PageActions {
  public:
    virtual ~PageActions() = default;
    virtual PanelState State() const = 0;

    // Switch tags 7, 8, 13, 21, 22, 47, 49, 50, 51: store the new state, then run its action.
    virtual void SetSwitch(int tag, bool on) = 0;
    // Tags 9 to 12: CurrentPreset = preset and the preset switch.
    virtual void SelectPreset(int preset) = 0;
    // Tags 16 to 20: CurrentEffect = effect and the driver request.
    virtual void SelectEffect(int effect) = 0;
    // Tags 14 and 15: the new link mode (0, 1 or 2).
    virtual void SetLinkMode(int tag, int mode) = 0;
    // Tag 28: the new SyncToDevice and its re-application for the page that shows.
    virtual void SetSyncToDevice(bool on, int page) = 0;
    // Click actions of tags 5, 6 and 48 (the three resets).
    virtual void ResetClicked(int tag) = 0;
    virtual void SaveProfile() = 0;
    virtual void LoadProfile() = 0;

    // A page tab switched the notebook: the page's device actions.
    virtual void PageShown(int page) = 0;
    virtual void StartLevelCapture() = 0;
    virtual void StopLevelCapture() = 0;

    // A press on a slider bar (tags 129 to 133, 138): the knob jumps to `pointInPage`.
    virtual void BarPressed(int page, ControlId bar, Point pointInPage) = 0;
    // A drag step: the captured control's proposed place; the page's rule decides.
    virtual void DragMoved(int page, ControlId control, int left, int top) = 0;

    // After a skin switch: the equalizer knobs of CurrentPreset placed again, and the speakers
    // placed at their stored distance times `factor` around the new centre.
    virtual void PlaceEqSliders() = 0;
    virtual void RescaleSpeakers(double factor) = 0;
};

}  // namespace tonedeck
