#include "panel/device/driver_records.h"
#include "setup/device_setup.h"
#include "setup/main_form.h"
#include "setup/service_control.h"
#include "setup/setup_trace.h"

namespace tonedeck {

namespace {

constexpr uint32_t kBroadcastTimeoutMs = 100;
constexpr uint32_t kFinishDelayMs = 500;
constexpr uint32_t kDeviceSettleMs = 1000;

std::u16string StepCode(uint32_t step) {
    return u"(Code = " + FormatCode(0x80000000u + step) + u")";
}

}  // namespace

uint32_t TMainForm::InstallThread() {
    Install();
    ports_.clock.Sleep(kFinishDelayMs);
    reporter_.Post({kWmSetupFinished, 0});
    return 0;
}

void TMainForm::PostProgress(uint32_t position) { reporter_.Post({kWmSetupProgress, position}); }

void TMainForm::ShowInstallMessage(const std::u16string& text) {
    reporter_.ShowMessage(text, kInstallCaption);
}

DeviceSelection TMainForm::UsbSelection() const {
    return DeviceSelection{kMediaClassGuid, kExtensionHardwareIdPattern, usbMatcher_};
}

bool TMainForm::ControlDeviceOpens() {
    const DeviceHandle handle = ports_.io.Open(kDriverControlDevicePath);
    if (!handle) return false;
    ports_.io.Close(handle);
    return true;
}

void TMainForm::Install() {
    TraceMethod(system_, u"TMainForm::Install");
    ports_.processes.BroadcastRegisteredMessage(kExitMessageName, kBroadcastTimeoutMs);

    ControlDeviceService(ports_.services, ports_.clock, kDeviceServiceName, kServiceStartRequest);
    ControlDeviceService(ports_.services, ports_.clock, kDeviceServiceName, kServiceUserControl);
    ControlDeviceService(ports_.services, ports_.clock, kDeviceServiceName, kServiceStopRequest);

    ResetDevicesForInstall(ports_.devices, UsbSelection(), kFilterDriverName);

    if (ControlDeviceOpens()) {
        ShowInstallMessage(Caption(SetupLabel::kWarning1));
        return;
    }
    PostProgress(1);

    const std::u16string failureText = Caption(SetupLabel::kWarning2);
    using Step = uint32_t (TMainForm::*)();
    constexpr Step kSteps[] = {&TMainForm::Install_FilterDriver, &TMainForm::Install_Service,
                               &TMainForm::Install_Application, &TMainForm::Install_Uninstaller,
                               &TMainForm::Copy_DataFiles};
    uint32_t step = 1;
    for (const Step run : kSteps) {
        system_.Trace(u"===== Install STEP" +
                      std::u16string(1, static_cast<char16_t>(u'0' + step)) + u" =====\n");
        if ((this->*run)() != kStepDone) {
            ShowInstallMessage(failureText + StepCode(step));
            return;
        }
        ++step;
    }

    system_.Trace(u"===== Install STEP6 =====\n");
    Copy_UserManual();

    system_.Trace(u"===== Install STEP7 =====\n");
    ports_.clock.Sleep(kDeviceSettleMs);
    RestartMatchingDevices(ports_.devices, UsbSelection());
    if (FindMatchingDevice(ports_.devices, UsbSelection()) == 1 && !ControlDeviceOpens()) {
        ShowInstallMessage(Caption(SetupLabel::kWarning3));
    }

    system_.Trace(u"===== Install STEP8 =====\n");
    if (Install_KB3033929() != kStepDone) {
        ShowInstallMessage(failureText + StepCode(6));
        return;
    }

    installSucceeded_.store(1);
    PostProgress(100);
    reporter_.Beep(500, 100);
}

}  // namespace tonedeck
