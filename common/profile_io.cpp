#include "common/profile_io.h"

#include <optional>

#include "common/text.h"

namespace tonedeck {

namespace {

// The control panel converts 8-bit file names into 256 wide characters. A name that does not fit
// names no file we could reach, so it is refused rather than cut to some other path.
std::optional<std::u16string> WideFileName(const std::string& ansiFile) {
    auto wide = AnsiToU16(ansiFile);
    if (wide.size() >= kProfileBufferChars) return std::nullopt;
    return wide;
}

}  // namespace

int ReadProfileString(ProfileStore& store, const std::u16string& file,
                      const std::u16string& section, const std::u16string& key,
                      std::u16string& value) {
    auto read = store.GetString(file, section, key, u"", kProfileValueChars);
    if (read.empty()) return 1;
    value = std::move(read);
    return 0;
}

int ReadProfileStringToBuffer(ProfileStore& store, const std::string& ansiFile,
                              const std::u16string& section, const std::u16string& key,
                              std::u16string& value) {
    auto file = WideFileName(ansiFile);
    value = file ? store.GetString(*file, section, key, u"", kProfileBufferChars) : u"";
    return 0;
}

int WriteProfileString(ProfileStore& store, const std::u16string& file,
                       const std::u16string& section, const std::u16string& key,
                       const std::u16string& value) {
    return store.WriteString(file, section, key, value) ? 0 : 1;
}

int WriteProfileString(ProfileStore& store, const std::string& ansiFile,
                       const std::u16string& section, const std::u16string& key,
                       const std::u16string& value) {
    if (auto file = WideFileName(ansiFile)) store.WriteString(*file, section, key, value);
    return 0;
}

}  // namespace tonedeck
