#pragma once
// TMainForm: the installer's wizard. The window thread calls the event handlers; the install
// worker runs InstallThread and reaches the window only through the InstallReporter.

#include <atomic>
#include <cstdint>
#include <string>

#include "common/audio_config.h"
#include "common/device_id_mgr.h"
#include "setup/device_setup.h"
#include "setup/registration.h"
#include "setup/setup_labels.h"
#include "setup/setup_ports.h"
#include "setup/system_facts.h"
#include "setup/wizard_view.h"

namespace tonedeck {

inline constexpr char16_t kExitMessageName[] = u"WM_HVN16xxAPP_EXIT";
inline constexpr char16_t kDeviceServiceName[] = u"Tonewarden";
inline constexpr uint32_t kServiceUserControl = 128;

// Step results.
inline constexpr uint32_t kStepDone = 0;
inline constexpr uint32_t kDriverKeyFailed = 0x80000101;
inline constexpr uint32_t kDriverPayloadMissing = 0x80000102;
inline constexpr uint32_t kDriverNotWritten = 0x80000103;
inline constexpr uint32_t kServicePayloadMissing = 0x80000201;
inline constexpr uint32_t kServiceNotWritten = 0x80000202;
inline constexpr uint32_t kServiceRunTooLong = 0x80000203;
inline constexpr uint32_t kServiceRunNotStarted = 0x80000204;
inline constexpr uint32_t kAppPayloadMissing = 0x80000301;
inline constexpr uint32_t kAppNotWritten = 0x80000302;
inline constexpr uint32_t kRunValueFailed = 0x80000303;
inline constexpr uint32_t kUninstallerPayloadMissing = 0x80000401;
inline constexpr uint32_t kUninstallerNotWritten = 0x80000402;
inline constexpr uint32_t kUpdateNotStarted = 0x80000601;
inline constexpr uint32_t kRegistrationRunWaitMs = 100000;

class TMainForm {
  public:
    // Construction: trace, system facts, configuration, icon and title, uninstall data. The
    // icon load may throw SetupError, which ends the program at its entry.
    TMainForm(const SetupPorts& ports, WizardView& view, InstallReporter& reporter,
              WorkerLauncher& launcher, const std::u16string& programPath, bool programIs64Bit);

    // Window-thread events.
    void FormShow(int backgroundWidth, int backgroundHeight);
    void ComboBoxChange(int selectedIndex);
    void NextBitBtnClick();
    void BackBitBtnClick();
    void FinishBitBtnClick(bool rebootChecked);
    void CancelBitBtnClick();
    void FormClose();
    // A message the worker posted (WM_SETUP_PROGRESS, WM_SETUP_FINISHED).
    void OnSetupMessage(const SetupMessage& message);

    // The worker.
    uint32_t InstallThread();
    void Install();
    uint32_t Install_FilterDriver();
    uint32_t Install_Service();
    uint32_t Install_Application();
    uint32_t Install_Uninstaller();
    uint32_t Copy_DataFiles();
    uint32_t Copy_UserManual();
    uint32_t Install_KB3033929();
    void Copy_KB3033929();

    // Language page.
    std::u16string ReadDefaultLanguage();
    void SaveDefaultLanguage(const std::u16string& language);
    int FillLanguageList(const std::u16string& current);
    void LoadSetupLabels(const std::u16string& language);
    void ApplySetupLabels();

    const AudioConfig& config() const { return config_; }
    const SystemFacts& facts() const { return facts_; }
    const UninstallData& uninstallData() const { return uninstall_; }
    const SetupLabelTable& labels() const { return labels_; }
    const std::u16string& perUserFolder() const { return perUserFolder_; }
    const std::vector<std::u16string>& languageFolders() const { return languageFolders_; }
    WizardPage page() const { return page_; }
    int InstallSucceeded() const { return installSucceeded_.load(); }

  private:
    void PostProgress(uint32_t position);
    void ShowInstallMessage(const std::u16string& text);
    bool ControlDeviceOpens();
    void MakePerUserCopy();
    void UpdateTitle();
    std::u16string AppProgramPath() const;
    std::u16string Caption(SetupLabel label) const;
    DeviceSelection UsbSelection() const;

    SetupPorts ports_;
    WizardView& view_;
    InstallReporter& reporter_;
    WorkerLauncher& launcher_;
    SystemFacts facts_;
    InstallerSystemInfo system_;  // the ports' system, with the 64-bit fact
    AudioConfig config_;
    UninstallData uninstall_;
    CDeviceIdMgr usbMatcher_;
    CDeviceIdMgr hidMatcher_;
    SetupLabelTable labels_{};
    std::vector<std::u16string> languageFolders_;  // parallel to the language list
    std::u16string perUserFolder_;
    WizardPage page_ = WizardPage::kLanguage;
    std::atomic<int> installSucceeded_{0};
};

}  // namespace tonedeck
