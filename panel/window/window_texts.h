#pragma once
// The texts the main window keeps from the configuration, cut to the fields that hold them.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/audio_config.h"
#include "platform/ports/profile_store.h"

namespace tonedeck {

// Field sizes in wide characters, the terminating zero included.
inline constexpr std::size_t kTitleFieldChars = 32;
inline constexpr std::size_t kTrayHintFieldChars = 32;
inline constexpr std::size_t kInstallFolderFieldChars = 128;

// At most fieldChars - 1 characters of `text`.
std::u16string FitField(std::u16string_view text, std::size_t fieldChars);

// The application title: window caption, single-instance name, message-box caption.
std::u16string ApplicationTitle(const AudioConfig& config);
// Names the per-user folder.
std::u16string InstallFolderNameField(const AudioConfig& config);
// The icon file named by the configuration, in the program folder.
std::u16string ProgramIconPath(const AudioConfig& config);
// Key HintName of section TrayIconHint in the program folder's configuration file.
std::u16string ReadTrayHint(ProfileStore& profiles, const AudioConfig& config);

}  // namespace tonedeck
