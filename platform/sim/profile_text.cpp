#include "platform/sim/profile_text.h"

#include "common/text.h"

namespace tonedeck {

namespace {

constexpr std::size_t kBomBytes = 2;

// Upper case of the letters the simulated Windows folds in names.
char16_t FoldCase(char16_t c) {
    if (c < 0x80) return (c >= u'a' && c <= u'z') ? char16_t(c - 0x20) : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return char16_t(c - 0x20);
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A: pairs, the upper case first, except in the two odd-first runs.
        bool oddFirst = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        bool isLower = oddFirst ? (c % 2 == 0) : (c % 2 == 1);
        return isLower ? char16_t(c - 1) : c;
    }
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return char16_t(c - 0x20);
    if (c == 0x3C2) return 0x3A3;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return char16_t(c - 0x25);
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return char16_t(c - 0x3F);
    if (c >= 0x430 && c <= 0x44F) return char16_t(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return char16_t(c - 0x50);
    return c;
}

bool IsBlankLine(std::u16string_view content) { return TrimBlanks(content).empty(); }

// The lines of `text`; CR, LF and CR LF each end a line.
template <typename Visit>
void ForEachLine(std::u16string_view text, Visit visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        ProfileLine line;
        line.begin = pos;
        while (pos < text.size() && text[pos] != u'\r' && text[pos] != u'\n') ++pos;
        line.end = pos;
        if (pos < text.size()) {
            pos += (text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n') ? 2 : 1;
        }
        line.next = pos;
        if (!visit(line)) return;
    }
}

// The name inside "[...]" when the line is a section header.
std::optional<std::u16string_view> SectionName(std::u16string_view content) {
    content = TrimBlanks(content);
    if (content.empty() || content.front() != u'[') return std::nullopt;
    // The name runs to the last "]"; without one the line is no header at all.
    auto close = content.rfind(u']');
    if (close == std::u16string_view::npos) return std::nullopt;
    return TrimBlanks(content.substr(1, close - 1));
}

}  // namespace

ProfileText ProfileText::Decode(const std::vector<uint8_t>& bytes) {
    ProfileText result;
    if (bytes.size() >= kBomBytes && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        result.encoding = ProfileEncoding::Utf16Le;
        for (std::size_t i = kBomBytes; i + 1 < bytes.size(); i += 2) {
            result.text.push_back(char16_t(bytes[i] | (bytes[i + 1] << 8)));
        }
    } else {
        result.text =
            AnsiToU16(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    return result;
}

std::size_t ProfileText::ByteOffset(std::size_t offset) const {
    return encoding == ProfileEncoding::Utf16Le ? kBomBytes + 2 * offset : offset;
}

std::vector<uint8_t> ProfileText::Encode(std::u16string_view piece) const {
    std::vector<uint8_t> out;
    if (encoding == ProfileEncoding::Utf16Le) {
        for (char16_t c : piece) {
            out.push_back(uint8_t(c & 0xFF));
            out.push_back(uint8_t(c >> 8));
        }
    } else {
        std::string ansi = U16ToAnsi(piece);
        out.assign(ansi.begin(), ansi.end());
    }
    return out;
}

std::u16string ProfileText::LineBreak() const {
    auto pos = text.find_first_of(u"\r\n");
    if (pos == std::u16string::npos) return u"\r\n";
    if (text[pos] == u'\n') return u"\n";
    return (pos + 1 < text.size() && text[pos + 1] == u'\n') ? u"\r\n" : u"\r";
}

bool ProfileNamesEqual(std::u16string_view a, std::u16string_view b) {
    a = TrimBlanks(a);
    b = TrimBlanks(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

std::optional<ProfileSectionMatch> FindProfileEntry(std::u16string_view text,
                                                    std::u16string_view section,
                                                    std::u16string_view key) {
    std::optional<ProfileSectionMatch> match;
    ForEachLine(text, [&](const ProfileLine& line) {
        auto content = text.substr(line.begin, line.end - line.begin);
        if (auto name = SectionName(content)) {
            if (match) return false;  // a later section of the same name is never looked at
            if (ProfileNamesEqual(*name, section)) match = ProfileSectionMatch{line, line, {}};
            return true;
        }
        if (!match || IsBlankLine(content)) return true;
        match->lastFilled = line;
        if (match->key) return true;
        auto equals = content.find(u'=');
        if (!ProfileNamesEqual(content.substr(0, equals), key)) return true;
        ProfileKeyMatch found{line, equals != std::u16string_view::npos, 0, {}};
        if (found.hasEquals) {
            found.valueBegin = line.begin + equals + 1;
            found.value = TrimBlanks(content.substr(equals + 1));
        }
        match->key = found;
        return true;
    });
    return match;
}

std::u16string_view UnquoteProfileValue(std::u16string_view trimmedValue) {
    if (trimmedValue.size() >= 2 &&
        (trimmedValue.front() == u'"' || trimmedValue.front() == u'\'') &&
        trimmedValue.back() == trimmedValue.front()) {
        return trimmedValue.substr(1, trimmedValue.size() - 2);
    }
    return trimmedValue;
}

}  // namespace tonedeck
