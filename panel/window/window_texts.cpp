#include "panel/window/window_texts.h"

#include "common/profile_io.h"
#include "common/text.h"

namespace tonedeck {

std::u16string FitField(std::u16string_view text, std::size_t fieldChars) {
    if (fieldChars == 0) return std::u16string();
    return std::u16string(text.substr(0, fieldChars - 1));
}

std::u16string ApplicationTitle(const AudioConfig& config) {
    return FitField(config.InstallAppTitle, kTitleFieldChars);
}

std::u16string InstallFolderNameField(const AudioConfig& config) {
    return FitField(config.InstallFolderName, kInstallFolderFieldChars);
}

std::u16string ProgramIconPath(const AudioConfig& config) {
    return config.AppDir + config.InstallIconFileName;
}

std::u16string ReadTrayHint(ProfileStore& profiles, const AudioConfig& config) {
    std::u16string hint;
    ReadProfileStringToBuffer(profiles, U16ToAnsi(config.AppDir + kAudioConfigFileName),
                              u"TrayIconHint", u"HintName", hint);
    return FitField(hint, kTrayHintFieldChars);
}

}  // namespace tonedeck
