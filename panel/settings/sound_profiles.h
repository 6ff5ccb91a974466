#pragma once
// Where sound profiles live and how the Save and Load buttons and the last-profile file reach
// them: folders, dialogs, the ".ini" rule and the remembered path in `LastINI`/`Path`.

#include <optional>
#include <string>

#include "panel/settings/settings_controller.h"
#include "platform/ports/file_system.h"
#include "platform/ports/profile_store.h"
#include "platform/ports/system_info.h"

namespace tonedeck {

inline constexpr char16_t kProfileDialogFilter[] = u"INI (*.ini)|*.ini";
inline constexpr char16_t kLastProfileFileName[] = u"LastProfile.ini";

// The file dialogs, window side, both with the filter `kProfileDialogFilter`. Each returns the
// chosen full path, or nullopt on cancel.
class ProfileDialogs {
  public:
    virtual ~ProfileDialogs() = default;
    virtual std::optional<std::u16string> RunSaveDialog(const std::u16string& initialFolder) = 0;
    virtual std::optional<std::u16string> RunOpenDialog(const std::u16string& initialFolder) = 0;
};

// A saved name gets ".ini" unless it holds that text somewhere already (case matters).
std::u16string WithProfileExtension(const std::u16string& name);

class SoundProfiles {
  public:
    struct Ports {
        ProfileStore& profiles;
        FileSystem& files;
        SystemInfo& system;
        ProfileDialogs& dialogs;
    };
    // `appDir` ends with a backslash; `installFolderName` names the per-user folders.
    SoundProfiles(SettingsController& controller, Ports ports, std::u16string appDir,
                  std::u16string installFolderName);

    // "LastProfile.ini" in the per-user folder, read when it exists. Number errors leave as
    // InvalidIntegerError with what came before applied.
    void LoadLastProfile();
    // The per-user folder is created first; write failures are silent.
    void SaveLastProfile();
    // The Save and Load buttons (on release). Both do nothing when the device does not open;
    // a number error in the loaded file leaves as InvalidIntegerError.
    void SaveButton();
    void LoadButton();

    std::u16string LastProfilePath() const;
    // The folder the dialogs start in when nothing better is known: USERPROFILE\<install name>.
    std::u16string DialogFolder() const;
    // `LastINI`/`Path` of AudioConfig.cfg in the program folder.
    std::u16string LastSavedPath() const;

  private:
    std::u16string UserDataFolder() const;
    std::u16string EnvironmentFolder(const char16_t* variable) const;
    bool DeviceOpens();

    SettingsController& controller_;
    Ports ports_;
    std::u16string appDir_;
    std::u16string installFolderName_;
};

}  // namespace tonedeck
