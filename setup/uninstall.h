#pragma once
// The uninstaller's work: everything the installer placed and registered goes again, in the
// reverse order of installing; the user's own folder under APPDATA stays.

#include <string>
#include <vector>

#include "platform/ports/clock.h"
#include "platform/ports/file_removal.h"
#include "platform/ports/file_system.h"
#include "platform/ports/processes.h"
#include "platform/ports/profile_store.h"
#include "platform/ports/registry.h"
#include "platform/ports/service_manager.h"
#include "platform/ports/shell.h"
#include "platform/ports/system_info.h"

namespace tonedeck {

struct UninstallPorts {
    FileSystem& files;
    FileRemoval& removal;
    ProfileStore& profiles;
    SystemInfo& system;
    Registry& registry;
    ServiceManager& services;
    Processes& processes;
    Shell& shell;
    Clock& clock;
};

enum class UninstallResult {
    kRemoved,          // everything is gone
    kRemovedAtReboot,  // some files were in use; they go at the next start of Windows
    kIncomplete,       // some files could not be removed at all
    kNotInstalled,     // no usable AudioConfig.cfg beside the uninstaller: nothing was touched
};

struct UninstallOutcome {
    UninstallResult result = UninstallResult::kNotInstalled;
    std::vector<std::u16string> atReboot;
    std::vector<std::u16string> left;
};

// How long a file held by a program that is just ending is tried again.
inline constexpr int kRemoveAttempts = 20;
inline constexpr uint32_t kRemoveRetryMs = 250;

// `uninstallerPath` is the installed uninstaller's path: its folder holds the configuration
// the installer copied, which names everything to remove.
UninstallOutcome RunUninstall(const UninstallPorts& ports, const std::u16string& uninstallerPath,
                              bool programIs64Bit);

}  // namespace tonedeck
