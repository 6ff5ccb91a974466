#pragma once
// Every INI access except the device-ID groups goes through these three wrappers.

#include <string>

#include "platform/ports/profile_store.h"

namespace tonedeck {

inline constexpr std::size_t kProfileValueChars = 1024;  // ReadProfileString's buffer
inline constexpr std::size_t kProfileBufferChars = 256;  // ReadProfileStringToBuffer's buffer

// 0 and `value` set when the key has a non-empty value; 1 and `value` untouched otherwise.
int ReadProfileString(ProfileStore& store, const std::u16string& file, const std::u16string& section,
                      const std::u16string& key, std::u16string& value);

// The control panel's reader: the file name is 8-bit text in the system code page, the value is
// cut at 255 characters and a missing key reads as empty text. Always 0.
int ReadProfileStringToBuffer(ProfileStore& store, const std::string& ansiFile,
                              const std::u16string& section, const std::u16string& key,
                              std::u16string& value);

// The installer's writer: 0 on success, 1 on failure.
int WriteProfileString(ProfileStore& store, const std::u16string& file,
                       const std::u16string& section, const std::u16string& key,
                       const std::u16string& value);
// The control panel's writer: 8-bit file name; always 0 (failures are silent there).
int WriteProfileString(ProfileStore& store, const std::string& ansiFile,
                       const std::u16string& section, const std::u16string& key,
                       const std::u16string& value);

}  // namespace tonedeck
