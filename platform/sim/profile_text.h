#pragma once
// The text of one private-profile file, decoded as Windows decodes it, and where a section or
// key lives in it. Offsets are in characters of `text`; each maps to one fixed byte position,
// so an edit can be spliced into the original bytes without touching the rest.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tonedeck {

enum class ProfileEncoding { Ansi, Utf16Le };

struct ProfileText {
    ProfileEncoding encoding = ProfileEncoding::Ansi;
    std::u16string text;

    static ProfileText Decode(const std::vector<uint8_t>& bytes);
    // Byte position in the original file of character `offset` of `text`.
    std::size_t ByteOffset(std::size_t offset) const;
    std::vector<uint8_t> Encode(std::u16string_view piece) const;
    // The line break the file already uses, CR LF when it has none.
    std::u16string LineBreak() const;
};

// Names compare after trimming blanks, folding case in ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic.
bool ProfileNamesEqual(std::u16string_view a, std::u16string_view b);

struct ProfileLine {
    std::size_t begin = 0;  // first character
    std::size_t end = 0;    // one past the last character before the line break
    std::size_t next = 0;   // start of the following line
};

struct ProfileKeyMatch {
    ProfileLine line;
    bool hasEquals = false;
    std::size_t valueBegin = 0;  // just after the "=" (when hasEquals)
    std::u16string_view value;   // trimmed, still quoted
};

struct ProfileSectionMatch {
    ProfileLine header;
    // End of the section's last non-blank line (header included), with its line break.
    ProfileLine lastFilled;
    std::optional<ProfileKeyMatch> key;
};

// The first section named `section` and the first line in it whose key is `key`.
std::optional<ProfileSectionMatch> FindProfileEntry(std::u16string_view text,
                                                    std::u16string_view section,
                                                    std::u16string_view key);

// A value as the reader hands it out: one pair of matching quotes removed.
std::u16string_view UnquoteProfileValue(std::u16string_view trimmedValue);

}  // namespace tonedeck
