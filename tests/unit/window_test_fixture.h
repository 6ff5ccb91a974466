#pragma once
// A simulated installation for the window tests: program folder, skins, languages, per-user
// choices, and recording stand-ins for the Win32 side and the settings pages.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/audio_config.h"
#include "common/text.h"
#include "panel/window/main_window.h"
#include "panel/window/skin_keys.h"
#include "panel/window/window_errors.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_system_info.h"

namespace tonedeck::testing_window {

inline std::vector<uint8_t> Png(uint32_t width, uint32_t height) {
    std::vector<uint8_t> b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    auto be32 = [&](uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<uint8_t>(v >> shift));
    };
    auto chunk = [&](const char* type, std::vector<uint8_t> data) {
        be32(static_cast<uint32_t>(data.size()));
        b.insert(b.end(), type, type + 4);
        b.insert(b.end(), data.begin(), data.end());
        be32(0);  // CRC: not checked by the header reader
    };
    std::vector<uint8_t> header;
    for (uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8)
            header.push_back(static_cast<uint8_t>(v >> shift));
    }
    header.insert(header.end(), {8, 6, 0, 0, 0});
    chunk("IHDR", header);
    chunk("IDAT", {0x78, 0x9C, 0x03, 0x00});
    chunk("IEND", {});
    return b;
}

inline std::vector<uint8_t> Region(int32_t right, int32_t bottom, uint32_t count,
                                   uint32_t rectsWritten) {
    std::vector<uint8_t> b;
    auto le32 = [&](uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<uint8_t>(v >> shift));
    };
    le32(32);
    le32(1);
    le32(count);
    le32(count * 16);
    le32(0);
    le32(0);
    le32(static_cast<uint32_t>(right));
    le32(static_cast<uint32_t>(bottom));
    for (uint32_t i = 0; i < rectsWritten; ++i) {
        le32(0);
        le32(i);
        le32(static_cast<uint32_t>(right));
        le32(i + 1);
    }
    return b;
}

struct Call {
    std::string what;
    int a = 0;
    int b = 0;
};

class RecordingHost : public WindowHost {
  public:
    void ShowError(const std::u16string& text) override { errors.push_back(text); }
    void ShowWarning(const std::u16string& text) override { warnings.push_back(text); }
    void ProcessPendingMessages() override { ++pumps; }
    void HideToTray() override { calls.push_back({"HideToTray"}); }
    void Minimize() override { calls.push_back({"Minimize"}); }
    void ShowAboutModal(const std::u16string& title) override { aboutTitles.push_back(title); }
    void SetWindowSize(int w, int h) override { calls.push_back({"SetWindowSize", w, h}); }
    void SetWindowRegion(const std::vector<uint8_t>& data) override {
        calls.push_back({"SetWindowRegion", static_cast<int>(data.size())});
    }
    void SetClientSize(int w, int h) override { calls.push_back({"SetClientSize", w, h}); }
    TextSize MeasureText(const std::u16string& text, const Font&) override {
        return {static_cast<int>(text.size()) * 7, 13};
    }

    std::vector<std::u16string> errors;
    std::vector<std::u16string> warnings;
    std::vector<std::u16string> aboutTitles;
    std::vector<Call> calls;
    int pumps = 0;
};

// Keeps the state the way the settings pages would and records what was asked.
class RecordingActions : public PageActions {
  public:
    PanelState State() const override { return state; }
    void SetSwitch(int tag, bool on) override {
        switch (tag) {
            case 7:
                state.eqEnable = on;
                break;
            case 8:
                state.d3Enable = on;
                break;
            case 13:
                state.fbm = on;
                break;
            case 21:
                state.micBoost = on;
                break;
            case 22:
                state.micMute = on;
                break;
            case 47:
                state.virtualEnable = on;
                break;
            case 49:
                state.rotateClockwise = on;
                break;
            case 50:
                state.rotateCounterclockwise = on;
                break;
            case 51:
                state.ledOn = on;
                break;
        }
        calls.push_back({"SetSwitch", tag, on});
    }
    void SelectPreset(int preset) override {
        state.currentPreset = preset;
        calls.push_back({"SelectPreset", preset});
    }
    void SelectEffect(int effect) override {
        state.currentEffect = effect;
        calls.push_back({"SelectEffect", effect});
    }
    void SetLinkMode(int tag, int mode) override {
        (tag == 14 ? state.alphaLinkMode : state.betaLinkMode) = mode;
        calls.push_back({"SetLinkMode", tag, mode});
    }
    void SetSyncToDevice(bool on, int page) override {
        state.syncToDevice = on;
        calls.push_back({"SetSyncToDevice", on, page});
    }
    void ResetClicked(int tag) override { calls.push_back({"ResetClicked", tag}); }
    void SaveProfile() override { calls.push_back({"SaveProfile"}); }
    void LoadProfile() override { calls.push_back({"LoadProfile"}); }
    void PageShown(int page) override { calls.push_back({"PageShown", page}); }
    void StartLevelCapture() override { calls.push_back({"StartLevelCapture"}); }
    void StopLevelCapture() override { calls.push_back({"StopLevelCapture"}); }
    void BarPressed(int page, ControlId, Point p) override {
        calls.push_back({"BarPressed", page, p.y});
    }
    void DragMoved(int page, ControlId control, int left, int top) override {
        calls.push_back({"DragMoved", left, top});
        lastDragged = control;
        lastDragPage = page;
    }
    void PlaceEqSliders() override { calls.push_back({"PlaceEqSliders"}); }
    void RescaleSpeakers(double factor) override { rescaleFactors.push_back(factor); }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& call : calls) names.push_back(call.what);
        return names;
    }

    PanelState state;
    std::vector<Call> calls;
    std::vector<double> rescaleFactors;
    ControlId lastDragged = 0;
    int lastDragPage = -1;
};

inline const std::u16string kAppDir = u"C:\\Program Files\\Tonedeck\\";
inline const std::u16string kUserFile =
    u"C:\\Users\\user\\AppData\\Roaming\\Tonedeck\\AudioConfig.cfg";

struct SkinSpec {
    std::string name;
    std::string prefix;  // picture files are <prefix><key>.png
    int eqTop = 40;
    int eqRange = 100;
    int micTop = 93;
    int micRange = 120;
    int radius = 80;
    std::map<std::string, std::string> overrides;  // key -> raw value (empty: key left out)
    std::string mainLable;                         // extra lines for [MainLable]
};

class WindowWorld {
  public:
    WindowWorld() {
        config.AppDir = kAppDir;
        config.SkinFolderName = u"Skin";
        config.LanguageFolderName = u"Language";
        config.InstallFolderName = u"Tonedeck";
        files.PutFile(kAppDir + u"AudioConfig.cfg",
                      "[Skin]\r\nRegionCut=0\r\n[MultiLanguageFolderMap]\r\nEnglish=English\r\n"
                      "deutsch=Deutsch\r\n");
        files.PutFile(kUserFile,
                      "[Language]\r\nDefaultLanguage=English\r\n[Skin]\r\nDefaultSkin=Blue\r\n");
        actions.state.devicePresent = true;
        actions.state.syncToDevice = true;
    }

    void AddSkin(const SkinSpec& skin) {
        std::string ini;
        std::string section;
        const std::u16string folder = kAppDir + u"Skin\\" + Utf8ToU16(skin.name) + u"\\";
        for (const SkinKey& key : SkinKeys()) {
            std::string sectionName = U16ToUtf8(key.section);
            if (sectionName != section) {
                ini += "[" + sectionName + "]\r\n";
                section = sectionName;
            }
            std::string keyName = U16ToUtf8(key.key);
            std::string value;
            switch (key.kind) {
                case SkinKeyKind::Image: {
                    std::string file = skin.prefix + keyName + ".png";
                    value = file;
                    files.PutFile(folder + Utf8ToU16(file), Png(30, 20));
                    files.PutFile(folder + u"3D\\" + Utf8ToU16(file), Png(30, 20));
                    break;
                }
                case SkinKeyKind::BackNotebook:
                    value = "20,112,760,336";
                    break;
                case SkinKeyKind::PanelSize:
                    value = "760,336";
                    break;
                case SkinKeyKind::EqSlider:
                    value = std::to_string(skin.eqTop) + "," + std::to_string(skin.eqRange);
                    break;
                case SkinKeyKind::MicSlider:
                    value = std::to_string(skin.micTop) + "," + std::to_string(skin.micRange);
                    break;
                case SkinKeyKind::MicProgressLength:
                    value = "300";
                    break;
                case SkinKeyKind::VirtualCenter:
                    value = "168,147," + std::to_string(skin.radius);
                    break;
            }
            if (auto found = skin.overrides.find(keyName); found != skin.overrides.end()) {
                value = found->second;
            }
            if (!value.empty()) ini += keyName + "=" + value + "\r\n";
        }
        ini += "[MainLable]\r\n" + skin.mainLable;
        files.PutFile(folder + u"SkinSetting.ini", ini);
        files.PutFile(folder + u"MainForm_Frame.rgn", Region(400, 300, 2, 2));
    }

    void AddLanguage(const std::string& name, const std::string& tag,
                     const std::string& extra = {}) {
        std::string ini =
            "[GlobalFont]\r\nColorUp=0x00FFFFFF\r\nColorDown=0x000000FF\r\n"
            "Font=Arial\r\nFontSize=9\r\n";
        // One section each: the profile functions read only the first of a name.
        for (const char* section : {"Main", "EQ", "3D", "Effect", "Mic", "Virtual7ch1", "About"}) {
            ini += std::string("[") + section + "]\r\n";
            for (const LabelKey& key : LabelKeys()) {
                if (U16ToUtf8(key.section) != section) continue;
                ini += U16ToUtf8(key.key) + "=" + tag + " " + U16ToUtf8(key.key) + "\r\n";
            }
        }
        ini += extra;
        files.PutFile(kAppDir + u"Language\\" + Utf8ToU16(name) + u"\\Language.ini", ini);
    }

    MainWindow& Window() {
        if (!window) {
            window = std::make_unique<MainWindow>(
                WindowPorts{profiles, files, system, pictures, host, actions}, config, 6);
        }
        return *window;
    }

    ControlId Id(std::u16string_view name) { return Window().Controls().Get(name); }
    Control& At(std::u16string_view name) { return Window().Controls()[Id(name)]; }
    std::string PictureOf(std::u16string_view name) {
        auto path = U16ToUtf8(At(name).picture);
        return path.substr(path.rfind('\\') + 1);
    }

    SimFileSystem files;
    EmulatedProfileStore profiles{files};
    SimSystemInfo system;
    FilePictureSource pictures{files};
    RecordingHost host;
    RecordingActions actions;
    AudioConfig config;
    std::unique_ptr<MainWindow> window;
};

}  // namespace tonedeck::testing_window
