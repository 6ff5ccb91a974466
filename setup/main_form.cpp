#include "setup/main_form.h"

#include "common/profile_io.h"
#include "setup/language_list.h"
#include "setup/payload_files.h"
#include "setup/setup_error.h"
#include "setup/setup_trace.h"

namespace tonedeck {

namespace {

SystemFacts StartUp(const SetupPorts& ports, bool programIs64Bit) {
    ports.system.Trace(u"\n");
    TraceMethod(ports.system, u"TMainForm::TMainForm");
    return TakeSystemFacts(ports.system, ports.payloads, programIs64Bit);
}

std::u16string Quoted(const std::u16string& path) { return u"\"" + path + u"\""; }

struct LabelBinding {
    SetupLabel label;
    WizardControl control;
};

constexpr LabelBinding kCaptionOnly[] = {
    {SetupLabel::kBackBtn, WizardControl::kBackBitBtn},
    {SetupLabel::kNextBtn, WizardControl::kNextBitBtn},
    {SetupLabel::kFinishBtn, WizardControl::kFinishBitBtn},
    {SetupLabel::kCancelBtn, WizardControl::kCancelBitBtn},
    {SetupLabel::kRebootRadioBtn, WizardControl::kRebootRadioButton},
    {SetupLabel::kNoRebootRadioBtn, WizardControl::kNoRebootRadioButton},
};

constexpr LabelBinding kLabels[] = {
    {SetupLabel::kSelectLang, WizardControl::kSelectLangLabel},
    {SetupLabel::kVersion, WizardControl::kVersionLabel},
    {SetupLabel::kAudioExt, WizardControl::kAudioExtLabel},
    {SetupLabel::kInstall, WizardControl::kInstallLabel},
    {SetupLabel::kReboot, WizardControl::kRebootLabel},
};

}  // namespace

TMainForm::TMainForm(const SetupPorts& ports, WizardView& view, InstallReporter& reporter,
                     WorkerLauncher& launcher, const std::u16string& programPath,
                     bool programIs64Bit)
    : ports_(ports),
      view_(view),
      reporter_(reporter),
      launcher_(launcher),
      facts_(StartUp(ports, programIs64Bit)),
      system_(ports.system, facts_.is64BitWindows),
      usbMatcher_(ports.files),
      hidMatcher_(ports.files) {
    LoadAudioConfig(kAudioConfigFileName, programPath, ConfigReader::Installer, ports_.profiles,
                    system_, config_);

    view_.LoadIcon(config_.AppDir + config_.InstallIconFileName);
    view_.SetAppTitle(config_.InstallAppTitle);

    // Quoted, so a path with spaces cannot name another program.
    const std::u16string uninstaller =
        config_.InstallFolderPath + config_.UninstallFileName + u".exe";
    uninstall_ = {config_.UninstallDisplayName, Quoted(uninstaller), Quoted(uninstaller),
                  facts_.setupVersion, config_.Publisher};

    const std::u16string appData = ports_.system.Environment(u"APPDATA").value_or(u"");
    perUserFolder_ = appData + u"\\" + config_.InstallFolderName + u"\\";
}

std::u16string TMainForm::Caption(SetupLabel label) const {
    return labels_[static_cast<std::size_t>(label)].caption;
}

void TMainForm::FormShow(int backgroundWidth, int backgroundHeight) {
    TraceMethod(system_, u"TMainForm::FormShow");
    view_.PlaceBackground(0, 0, backgroundWidth, backgroundHeight);

    const std::u16string configFile = config_.AppDir + kAudioConfigFileName;
    if (usbMatcher_.LoadGroup(configFile, kUsbGroupSection) != kGroupLoaded) {
        view_.PostQuit();
        return;
    }
    ExportDeviceIdGroup(ports_.registry, usbMatcher_, kUsbGroupName);
    if (hidMatcher_.LoadGroup(configFile, kHidGroupSection) != kGroupLoaded) {
        view_.PostQuit();
        return;
    }
    ExportDeviceIdGroup(ports_.registry, hidMatcher_, kHidGroupName);

    page_ = WizardPage::kLanguage;
    view_.ShowPage(page_);
    view_.FocusNextButton();
    MakePerUserCopy();

    try {
        const std::u16string current = ReadDefaultLanguage();
        FillLanguageList(current);
        LoadSetupLabels(current);
        ApplySetupLabels();
    } catch (const SetupError& error) {
        view_.ShowError(error.text());
    }
}

// The per-user copy is made only when there is none, so the user's stored choices survive a
// second installation.
void TMainForm::MakePerUserCopy() {
    if (ports_.files.FileExists(perUserFolder_ + kAudioConfigFileName)) return;
    ports_.files.CreateFolder(perUserFolder_);
    const std::u16string copy = perUserFolder_ + kAudioConfigFileName;
    CopyOneFile(ports_.fileOps, config_.AppDir + kAudioConfigFileName, copy);
    ports_.fileOps.SetNormalAttributes(copy);
}

std::u16string TMainForm::ReadDefaultLanguage() {
    return ports_.profiles.GetString(perUserFolder_ + kAudioConfigFileName, u"Language",
                                     u"DefaultLanguage", u"", kProfileBufferChars);
}

void TMainForm::SaveDefaultLanguage(const std::u16string& language) {
    WriteProfileString(ports_.profiles, perUserFolder_ + kAudioConfigFileName, u"Language",
                       u"DefaultLanguage", language);
}

int TMainForm::FillLanguageList(const std::u16string& current) {
    view_.SelectLanguage(-1);
    const LanguageList list = BuildLanguageList(ports_.files, ports_.profiles, config_.AppDir,
                                                config_.LanguageFolderName, current);
    languageFolders_ = list.folderNames;
    view_.SetLanguageItems(list.displayNames);
    if (list.selected >= 0) view_.SelectLanguage(list.selected);
    return static_cast<int>(list.displayNames.size());
}

void TMainForm::LoadSetupLabels(const std::u16string& language) {
    const std::u16string ini =
        config_.AppDir + config_.LanguageFolderName + u"\\" + language + u"\\Language.ini";
    LoadSetupLabelEntries(ports_.profiles, ini, labels_);
    UpdateTitle();
}

void TMainForm::UpdateTitle() {
    view_.SetTitle(Caption(SetupLabel::kTitle) + u" (V" + facts_.setupVersion + u")");
}

void TMainForm::ApplySetupLabels() {
    for (const LabelBinding& binding : kCaptionOnly) {
        view_.SetCaption(binding.control, Caption(binding.label));
    }
    for (const LabelBinding& binding : kLabels) {
        const SetupLabelEntry& entry = labels_[static_cast<std::size_t>(binding.label)];
        const bool hidden = entry.caption.empty() || entry.caption == u"(null)";
        view_.SetVisible(binding.control, !hidden);
        if (!hidden) view_.SetCaption(binding.control, entry.caption);
        view_.SetLabelLook(binding.control,
                           LabelLook{entry.upColor, entry.fontName, entry.fontSize, entry.left,
                                     entry.top, entry.width, entry.height});
    }
    UpdateTitle();
}

void TMainForm::ComboBoxChange(int selectedIndex) {
    if (selectedIndex < 0 || static_cast<std::size_t>(selectedIndex) >= languageFolders_.size()) {
        return;
    }
    const std::u16string language = languageFolders_[static_cast<std::size_t>(selectedIndex)];
    try {
        LoadSetupLabels(language);
        ApplySetupLabels();
        SaveDefaultLanguage(language);
    } catch (const SetupError& error) {
        view_.ShowError(error.text());
    }
}

void TMainForm::NextBitBtnClick() {
    if (page_ != WizardPage::kLanguage) return;
    page_ = WizardPage::kInstall;
    view_.ShowPage(page_);
    view_.SetEnabled(WizardControl::kBackBitBtn, false);
    view_.SetEnabled(WizardControl::kNextBitBtn, false);
    launcher_.Launch([this] { InstallThread(); });
}

void TMainForm::BackBitBtnClick() {
    if (page_ == WizardPage::kLanguage) return;
    page_ = page_ == WizardPage::kFinish ? WizardPage::kInstall : WizardPage::kLanguage;
    view_.ShowPage(page_);
    view_.SetEnabled(WizardControl::kBackBitBtn, false);
    view_.SetEnabled(WizardControl::kNextBitBtn, true);
}

void TMainForm::OnSetupMessage(const SetupMessage& message) {
    if (message.message == kWmSetupProgress) {
        view_.SetProgress(static_cast<int>(message.wParam));
        view_.ProcessPendingMessages();
        return;
    }
    if (message.message != kWmSetupFinished) return;
    page_ = WizardPage::kFinish;
    view_.ShowPage(page_);
    if (installSucceeded_.load() == 1) view_.Check(WizardControl::kRebootRadioButton);
    view_.SetEnabled(WizardControl::kBackBitBtn, false);
    view_.SetEnabled(WizardControl::kNextBitBtn, false);
    view_.SetEnabled(WizardControl::kCancelBitBtn, false);
    view_.SetEnabled(WizardControl::kFinishBitBtn, true);
    view_.SetVisible(WizardControl::kNextBitBtn, false);
    view_.SetVisible(WizardControl::kCancelBitBtn, false);
}

std::u16string TMainForm::AppProgramPath() const {
    return config_.InstallFolderPath + config_.APPFileName + u".exe";
}

void TMainForm::FinishBitBtnClick(bool rebootChecked) {
    if (rebootChecked) {
        ports_.processes.RequestReboot();
    } else {
        ProcessHandle process;
        ports_.processes.ShellOpen(AppProgramPath(), process);
        if (process) ports_.processes.Close(process);
    }
    view_.PostClose();
}

void TMainForm::CancelBitBtnClick() { view_.PostClose(); }

void TMainForm::FormClose() { view_.CloseMainWindow(); }

}  // namespace tonedeck
