#include "common/audio_config.h"

#include <tuple>

#include "common/profile_io.h"
#include "common/system_helpers.h"

namespace tonedeck {

namespace {

// Trace lines are formatted into 256 wide characters.
constexpr std::size_t kTraceLineChars = 256;

void TraceInfo(SystemInfo& system, const std::u16string& format, const std::u16string& value) {
    std::u16string line = format;
    line.replace(line.find(u"%s"), 2, value);
    if (line.size() > kTraceLineChars - 1) line.resize(kTraceLineChars - 1);
    system.Trace(line);
}

std::u16string WithBackslash(std::u16string path) {
    if (path.empty() || path.back() != u'\\') path += u'\\';
    return path;
}

}  // namespace

std::pair<std::u16string, std::u16string> SplitProgramPath(const std::u16string& programPath) {
    auto slash = programPath.rfind(u'\\');
    if (slash == std::u16string::npos) return {programPath, std::u16string()};
    return {programPath.substr(slash + 1), programPath.substr(0, slash + 1)};
}

void LoadAudioConfig(const std::u16string& fileName, const std::u16string& programPath,
                     ConfigReader reader, ProfileStore& profiles, SystemInfo& system,
                     AudioConfig& config) {
    std::tie(config.AppFileName, config.AppDir) = SplitProgramPath(programPath);
    if (reader == ConfigReader::Installer) {
        TraceInfo(system, u"##### SourceAppFileName = %s\n", config.AppFileName);
        TraceInfo(system, u"##### SourceFolderFullPath = %s\n", config.AppDir);
    }

    const std::u16string file = config.AppDir + fileName;
    struct Key {
        const char16_t* section;
        const char16_t* name;
        std::u16string AudioConfig::*field;
    };
    const Key keysBeforeManual[] = {
        {u"Language", u"LanguageFolderName", &AudioConfig::LanguageFolderName},
        {u"Skin", u"SkinFolderName", &AudioConfig::SkinFolderName},
        {u"Install", u"InstallAppTitle", &AudioConfig::InstallAppTitle},
        {u"Install", u"InstallIconFileName", &AudioConfig::InstallIconFileName},
        {u"Install", u"InstallFolderName", &AudioConfig::InstallFolderName},
        {u"Install", u"ShortcutFolderName", &AudioConfig::ShortcutFolderName},
        {u"Install", u"AppShortcutName", &AudioConfig::AppShortcutName},
        {u"Uninstall", u"UninstallShortcutName", &AudioConfig::UninstallShortcutName},
        {u"Uninstall", u"Publisher", &AudioConfig::Publisher},
        {u"Uninstall", u"UninstallDisplayName", &AudioConfig::UninstallDisplayName},
        {u"Install", u"APPFileName", &AudioConfig::APPFileName},
    };
    const Key manualKey = {u"Install", u"UserManualShortcutName",
                           &AudioConfig::UserManualShortcutName};
    const Key lastKey = {u"Uninstall", u"UninstallFileName", &AudioConfig::UninstallFileName};

    auto read = [&](const Key& key) {
        ReadProfileString(profiles, file, key.section, key.name, config.*key.field);
    };
    for (const auto& key : keysBeforeManual) read(key);
    if (reader == ConfigReader::Installer) read(manualKey);
    read(lastKey);

    config.ProgramFilesPath = WithBackslash(system.KnownFolderPath(KnownFolder::ProgramFiles, false));
    config.InstallFolderPath = config.ProgramFilesPath + config.InstallFolderName + u"\\";

    const bool wow64 = system.IsWow64().value_or(false);
    config.System32BitPath =
        system.KnownFolderPath(wow64 ? KnownFolder::SystemX86 : KnownFolder::System, true) + u"\\";

    void* previousState = nullptr;
    if (wow64) DisableFsRedirection(system, &previousState);
    config.SystemNativePath = system.SystemDirectory() + u"\\";
    if (wow64) RevertFsRedirection(system, previousState);
}

}  // namespace tonedeck
