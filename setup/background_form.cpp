#include "setup/background_form.h"

#include "common/audio_config.h"
#include "common/profile_io.h"
#include "setup/setup_error.h"
#include "setup/setup_trace.h"

namespace tonedeck {

int LeadingInteger(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > INT32_MAX) value = INT32_MAX;  // keeps a long digit run from overflowing
    }
    return static_cast<int>(negative ? -value : value);
}

TBackgroundForm::TBackgroundForm(ProfileStore& profiles, SystemInfo& system,
                                 const std::u16string& programPath, int screenWidth,
                                 int screenHeight)
    : profiles_(profiles), system_(system) {
    system_.Trace(u"\n");
    TraceMethod(system_, u"TBackgroundForm::TBackgroundForm");
    setupDir_ = SplitProgramPath(programPath).second;

    const std::u16string file = setupDir_ + kAudioConfigFileName;
    std::u16string width;
    std::u16string height;
    ReadProfileString(profiles_, file, u"Install", u"BackgroundWidth", width);
    ReadProfileString(profiles_, file, u"Install", u"BackgroundHeight", height);
    placement_.width = LeadingInteger(width);
    placement_.height = LeadingInteger(height);
    // A negative size would give an invisible window: it counts as unset, like 0.
    if (placement_.width <= 0 || placement_.height <= 0) {
        placement_ = {0, 0, screenWidth, screenHeight, true};
    }
}

void TBackgroundForm::FormShow(BackgroundView& view) {
    TraceMethod(system_, u"TBackgroundForm::FormShow");
    std::u16string image;
    ReadProfileString(profiles_, setupDir_ + kAudioConfigFileName, u"Install",
                      u"InstallBackgroundFileName", image);
    try {
        view.LoadImage(setupDir_ + image);
    } catch (const SetupError& error) {
        // Reported, and the wizard still comes: a bare background would leave no way on.
        view.ShowError(error.text());
    }
    view.ShowWizard();
}

}  // namespace tonedeck
