#pragma once
// The configuration record filled from AudioConfig.cfg, with the paths derived at load.

#include <string>

#include "platform/ports/profile_store.h"
#include "platform/ports/system_info.h"

namespace tonedeck {

inline constexpr char16_t kAudioConfigFileName[] = u"AudioConfig.cfg";

enum class ConfigReader { ControlPanel, Installer };

struct AudioConfig {
    std::u16string LanguageFolderName;
    std::u16string SkinFolderName;
    std::u16string InstallAppTitle;
    std::u16string InstallIconFileName;
    std::u16string InstallFolderName;
    std::u16string ShortcutFolderName;
    std::u16string AppShortcutName;
    std::u16string UninstallShortcutName;
    std::u16string Publisher;
    std::u16string UninstallDisplayName;
    std::u16string APPFileName;
    std::u16string UninstallFileName;
    std::u16string UserManualShortcutName;  // installer only

    std::u16string AppFileName;
    std::u16string AppDir;
    std::u16string ProgramFilesPath;
    std::u16string InstallFolderPath;
    std::u16string System32BitPath;
    std::u16string SystemNativePath;
};

// Splits a full program path at its last backslash: {AppFileName, AppDir}.
std::pair<std::u16string, std::u16string> SplitProgramPath(const std::u16string& programPath);

void LoadAudioConfig(const std::u16string& fileName, const std::u16string& programPath,
                     ConfigReader reader, ProfileStore& profiles, SystemInfo& system,
                     AudioConfig& config);

}  // namespace tonedeck
