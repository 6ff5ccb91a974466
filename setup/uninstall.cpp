#include "setup/uninstall.h"

#include "common/audio_config.h"
#include "common/text.h"
#include "setup/device_setup.h"
#include "setup/main_form.h"
#include "setup/payload_files.h"
#include "setup/redirection_off.h"
#include "setup/registration.h"
#include "setup/service_control.h"
#include "setup/system_facts.h"
#include "setup/update_package.h"

namespace tonedeck {

namespace {

constexpr char16_t kUninstallParentKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char16_t kUninstallEntryName[] = u"HVN16xxAudioExt";

// A folder name from the configuration that stays inside the folder it is joined to.
bool IsPlainRelativeName(const std::u16string& name) {
    if (name.empty() || name.front() == u'\\' || name.find(u':') != std::u16string::npos) {
        return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find(u'\\', start), name.size());
        const std::u16string part = name.substr(start, end - start);
        if (part.empty() || part == u"." || part == u"..") return false;
        start = end + 1;
    }
    return true;
}

std::u16string LastComponent(const std::u16string& name) {
    const auto slash = name.rfind(u'\\');
    return slash == std::u16string::npos ? name : name.substr(slash + 1);
}

class Remover {
  public:
    Remover(const UninstallPorts& ports, UninstallOutcome& outcome)
        : ports_(ports), outcome_(outcome) {}

    // A file that a just-ending program still holds is tried again for a while, then left to
    // the next start of Windows.
    void File(const std::u16string& path) {
        if (!ports_.files.FileExists(path)) return;
        for (int attempt = 1; attempt <= kRemoveAttempts; ++attempt) {
            if (ports_.removal.RemoveFile(path)) {
                Trace(u"##### Remove = " + path + u"\n");
                return;
            }
            if (attempt < kRemoveAttempts) ports_.clock.Sleep(kRemoveRetryMs);
        }
        Leave(path);
    }

    // A link to a folder goes as a link: only a real folder is entered.
    void Tree(const std::u16string& folder) {
        if (!ports_.files.DirectoryExists(folder)) return;
        if (ports_.removal.RemoveFolder(folder)) {
            Trace(u"##### Remove = " + folder + u"\n");
            return;
        }
        for (const FolderEntry& entry : ports_.files.ListFolder(folder)) {
            const std::u16string path = JoinPath(folder, entry.name);
            if (entry.isDirectory) {
                Tree(path);
            } else if (ports_.removal.RemoveFile(path)) {
                Trace(u"##### Remove = " + path + u"\n");
            } else {
                Leave(path);
            }
        }
        EmptyFolder(folder);
    }

    // Goes only when nothing is left in it; what the user put there stays.
    void EmptyFolder(const std::u16string& folder) {
        if (!ports_.files.DirectoryExists(folder)) return;
        if (ports_.removal.RemoveFolder(folder)) {
            Trace(u"##### Remove = " + folder + u"\n");
        } else if (HasLeftovers(folder)) {
            // Files of ours that go at reboot: the folder follows them.
            if (ports_.removal.RemoveAtReboot(folder)) outcome_.atReboot.push_back(folder);
        }
    }

  private:
    bool HasLeftovers(const std::u16string& folder) const {
        const std::u16string prefix = AsciiUpper(JoinPath(folder, u""));
        for (const auto& path : outcome_.atReboot) {
            if (AsciiUpper(path).starts_with(prefix)) return true;
        }
        return false;
    }

    void Leave(const std::u16string& path) {
        if (ports_.removal.RemoveAtReboot(path)) {
            Trace(u"##### Remove at reboot = " + path + u"\n");
            outcome_.atReboot.push_back(path);
        } else {
            Trace(u"***** Remove FAIL! " + path + u" *****\n");
            outcome_.left.push_back(path);
        }
    }

    void Trace(const std::u16string& line) { ports_.system.Trace(line); }

    const UninstallPorts& ports_;
    UninstallOutcome& outcome_;
};

void DeleteSubtree(Registry& registry, const std::u16string& parent, const std::u16string& name) {
    const RegistryKey key = registry.OpenKey(RegistryRoot::kLocalMachine, parent, kKeyAllAccess);
    if (!key) return;
    registry.DeleteTree(key, name);
    registry.CloseKey(key);
}

// The Run value goes only when it still starts our program.
void DeleteRunValue(Registry& registry, const std::u16string& valueName,
                    const std::u16string& program) {
    const RegistryKey key =
        registry.OpenKey(RegistryRoot::kLocalMachine, kRunKey, kKeyRead | kKeySetValue);
    if (!key) return;
    const auto value = registry.QueryValue(key, valueName);
    if (value && AsciiUpper(RegistryStringText(value->data))
                     .starts_with(AsciiUpper(u"\"" + program + u"\""))) {
        registry.DeleteValue(key, valueName);
    }
    registry.CloseKey(key);
}

void DeleteDeviceService(ServiceManager& services, Clock& clock) {
    ControlDeviceService(services, clock, kDeviceServiceName, kServiceStopRequest);
    const ServiceHandle manager = services.OpenManager(kScManagerAllAccess);
    if (!manager) return;
    const ServiceHandle service =
        services.OpenService(manager, kDeviceServiceName, kServiceAllAccess);
    if (service) {
        services.Delete(service);
        services.Close(service);
    }
    services.Close(manager);
}

bool UsableConfig(const AudioConfig& config) {
    return !config.ProgramFilesPath.empty() && IsPlainRelativeName(config.InstallFolderName) &&
           !config.APPFileName.empty() && !config.UninstallFileName.empty() &&
           !config.SystemNativePath.empty();
}

}  // namespace

UninstallOutcome RunUninstall(const UninstallPorts& ports, const std::u16string& uninstallerPath,
                              bool programIs64Bit) {
    UninstallOutcome outcome;
    ports.system.Trace(u"==> Uninstall\n");
    const bool is64BitWindows = Is64BitWindows(ports.system, programIs64Bit);
    InstallerSystemInfo system(ports.system, is64BitWindows);

    const std::u16string folder = SplitProgramPath(uninstallerPath).second;
    if (!ports.files.FileExists(folder + kAudioConfigFileName)) return outcome;
    AudioConfig config;
    LoadAudioConfig(kAudioConfigFileName, uninstallerPath, ConfigReader::Installer, ports.profiles,
                    system, config);
    if (!UsableConfig(config)) return outcome;

    const std::u16string& install = config.InstallFolderPath;
    const std::u16string program = install + config.APPFileName + u".exe";

    ports.processes.BroadcastRegisteredMessage(kExitMessageName, 100);
    DeleteDeviceService(ports.services, ports.clock);

    DeleteRunValue(ports.registry, config.APPFileName, program);
    DeleteSubtree(ports.registry, kUninstallParentKey, kUninstallEntryName);
    DeleteSubtree(ports.registry, kDriverServicesKey, kFilterDriverName);
    DeleteSubtree(ports.registry, u"SOFTWARE", kUsbGroupName);
    DeleteSubtree(ports.registry, u"SOFTWARE", kHidGroupName);

    Remover remove(ports, outcome);
    {
        RedirectionOff redirection(system, is64BitWindows);
        remove.File(config.SystemNativePath + kDeviceServiceName + u".exe");
        remove.File(config.SystemNativePath + u"drivers\\" + kFilterDriverName + u".sys");
    }
    if (!config.System32BitPath.empty())
        remove.File(config.System32BitPath + kUpdatePackageFileName);

    remove.File(program);
    remove.File(install + config.UninstallFileName + u".exe");
    remove.File(install + kAudioConfigFileName);
    if (!config.InstallIconFileName.empty()) remove.File(install + config.InstallIconFileName);
    for (const std::u16string& tree : {config.SkinFolderName, config.LanguageFolderName}) {
        if (IsPlainRelativeName(tree)) remove.Tree(install + LastComponent(tree));
    }
    remove.Tree(install + u"Manual");
    remove.EmptyFolder(install.substr(0, install.size() - 1));

    const std::u16string programs = ports.shell.CommonProgramsFolder();
    if (!programs.empty()) {
        const bool ownFolder = IsPlainRelativeName(config.ShortcutFolderName);
        const std::u16string links =
            ownFolder ? JoinPath(programs, config.ShortcutFolderName) : programs;
        for (const std::u16string& name : {config.AppShortcutName, config.UninstallShortcutName,
                                           config.UserManualShortcutName}) {
            if (!name.empty()) remove.File(JoinPath(links, name + u".lnk"));
        }
        if (ownFolder) remove.EmptyFolder(links);
    }

    outcome.result = !outcome.left.empty()       ? UninstallResult::kIncomplete
                     : !outcome.atReboot.empty() ? UninstallResult::kRemovedAtReboot
                                                 : UninstallResult::kRemoved;
    return outcome;
}

}  // namespace tonedeck
