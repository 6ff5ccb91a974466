#pragma once
// A simulated Windows with a setup folder beside the installer, and recording stand-ins for
// the wizard's windows, for the installer's scenario tests.

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/des.h"
#include "common/text.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_device_world.h"
#include "platform/sim/sim_file_operations.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_payloads.h"
#include "platform/sim/sim_processes.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_service_manager.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system_info.h"
#include "setup/main_form.h"
#include "setup/setup_error.h"

namespace tonedeck::setup_test {

class RecordingWizardView : public WizardView {
  public:
    void LoadIcon(const std::u16string& iconPath) override {
        if (iconFails) throw SetupError(u"Cannot load " + iconPath);
        icon = iconPath;
    }
    void SetAppTitle(const std::u16string& text) override { appTitle = text; }
    void SetTitle(const std::u16string& text) override { title = text; }
    void SetCaption(WizardControl control, const std::u16string& caption) override {
        captions[control] = caption;
    }
    void SetVisible(WizardControl control, bool shown) override { visible[control] = shown; }
    void SetEnabled(WizardControl control, bool on) override { enabled[control] = on; }
    void SetLabelLook(WizardControl control, const LabelLook& look) override {
        looks[control] = look;
    }
    void Check(WizardControl radio) override { checked = radio; }
    void ShowPage(WizardPage shown) override { pages.push_back(shown); }
    void FocusNextButton() override { ++focusNext; }
    void SetLanguageItems(const std::vector<std::u16string>& names) override {
        languageItems = names;
    }
    void SelectLanguage(int index) override { selectedLanguage = index; }
    void SetProgress(int position) override { progress.push_back(position); }
    void ProcessPendingMessages() override { ++pumps; }
    void PlaceBackground(int left, int top, int width, int height) override {
        background = {left, top, width, height};
    }
    void ShowError(const std::u16string& text) override { errors.push_back(text); }
    void PostQuit() override { ++quits; }
    void PostClose() override { ++closes; }
    void CloseMainWindow() override { ++mainClosed; }

    bool iconFails = false;
    std::u16string icon, appTitle, title;
    std::map<WizardControl, std::u16string> captions;
    std::map<WizardControl, bool> visible, enabled;
    std::map<WizardControl, LabelLook> looks;
    WizardControl checked = WizardControl::kNoRebootRadioButton;
    std::vector<WizardPage> pages;
    std::vector<int> progress;
    std::vector<std::u16string> languageItems;
    int selectedLanguage = -1;
    std::vector<int> background;
    std::vector<std::u16string> errors;
    int focusNext = 0, pumps = 0, quits = 0, closes = 0, mainClosed = 0;
};

struct ShownMessage {
    std::u16string text;
    std::u16string caption;
    std::size_t postedBefore = 0;  // messages posted before the box came up
};

class RecordingReporter : public InstallReporter {
  public:
    void Post(const SetupMessage& message) override { posted.push_back(message); }
    void ShowMessage(const std::u16string& text, const std::u16string& caption) override {
        shown.push_back({text, caption, posted.size()});
        if (onMessage) onMessage();
    }
    void Beep(uint32_t frequency, uint32_t milliseconds) override {
        beeps.push_back({frequency, milliseconds});
    }

    std::vector<uint32_t> ProgressPosted() const {
        std::vector<uint32_t> values;
        for (const auto& message : posted) {
            if (message.message == kWmSetupProgress) values.push_back(message.wParam);
        }
        return values;
    }

    std::vector<SetupMessage> posted;
    std::vector<ShownMessage> shown;
    std::vector<std::pair<uint32_t, uint32_t>> beeps;
    std::function<void()> onMessage;
};

class QueuedLauncher : public WorkerLauncher {
  public:
    bool Launch(std::function<void()> work) override {
        queued.push_back(std::move(work));
        ++launches;
        return true;
    }
    std::deque<std::function<void()>> queued;
    int launches = 0;
};

inline constexpr char16_t kSetupDir[] = u"D:\\Setup\\";
inline constexpr char16_t kSetupProgram[] = u"D:\\Setup\\TonedeckSetup.exe";
inline constexpr char16_t kInstallDir[] = u"C:\\Program Files\\Tonedeck\\";
inline constexpr char16_t kPerUserConfig[] =
    u"C:\\Users\\user\\AppData\\Roaming\\Tonedeck\\AudioConfig.cfg";
inline constexpr char16_t kPrograms[] =
    u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";

inline std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

inline std::u16string U(const std::string& text) { return Utf8ToU16(text); }

struct SetupWorld {
    SimFileSystem files;
    SimFileOperations fileOps{files};
    EmulatedProfileStore profiles{files};
    SimSystemInfo system;
    SimRegistry registry;
    SimServiceManager services;
    SimClock clock;
    SimProcesses processes{files, clock};
    SimPayloads payloads;
    SimShell shell{files};
    SimDeviceWorld devices;
    RecordingWizardView view;
    RecordingReporter reporter;
    QueuedLauncher launcher;

    SetupWorld() {
        system.environment[u"APPDATA"] = u"C:\\Users\\user\\AppData\\Roaming";
        files.CreateFolder(u"C:\\Users");
        files.CreateFolder(u"C:\\Users\\user");
        files.CreateFolder(u"C:\\Users\\user\\AppData");
        files.CreateFolder(u"C:\\Users\\user\\AppData\\Roaming");
        files.CreateFolder(u"C:\\Program Files");
        files.CreateFolder(u"C:\\Windows");
        files.CreateFolder(u"C:\\Windows\\system32");
        files.CreateFolder(u"C:\\Windows\\system32\\drivers");
        files.CreateFolder(u"C:\\Windows\\SysWOW64");
        files.CreateFolder(u"C:\\ProgramData");
        files.CreateFolder(u"C:\\ProgramData\\Microsoft");
        files.CreateFolder(u"C:\\ProgramData\\Microsoft\\Windows");
        files.CreateFolder(u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu");
        files.CreateFolder(kPrograms);
        WriteSetupFolder();
        PutPayloads("v1");
        ServiceRegistersOnRun();
    }

    SetupPorts Ports() {
        return SetupPorts{files,
                          fileOps,
                          profiles,
                          system,
                          registry,
                          services,
                          processes,
                          payloads,
                          shell,
                          devices.deviceTree(),
                          devices.ioControl(),
                          clock};
    }

    std::unique_ptr<TMainForm> MakeForm(bool programIs64Bit = false) {
        return std::make_unique<TMainForm>(Ports(), view, reporter, launcher, kSetupProgram,
                                           programIs64Bit);
    }

    // The form as the program shows it: constructed and shown.
    std::unique_ptr<TMainForm> ShowForm(bool programIs64Bit = false) {
        auto form = MakeForm(programIs64Bit);
        form->FormShow(800, 600);
        return form;
    }

    // Shown, with English picked on the language page.
    std::unique_ptr<TMainForm> ShowFormInEnglish(bool programIs64Bit = false) {
        auto form = ShowForm(programIs64Bit);
        const auto& folders = form->languageFolders();
        const auto english = std::find(folders.begin(), folders.end(), u"English");
        form->ComboBoxChange(static_cast<int>(english - folders.begin()));
        return form;
    }

    // Next, the worker to its end, then the window thread takes the posted messages.
    void RunInstall(TMainForm& form) {
        form.NextBitBtnClick();
        while (!launcher.queued.empty()) {
            auto work = std::move(launcher.queued.front());
            launcher.queued.pop_front();
            work();
        }
        for (const SetupMessage& message : reporter.posted) form.OnSetupMessage(message);
    }

    void WriteSetupFolder() {
        const std::string usb = "USB\\VID_0C76&PID_16XX&REV_0100&MI_03";
        const std::string hid = "HID\\VID_0C76&PID_16XX&MI_02";
        files.PutFile(std::u16string(kSetupDir) + u"AudioConfig.cfg",
                      "[Language]\r\nLanguageFolderName=Language\r\n"
                      "[Skin]\r\nSkinFolderName=Skin\r\n"
                      "[Install]\r\nInstallAppTitle=Tonedeck Setup\r\n"
                      "InstallIconFileName=Setup.ico\r\nInstallFolderName=Tonedeck\r\n"
                      "ShortcutFolderName=Tonedeck\r\nAppShortcutName=Tonedeck\r\n"
                      "APPFileName=Tonedeck\r\nUserManualShortcutName=User Manual\r\n"
                      "BackgroundWidth=800\r\nBackgroundHeight=600\r\n"
                      "InstallBackgroundFileName=Background.bmp\r\n"
                      "[Uninstall]\r\nUninstallShortcutName=Uninstall Tonedeck\r\n"
                      "Publisher=HVN\r\nUninstallDisplayName=Tonedeck Audio\r\n"
                      "UninstallFileName=Uninstall\r\n"
                      "[MultiLanguageFolderMap]\r\nEnglish=English\r\nDeutsch=Deutsch (DE)\r\n"
                      "[USB_VID_PID]\r\nVID1=" +
                          usb + "," + MakeEntryCode(usb) +
                          "\r\n"
                          "[HID_VID_PID]\r\nHID1=" +
                          hid + "," + MakeEntryCode(hid) + "\r\n");
        files.PutFile(std::u16string(kSetupDir) + u"Setup.ico", "icon");
        files.PutFile(std::u16string(kSetupDir) + u"Language\\English\\Language.ini",
                      "[Setup]\r\nLabelBackBtn=< Back\r\nLabelNextBtn=Next >\r\n"
                      "LabelFinishBtn=Finish\r\nLabelCancelBtn=Cancel\r\n"
                      "LabelSelectLang=Select Language :\r\nLabelVersion=(null)\r\n"
                      "LabelAudioExt=Audio, 255\r\nLabelInstall=Installing...,0xFF,,Arial,12\r\n"
                      "LabelReboot=Reboot now?\r\nLabelRebootRadioBtn=Yes\r\n"
                      "LabelNoRebootRadioBtn=No\r\nLabelTitle=Tonedeck Setup\r\n"
                      "LabelWarning1=Unplug the device first.\r\n"
                      "LabelWarning2=Installation failed.\r\n"
                      "LabelWarning3=The driver did not start.\r\n"
                      "LabelWarning4=Windows needs an update.\r\n");
        files.PutFile(std::u16string(kSetupDir) + u"Language\\Deutsch\\Language.ini",
                      "[Setup]\r\nLabelNextBtn=Weiter >\r\nLabelInstall=Installiere...\r\n"
                      "LabelTitle=Tonedeck Installation\r\n");
        files.PutFile(std::u16string(kSetupDir) + u"Language\\Klingon\\Language.ini", "");
        files.PutFile(std::u16string(kSetupDir) + u"Skin\\Blue\\SkinSetting.ini", "[Skin]");
        files.PutFile(std::u16string(kSetupDir) + u"Skin\\Blue\\Pictures\\Back.png", "png");
        files.PutFile(std::u16string(kSetupDir) + u"Manual\\English\\Manual.pdf", "pdf");
    }

    void PutPayloads(const std::string& version) {
        const std::pair<const char16_t*, uint16_t> table[] = {
            {u"DRIVER", 102}, {u"DRIVER", 103},    {u"SERVICE", 105},     {u"SERVICE", 106},
            {u"APP", 107},    {u"UNINSTALL", 108}, {u"WINDOWPATCH", 110},
        };
        for (const auto& [type, id] : table) {
            payloads.Put(type, id, Bytes(U16ToUtf8(type) + std::to_string(id) + "-" + version));
        }
    }

    // Like the device service: its registration run creates the service and attaches the
    // filter to the sound devices' audio-extension interface.
    void ServiceRegistersOnRun() {
        processes.Program(u"C:\\Windows\\system32\\Tonewarden.exe").onStart =
            [this](const std::u16string&) {
                if (!services.Exists(u"Tonewarden")) services.Install(u"Tonewarden");
                attachFilter();
            };
    }
    std::function<void()> attachFilter = [] {};

    std::vector<std::u16string> TracesFrom(const std::u16string& first) const {
        std::vector<std::u16string> lines;
        bool on = false;
        for (const auto& line : system.traceLines) {
            on = on || line == first;
            if (on) lines.push_back(line);
        }
        return lines;
    }

    std::optional<std::u16string> MachineText(const std::u16string& key, const std::u16string& name,
                                              SimRegistryView view = SimRegistryView::kNative) {
        return registry.Text(RegistryRoot::kLocalMachine, view, key, name);
    }

    std::string FileText(const std::u16string& path) const {
        const auto bytes = files.FileBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
};

}  // namespace tonedeck::setup_test
