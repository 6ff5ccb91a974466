#pragma once
// The Save and Load profile dialogs: the system's file dialogs with the INI filter.

#include <windows.h>

#include <optional>
#include <string>

#include "panel/settings/sound_profiles.h"

namespace tonedeck {

class ProfileFileDialogs : public ProfileDialogs {
  public:
    explicit ProfileFileDialogs(HWND owner) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    // The chosen path, or nothing when the user cancels. `initialFolder` may be empty.
    std::optional<std::u16string> RunSaveDialog(const std::u16string& initialFolder) override;
    std::optional<std::u16string> RunOpenDialog(const std::u16string& initialFolder) override;

  private:
    HWND owner_;
};

}  // namespace tonedeck
