#pragma once
// The main window's logic over its control model: skins, languages, label styles, the menus,
// the image buttons, slider tracking, the window outline and the About window.

#include <optional>
#include <string>
#include <vector>

#include "common/audio_config.h"
#include "common/system_helpers.h"
#include "panel/window/control_model.h"
#include "panel/window/folder_menu.h"
#include "panel/window/language_table.h"
#include "panel/window/picture_source.h"
#include "panel/window/skin_settings.h"
#include "panel/window/window_host.h"
#include "platform/ports/file_system.h"
#include "platform/ports/profile_store.h"
#include "platform/ports/system_info.h"

namespace tonedeck {

inline constexpr std::size_t kChoiceNameChars = 127;

struct WindowPorts {
    ProfileStore& profiles;
    FileSystem& files;
    SystemInfo& system;
    PictureSource& pictures;
    WindowHost& host;
    PageActions& actions;
};

class MainWindow {
  public:
    MainWindow(WindowPorts ports, const AudioConfig& config, OsClass osClass);

    ControlModel& Controls() { return controls_; }
    const ControlModel& Controls() const { return controls_; }
    ControlModel& AboutControls() { return about_; }
    const SkinSettings& Skin() const { return skin_; }
    const SkinLayout& Layout() const { return skin_.layout; }
    LanguageTable& Language() { return language_; }
    const std::u16string& CurrentLanguage() const { return currentLanguage_; }
    const std::u16string& CurrentSkin() const { return currentSkin_; }
    const std::vector<MenuItem>& LanguageMenu() const { return languageMenu_; }
    const std::vector<MenuItem>& SkinMenu() const { return skinMenu_; }
    const std::vector<std::u16string>& ListBoxLanguageMap() const { return languageMap_; }
    int CurrentPage() const;

    // Start-up steps; errors leave as exceptions and end the program there.
    void ReadUserChoices();
    void SaveUserChoices();
    int BuildLanguageMenu();
    int BuildSkinMenu();
    void LoadLanguageTable();
    void LoadSkinLabelStyles();
    void ApplyLabelStyles();
    void WindowOutlineStep();
    void LoadSkinSettings();
    void ApplySkin();
    // Menus, language, skin and outline steps of start-up in their order.
    void StartUp();

    // Menu handlers: an error is shown and ends the handler.
    void SkinMenuClick(std::size_t index);
    // `shownCaption` is the item's caption as the menu system reports it (it may carry "&").
    void SkinMenuClick(std::size_t index, const std::u16string& shownCaption);
    void LanguageMenuClick(std::size_t index);

    // Mouse on an image or label (after the hook saw it). Errors are shown, never thrown.
    void Press(ControlId control);
    void Release(ControlId control);
    void Click(ControlId control);

    // The program-wide hook: screen positions, and the press also in main-window client
    // coordinates.
    void HookPress(Point screen, Point client);
    void HookMove(Point screen);
    void HookRelease();
    bool Dragging() const { return dragging_; }
    std::optional<ControlId> CapturedControl() const { return captured_; }

    // Opening the About window (released third menu button).
    void OpenAbout();

    // For the pages: a state shown without a press.
    void ShowSwitchState(int tag, bool on);
    void ShowPresetSelection(int preset);
    void ShowEffectSelection(int effect);
    void ShowLinkMode(int tag, int mode);
    // The device label for DevicePresent.
    void ApplyDeviceLabel(bool present);

    // Paths of the current choices.
    std::u16string SkinRootFolder() const;
    std::u16string SkinFolder() const;
    std::u16string LanguageRootFolder() const;
    std::u16string UserChoicesFile() const;

  private:
    std::string SkinSettingsFile() const;
    std::string LanguageFile() const;
    std::u16string SkinPicturePath(const std::u16string& fileName,
                                   const std::u16string& subFolder = {}) const;
    double FontScale();
    void StyleLabel(std::u16string_view key, std::u16string_view label, bool selected);
    bool Selected(SelectedWhen when, const PanelState& state) const;
    void ChainPageTabs();
    void LoadWindowRegion(const std::u16string& path);
    // A button's picture by key; an empty file name leaves the current picture.
    void ShowButtonPicture(ControlId image, std::u16string_view section, std::u16string_view key,
                           const std::u16string& subFolder = {});
    void SetLabelColor(int tag, std::u16string_view labelKey, bool down);
    void Warn();

    void PressButton(ControlId control);
    void PressPageTab(int tag);
    void PressSwitch(int tag, bool on);
    bool StartDrag(ControlId control);

    WindowPorts ports_;
    const AudioConfig& config_;
    OsClass osClass_;
    ControlModel controls_;
    ControlModel about_;
    SkinSettings skin_;
    LanguageTable language_;
    std::u16string currentLanguage_;
    std::u16string currentSkin_;
    std::vector<MenuItem> languageMenu_;
    std::vector<MenuItem> skinMenu_;
    std::vector<std::u16string> languageMap_;

    // Button whose press was taken (a refused press gets no release or click).
    std::optional<int> pressedTag_;
    std::optional<int> clickTag_;

    // Slider tracking.
    bool dragging_ = false;
    std::optional<ControlId> captured_;
    Point pressScreen_;
    Point dragStart_;
};

}  // namespace tonedeck
