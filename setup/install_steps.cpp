#include "common/profile_io.h"
#include "common/system_helpers.h"
#include "setup/device_setup.h"
#include "setup/main_form.h"
#include "setup/payload_files.h"
#include "setup/redirection_off.h"
#include "setup/service_control.h"
#include "setup/setup_trace.h"
#include "setup/update_package.h"

namespace tonedeck {

namespace {

constexpr uint16_t kDriver32Id = 102;
constexpr uint16_t kDriver64Id = 103;
constexpr uint16_t kService32Id = 105;
constexpr uint16_t kService64Id = 106;
constexpr uint16_t kAppId = 107;
constexpr uint16_t kUninstallerId = 108;
constexpr uint16_t kWindowPatchId = 110;

}  // namespace

uint32_t TMainForm::Install_FilterDriver() {
    TraceMethod(system_, u"TMainForm::Install_FilterDriver");
    if (CreateDriverServiceKey(ports_.registry, kFilterDriverName) != 0) return kDriverKeyFailed;
    PostProgress(10);

    RedirectionOff redirection(system_, facts_.is64BitWindows);
    const auto driver =
        LockPayload(ports_.payloads, u"DRIVER", facts_.is64BitWindows ? kDriver64Id : kDriver32Id);
    if (!driver) return kDriverPayloadMissing;
    const std::u16string path =
        config_.SystemNativePath + u"drivers\\" + kFilterDriverName + u".sys";
    if (WriteBufferToFile(ports_.files, path, *driver) != 0) return kDriverNotWritten;
    redirection.Revert();
    PostProgress(20);
    return kStepDone;
}

uint32_t TMainForm::Install_Service() {
    ControlDeviceService(ports_.services, ports_.clock, kDeviceServiceName, kServiceStopRequest);
    ports_.processes.BroadcastRegisteredMessage(kExitMessageName, 100);
    PostProgress(30);

    RedirectionOff redirection(system_, facts_.is64BitWindows);
    const auto service = LockPayload(ports_.payloads, u"SERVICE",
                                     facts_.is64BitWindows ? kService64Id : kService32Id);
    if (!service) return kServicePayloadMissing;
    const std::u16string program = config_.SystemNativePath + kDeviceServiceName + u".exe";
    // The service stopped a moment ago: its process may not have let go of the file yet.
    if (WriteProgramFile(ports_.files, ports_.clock, program, *service) != 0) {
        return kServiceNotWritten;
    }
    PostProgress(40);

    // The program is named on its own and quoted in the command line, so a path with spaces
    // cannot start something else.
    const ProcessHandle run =
        ports_.processes.Create(program, u"\"" + program + u"\" /Service", kHighPriorityClass);
    if (!run) return kServiceRunNotStarted;
    const WaitOutcome outcome = ports_.processes.Wait(run, kRegistrationRunWaitMs);
    ports_.processes.Close(run);
    if (outcome != WaitOutcome::kEnded) return kServiceRunTooLong;
    redirection.Revert();
    PostProgress(50);

    ControlDeviceService(ports_.services, ports_.clock, kDeviceServiceName, kServiceStartRequest);
    PostProgress(60);
    return kStepDone;
}

uint32_t TMainForm::Install_Application() {
    const auto app = LockPayload(ports_.payloads, u"APP", kAppId);
    if (!app) return kAppPayloadMissing;
    ports_.files.CreateFolder(config_.InstallFolderPath);
    const std::u16string program = AppProgramPath();
    // A control panel asked to close in step 2 may still be ending and holding its file.
    if (WriteProgramFile(ports_.files, ports_.clock, program, *app) != 0) return kAppNotWritten;
    if (SetRunAtLogon(ports_.registry, config_.APPFileName, u"\"" + program + u"\" -start") != 0) {
        return kRunValueFailed;
    }
    CreateShortcut(ports_.shell, ports_.files, system_, config_.ShortcutFolderName, program,
                   config_.AppShortcutName);
    PostProgress(70);
    return kStepDone;
}

uint32_t TMainForm::Install_Uninstaller() {
    const auto uninstaller = LockPayload(ports_.payloads, u"UNINSTALL", kUninstallerId);
    if (!uninstaller) return kUninstallerPayloadMissing;
    const std::u16string program = config_.InstallFolderPath + config_.UninstallFileName + u".exe";
    if (WriteBufferToFile(ports_.files, program, *uninstaller) != 0) return kUninstallerNotWritten;
    CreateShortcut(ports_.shell, ports_.files, system_, config_.ShortcutFolderName, program,
                   config_.UninstallShortcutName);
    WriteUninstallEntry(ports_.registry, uninstall_);
    PostProgress(80);
    return kStepDone;
}

uint32_t TMainForm::Copy_DataFiles() {
    const std::u16string& setup = config_.AppDir;
    const std::u16string& target = config_.InstallFolderPath;
    CopyFolderTree(ports_.files, ports_.fileOps, system_, setup + config_.SkinFolderName + u"\\",
                   target);
    ports_.fileOps.SetNormalAttributes(target);
    CopyFolderTree(ports_.files, ports_.fileOps, system_,
                   setup + config_.LanguageFolderName + u"\\", target);
    ports_.fileOps.SetNormalAttributes(target);
    for (const std::u16string& name :
         {std::u16string(kAudioConfigFileName), config_.InstallIconFileName}) {
        CopyOneFile(ports_.fileOps, setup + name, target + name);
        ports_.fileOps.SetNormalAttributes(target + name);
    }
    Copy_KB3033929();
    PostProgress(90);
    return kStepDone;
}

uint32_t TMainForm::Copy_UserManual() {
    const std::u16string language = ReadDefaultLanguage();
    const std::u16string source = config_.AppDir + u"Manual\\" + language + u"\\";
    const std::u16string target = config_.InstallFolderPath + u"Manual\\";
    std::u16string firstFile;
    if (FindFirstPlainFile(ports_.files, source, firstFile) == 0) return kStepDone;
    ports_.files.CreateFolder(target);
    CopyFolderTree(ports_.files, ports_.fileOps, system_, source, target);
    ports_.fileOps.SetNormalAttributes(target);
    CreateShortcut(ports_.shell, ports_.files, system_, config_.ShortcutFolderName,
                   target + language + u"\\" + firstFile, config_.UserManualShortcutName);
    return kStepDone;
}

void TMainForm::Copy_KB3033929() {
    constexpr char16_t kMethod[] = u"TMainForm::Copy_KB3033929";
    TraceMethod(system_, kMethod);
    const auto package = LockPayload(ports_.payloads, u"WindowPatch", kWindowPatchId);
    if (!package) {
        TraceFailure(system_, kMethod, 0x10000701);
        return;
    }
    const std::u16string path = config_.System32BitPath + kUpdatePackageFileName;
    if (WriteBufferToFile(ports_.files, path, *package) != 0) {
        TraceFailure(system_, kMethod, 0x10000702);
        return;
    }
    ports_.fileOps.SetNormalAttributes(path);
}

uint32_t TMainForm::Install_KB3033929() {
    if (!facts_.is64BitWindows) {
        system_.Trace(u"##### The OS is 32-Bit #####\n");
        return kStepDone;
    }
    if (!facts_.isWindows7) {
        system_.Trace(u"##### The OS is not Win7 #####\n");
        return kStepDone;
    }
    if (facts_.servicePackMajor == 0) {
        system_.Trace(u"##### The OS is Win7, but not install the service pack! #####\n");
        return kStepDone;
    }
    if (IsUpdatePackageInstalled(ports_.registry, kUpdateName)) return kStepDone;

    system_.Trace(u"***** Service pack KDB3033929 not EXIST! *****\n");
    const std::u16string warning = Caption(SetupLabel::kWarning4);
    if (!warning.empty()) ShowInstallMessage(warning);
    if (RunAndWait(ports_.processes, ports_.clock, config_.System32BitPath + kUpdatePackageFileName,
                   -1) == 1) {
        TraceFailure(system_, u"TMainForm::Install_KB3033929", kUpdateNotStarted);
        return kUpdateNotStarted;
    }
    return kStepDone;
}

}  // namespace tonedeck
