#include "panel/window/main_window.h"

#include "common/profile_io.h"
#include "common/text.h"
#include "panel/window/label_style.h"
#include "panel/window/value_rules.h"
#include "panel/window/window_definition.h"
#include "panel/window/window_region.h"

namespace tonedeck {

namespace {

// Paths the control panel builds pass through the 8-bit code page.
std::u16string ThroughCodePage(const std::u16string& path) { return AnsiToU16(U16ToAnsi(path)); }

}  // namespace

MainWindow::MainWindow(WindowPorts ports, const AudioConfig& config, OsClass osClass)
    : ports_(ports),
      config_(config),
      osClass_(osClass),
      controls_(MainWindowDefinition()),
      about_(AboutWindowDefinition()) {}

int MainWindow::CurrentPage() const { return controls_[controls_.Get(u"BackNotebook")].pageIndex; }

std::u16string MainWindow::SkinRootFolder() const {
    return config_.AppDir + config_.SkinFolderName + u"\\";
}

std::u16string MainWindow::SkinFolder() const { return SkinRootFolder() + currentSkin_; }

std::u16string MainWindow::LanguageRootFolder() const {
    return config_.AppDir + config_.LanguageFolderName + u"\\";
}

std::u16string MainWindow::UserChoicesFile() const {
    std::u16string appData = ports_.system.Environment(u"APPDATA").value_or(u"");
    return appData + u"\\" + config_.InstallFolderName + u"\\" + kAudioConfigFileName;
}

std::string MainWindow::SkinSettingsFile() const {
    return U16ToAnsi(SkinFolder() + u"\\SkinSetting.ini");
}

std::string MainWindow::LanguageFile() const {
    return U16ToAnsi(LanguageRootFolder() + currentLanguage_ + u"\\Language.ini");
}

std::u16string MainWindow::SkinPicturePath(const std::u16string& fileName,
                                           const std::u16string& subFolder) const {
    std::u16string folder = SkinFolder() + u"\\";
    if (!subFolder.empty()) folder += subFolder + u"\\";
    return ThroughCodePage(folder + fileName);
}

// ---- user choices and menus ----

void MainWindow::ReadUserChoices() {
    // An account that has no per-user copy yet (not the one that ran the installer) starts with
    // the shipped defaults instead of with no skin at all.
    auto readChoices = [this](const std::u16string& file) {
        const std::string ansi = U16ToAnsi(file);
        std::u16string language, skin;
        ReadProfileStringToBuffer(ports_.profiles, ansi, u"Language", u"DefaultLanguage", language);
        ReadProfileStringToBuffer(ports_.profiles, ansi, u"Skin", u"DefaultSkin", skin);
        if (!language.empty()) currentLanguage_ = language.substr(0, kChoiceNameChars);
        if (!skin.empty()) currentSkin_ = skin.substr(0, kChoiceNameChars);
    };
    readChoices(config_.AppDir + kAudioConfigFileName);
    const std::u16string file = UserChoicesFile();
    if (ports_.files.FileExists(file)) readChoices(file);
}

void MainWindow::SaveUserChoices() {
    const std::u16string file = UserChoicesFile();
    if (!ports_.files.FileExists(file)) return;
    const std::string ansi = U16ToAnsi(file);
    WriteProfileString(ports_.profiles, ansi, u"Language", u"DefaultLanguage", currentLanguage_);
    WriteProfileString(ports_.profiles, ansi, u"Skin", u"DefaultSkin", currentSkin_);
}

namespace {

void CheckMatchOrFirst(std::vector<MenuItem>& menu, const std::vector<std::u16string>& names,
                       const std::u16string& current, const char16_t* what,
                       const std::u16string& folder) {
    if (menu.empty()) {
        throw FileLoadError(u"No " + std::u16string(what) + u" folders in \"" + folder + u"\".");
    }
    std::size_t checked = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == current) {
            checked = i;
            break;
        }
    }
    menu[checked].checked = true;
}

}  // namespace

int MainWindow::BuildLanguageMenu() {
    languageMenu_.clear();
    languageMap_.clear();
    const std::u16string root = LanguageRootFolder();
    const std::string config = U16ToAnsi(config_.AppDir + kAudioConfigFileName);
    for (const auto& folder : ListMenuFolders(ports_.files, ThroughCodePage(root))) {
        std::u16string display;
        ReadProfileStringToBuffer(ports_.profiles, config, u"MultiLanguageFolderMap", folder,
                                  display);
        languageMap_.push_back(folder);
        languageMenu_.push_back({display, false});
    }
    CheckMatchOrFirst(languageMenu_, languageMap_, currentLanguage_, u"language", root);
    return static_cast<int>(languageMenu_.size());
}

int MainWindow::BuildSkinMenu() {
    skinMenu_.clear();
    const std::u16string root = SkinRootFolder();
    std::vector<std::u16string> names = ListMenuFolders(ports_.files, ThroughCodePage(root));
    for (const auto& name : names) skinMenu_.push_back({name, false});
    CheckMatchOrFirst(skinMenu_, names, currentSkin_, u"skin", root);
    return static_cast<int>(skinMenu_.size());
}

void MainWindow::SkinMenuClick(std::size_t index) {
    if (index < skinMenu_.size()) SkinMenuClick(index, skinMenu_[index].caption);
}

void MainWindow::SkinMenuClick(std::size_t index, const std::u16string& shownCaption) {
    if (index >= skinMenu_.size()) return;
    for (auto& item : skinMenu_) item.checked = false;
    skinMenu_[index].checked = true;
    currentSkin_ = RemoveAccelerators(shownCaption).substr(0, kChoiceNameChars);
    try {
        LoadSkinSettings();
        ApplySkin();
        LoadSkinLabelStyles();
        ApplyLabelStyles();
        ports_.actions.PlaceEqSliders();
        const SkinLayout& layout = skin_.layout;
        // A skin with no speaker field leaves the speakers at their stored distances.
        double factor = layout.PreviousSpeakerRadius == 0
                            ? 1.0
                            : static_cast<double>(layout.SpeakerRadius) /
                                  static_cast<double>(layout.PreviousSpeakerRadius);
        ports_.actions.RescaleSpeakers(factor);
        SaveUserChoices();
    } catch (const WindowError& error) {
        ports_.host.ShowError(error.Text());
    }
}

void MainWindow::LanguageMenuClick(std::size_t index) {
    if (index >= languageMenu_.size()) return;
    for (auto& item : languageMenu_) item.checked = false;
    languageMenu_[index].checked = true;
    std::size_t first = index;
    for (std::size_t i = 0; i < languageMenu_.size(); ++i) {
        if (languageMenu_[i].caption == languageMenu_[index].caption) {
            first = i;
            break;
        }
    }
    currentLanguage_ = languageMap_[first];
    try {
        LoadLanguageTable();
        LoadSkinLabelStyles();
        ApplyLabelStyles();
        SaveUserChoices();
    } catch (const WindowError& error) {
        ports_.host.ShowError(error.Text());
    }
}

// ---- language and label styles ----

void MainWindow::LoadLanguageTable() {
    tonedeck::LoadLanguageTable(ports_.profiles, LanguageFile(), language_);
}

void MainWindow::LoadSkinLabelStyles() {
    tonedeck::LoadSkinLabelStyles(ports_.profiles, SkinSettingsFile(), language_);
}

double MainWindow::FontScale() { return FontScaleFactor(ports_.system.ScreenDpi(), osClass_); }

void MainWindow::StyleLabel(std::u16string_view key, std::u16string_view label, bool selected) {
    ApplyLabelStyle(language_.Entry(key), language_.global, controls_[controls_.Get(label)],
                    selected, FontScale(), &ports_.host);
}

bool MainWindow::Selected(SelectedWhen when, const PanelState& s) const {
    using S = SelectedWhen;
    const int page = CurrentPage();
    switch (when) {
        case S::Never:
            return false;
        case S::Page0:
            return page == 0;
        case S::Page1:
            return page == 1;
        case S::Page2:
            return page == 2;
        case S::Page3:
            return page == 3;
        case S::Page4:
            return page == 4;
        case S::EqEnable:
            return s.eqEnable;
        case S::D3Enable:
            return s.d3Enable;
        case S::Preset1:
            return s.currentPreset == 1;
        case S::Preset2:
            return s.currentPreset == 2;
        case S::Preset3:
            return s.currentPreset == 3;
        case S::Preset4:
            return s.currentPreset == 4;
        case S::Fbm:
            return s.fbm;
        case S::Effect1:
            return s.currentEffect == 1;
        case S::Effect2:
            return s.currentEffect == 2;
        case S::Effect3:
            return s.currentEffect == 3;
        case S::Effect4:
            return s.currentEffect == 4;
        case S::Effect5:
            return s.currentEffect == 5;
        case S::MicBoost:
            return s.micBoost;
        case S::MicMute:
            return s.micMute;
        case S::VirtualEnable:
            return s.virtualEnable;
        case S::RotateClockwise:
            return s.rotateClockwise;
        case S::RotateCounterclockwise:
            return s.rotateCounterclockwise;
    }
    return false;
}

void MainWindow::ChainPageTabs() {
    auto at = [&](std::u16string_view name) -> Control& { return controls_[controls_.Get(name)]; };
    Control& eq = at(u"PageEQLabel");
    Control& bevel2 = at(u"Bevel2");
    bevel2.left = eq.left + eq.width;
    bevel2.top = eq.top;
    Control& effect = at(u"PageEffectLabel");
    effect.left = bevel2.left + bevel2.width + 5;
    Control& bevel3 = at(u"Bevel3");
    bevel3.left = effect.left + effect.width;
    bevel3.top = bevel2.top;
    Control& mic = at(u"PageMicLabel");
    mic.left = bevel3.left + bevel3.width + 5;
    Control& bevel4 = at(u"Bevel4");
    bevel4.left = mic.left + mic.width;
    bevel4.top = bevel2.top;
    Control& virtual7p1 = at(u"PageVirtual7p1Label");
    virtual7p1.left = bevel4.left + bevel4.width + 5;
}

void MainWindow::ApplyLabelStyles() {
    const PanelState state = ports_.actions.State();
    const auto& keys = LabelKeys();
    auto style = [&](std::u16string_view key) {
        const LabelKey& entry = keys[LabelSlot(key)];
        StyleLabel(entry.key, entry.label, Selected(entry.selected, state));
    };
    for (auto key : {u"LabelMenu1", u"LabelMenu2", u"LabelMenu3", u"LabelPageEQ", u"LabelPage3D",
                     u"LabelPageEffect", u"LabelPageMic", u"LabelPageVirtual7ch1"}) {
        style(key);
    }
    ChainPageTabs();
    ApplyDeviceLabel(state.devicePresent);
    style(u"LabelSX");
    if (state.currentPreset >= 1 && state.currentPreset <= 4) {
        const std::u16string presetKey =
            u"LabelEQS" + std::u16string(1, u'0' + state.currentPreset);
        controls_[controls_.Get(u"SXLabel")].caption = language_.Entry(presetKey).caption;
    }
    for (auto key : {u"LabelSync", u"LabelSetting", u"LabelFeatures", u"LabelCompanyName"}) {
        style(key);
    }
    // The equalizer, 3D, room-effect and microphone labels, then the virtual 7.1 ones.
    for (const LabelKey& key : keys) {
        if (key.section == u"Main" || key.section == u"About") continue;
        style(key.key);
        if (key.key == u"LabelMicValue") {
            controls_[controls_.Get(u"MicValueLabel")].caption =
                Utf8ToU16(std::to_string(state.micGain));
        }
    }
}

void MainWindow::ApplyDeviceLabel(bool present) {
    StyleLabel(present ? u"LabelActive" : u"LabelUnactive", u"DeviceActiveLabel", false);
}

// ---- skin ----

void MainWindow::LoadSkinSettings() {
    tonedeck::LoadSkinSettings(ports_.profiles, SkinSettingsFile(), skin_, controls_);
}

void MainWindow::ApplySkin() {
    const PanelState state = ports_.actions.State();
    for (const SkinPicture& picture : SkinPictures()) {
        std::size_t choice = 0;
        bool on = false;
        switch (picture.flag) {
            case StateFlag::LedOn:
                on = state.ledOn;
                break;
            case StateFlag::EqEnable:
                on = state.eqEnable;
                break;
            case StateFlag::D3Enable:
                on = state.d3Enable;
                break;
            case StateFlag::Fbm:
                on = state.fbm;
                break;
            case StateFlag::MicBoost:
                on = state.micBoost;
                break;
            case StateFlag::MicMute:
                on = state.micMute;
                break;
            case StateFlag::VirtualEnable:
                on = state.virtualEnable;
                break;
            case StateFlag::RotateClockwise:
                on = state.rotateClockwise;
                break;
            case StateFlag::RotateCounterclockwise:
                on = state.rotateCounterclockwise;
                break;
            default:
                break;
        }
        switch (picture.rule) {
            case PictureRule::Always:
            case PictureRule::EmptyBar:
                choice = 0;
                break;
            case PictureRule::WhileOn:
                choice = on ? 1 : 0;
                break;
            case PictureRule::PresetIs:
                choice = state.currentPreset == picture.value ? 1 : 0;
                break;
            case PictureRule::EffectIs:
                choice = state.currentEffect == picture.value ? 1 : 0;
                break;
            case PictureRule::LinkMode: {
                int mode = picture.flag == StateFlag::AlphaLinkMode ? state.alphaLinkMode
                                                                    : state.betaLinkMode;
                choice = mode == 1 ? 1 : mode == 2 ? 2 : 0;
                break;
            }
            case PictureRule::EffectPicture:
                if (state.currentEffect < 1 || state.currentEffect > 5) continue;
                choice = static_cast<std::size_t>(state.currentEffect - 1);
                break;
        }
        SkinImageEntry& entry = skin_.Entry(picture.section, picture.keys[choice]);
        if (picture.rule == PictureRule::EmptyBar) {
            entry.width = 0;
            entry.widthGiven = true;
        }
        ApplySkinImage(entry, controls_[controls_.Get(picture.control)],
                       SkinPicturePath(entry.fileName), ports_.pictures);
    }
    WindowOutlineStep();
}

void MainWindow::StartUp() {
    BuildLanguageMenu();
    BuildSkinMenu();
    LoadLanguageTable();
    LoadSkinLabelStyles();
    ApplyLabelStyles();
    WindowOutlineStep();
    LoadSkinSettings();
    ApplySkin();
    LoadSkinLabelStyles();
    ApplyLabelStyles();
}

// ---- window outline ----

void MainWindow::WindowOutlineStep() {
    std::u16string value;
    ReadProfileStringToBuffer(ports_.profiles, U16ToAnsi(config_.AppDir + kAudioConfigFileName),
                              u"Skin", u"RegionCut", value);
    if (ParseInteger(value) == 0) return;
    LoadWindowRegion(ThroughCodePage(SkinFolder() + u"\\MainForm_Frame.rgn"));
}

void MainWindow::LoadWindowRegion(const std::u16string& path) {
    std::vector<uint8_t> bytes;
    if (ports_.files.ReadWholeFile(path, bytes) != FileReadStatus::Ok) {
        throw FileLoadError(u"Cannot open file \"" + path + u"\".");
    }
    WindowRegion region = ParseRegionFile(bytes, path);
    ports_.host.SetWindowSize(region.width, region.height);
    ports_.host.SetWindowRegion(bytes);
    const Control& background = controls_[controls_.Get(u"MainFormImage")];
    ports_.host.SetClientSize(background.pictureWidth, background.pictureHeight);
}

// ---- About ----

void MainWindow::OpenAbout() {
    if (!ports_.actions.State().devicePresent) return;
    try {
        const std::u16string title = language_.Entry(u"LabelMenu3").caption;
        ApplyLabelStyle(language_.Entry(u"LabelAbout"), language_.global,
                        about_[about_.Get(u"AboutLabel")], false, FontScale(), &ports_.host);
        const SkinImageEntry& logo = skin_.Entry(u"About", u"LogoImage");
        ApplySkinImage(logo, about_[about_.Get(u"LOGOQ7Image")], SkinPicturePath(logo.fileName),
                       ports_.pictures);
        ports_.host.ShowAboutModal(title);
    } catch (const WindowError& error) {
        ports_.host.ShowError(error.Text());
    }
}

}  // namespace tonedeck
