#include "panel/settings/sound_profiles.h"

#include "common/audio_config.h"
#include "common/profile_io.h"
#include "common/text.h"

namespace tonedeck {

namespace {

constexpr char16_t kLastIniSection[] = u"LastINI";
constexpr char16_t kLastIniKey[] = u"Path";

}  // namespace

std::u16string WithProfileExtension(const std::u16string& name) {
    return name.find(u".ini") == std::u16string::npos ? name + u".ini" : name;
}

SoundProfiles::SoundProfiles(SettingsController& controller, Ports ports, std::u16string appDir,
                             std::u16string installFolderName)
    : controller_(controller),
      ports_(ports),
      appDir_(std::move(appDir)),
      installFolderName_(std::move(installFolderName)) {}

std::u16string SoundProfiles::EnvironmentFolder(const char16_t* variable) const {
    return ports_.system.Environment(variable).value_or(u"") + u"\\" + installFolderName_;
}

std::u16string SoundProfiles::UserDataFolder() const { return EnvironmentFolder(u"APPDATA"); }

std::u16string SoundProfiles::DialogFolder() const { return EnvironmentFolder(u"USERPROFILE"); }

std::u16string SoundProfiles::LastProfilePath() const {
    return UserDataFolder() + u"\\" + kLastProfileFileName;
}

std::u16string SoundProfiles::LastSavedPath() const {
    std::u16string path;
    ReadProfileStringToBuffer(ports_.profiles, U16ToAnsi(appDir_ + kAudioConfigFileName),
                              kLastIniSection, kLastIniKey, path);
    return path;
}

bool SoundProfiles::DeviceOpens() {
    SettingsDevice& device = controller_.device();
    const DeviceHandle handle = device.Open();
    if (!handle) return false;
    device.Close(handle);
    return true;
}

void SoundProfiles::LoadLastProfile() {
    const std::u16string path = LastProfilePath();
    if (!ports_.files.FileExists(path)) return;
    controller_.ReadProfile(ports_.profiles, U16ToAnsi(path));
}

void SoundProfiles::SaveLastProfile() {
    ports_.files.CreateFolder(UserDataFolder());
    controller_.WriteProfile(ports_.profiles, U16ToAnsi(LastProfilePath()));
}

void SoundProfiles::SaveButton() {
    if (!DeviceOpens()) return;
    const std::u16string folder = DialogFolder();
    ports_.files.CreateFolder(folder);
    const auto chosen = ports_.dialogs.RunSaveDialog(folder);
    if (!chosen) return;
    const std::u16string name = WithProfileExtension(*chosen);
    controller_.WriteProfile(ports_.profiles, U16ToAnsi(name));
    WriteProfileString(ports_.profiles, U16ToAnsi(appDir_ + kAudioConfigFileName), kLastIniSection,
                       kLastIniKey, name);
}

void SoundProfiles::LoadButton() {
    if (!DeviceOpens()) return;
    std::u16string folder;
    const std::u16string last = LastSavedPath();
    const std::size_t slash = last.rfind(u'\\');
    if (!last.empty() && slash != std::u16string::npos) {
        folder = last.substr(0, slash);
    } else {
        folder = DialogFolder();
        if (!ports_.files.DirectoryExists(folder)) ports_.files.CreateFolder(folder);
    }
    const auto chosen = ports_.dialogs.RunOpenDialog(folder);
    if (!chosen) return;
    controller_.ReadProfile(ports_.profiles, U16ToAnsi(*chosen));
}

}  // namespace tonedeck
