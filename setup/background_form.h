#pragma once
// TBackgroundForm: the picture window behind the wizard, the application's main window.

#include <string>

#include "platform/ports/profile_store.h"
#include "platform/ports/system_info.h"
#include "setup/wizard_view.h"

namespace tonedeck {

struct BackgroundPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool fullScreen = false;
};

// A C-library conversion: leading blanks, an optional sign, decimal digits up to the first
// other character; no digits give 0.
int LeadingInteger(std::u16string_view text);

class TBackgroundForm {
  public:
    TBackgroundForm(ProfileStore& profiles, SystemInfo& system, const std::u16string& programPath,
                    int screenWidth, int screenHeight);

    // Loads the configured picture and shows the wizard; a picture that cannot be loaded is
    // reported first.
    void FormShow(BackgroundView& view);

    const BackgroundPlacement& placement() const { return placement_; }
    const std::u16string& setupDir() const { return setupDir_; }

  private:
    ProfileStore& profiles_;
    SystemInfo& system_;
    std::u16string setupDir_;
    BackgroundPlacement placement_;
};

}  // namespace tonedeck
