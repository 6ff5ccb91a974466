#include "platform/sim/emulated_profile_store.h"

#include <algorithm>

#include "common/text.h"
#include "platform/sim/profile_text.h"

namespace tonedeck {

namespace {

std::u16string_view TrimTrailingBlanks(std::u16string_view text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
    return text;
}

std::u16string_view TrimTrailingSpaces(std::u16string_view text) {
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    return text;
}

std::u16string_view TrimLeadingBlanks(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    return text;
}

std::u16string CutToBuffer(std::u16string_view text, std::size_t bufferChars) {
    return std::u16string(text.substr(0, bufferChars - 1));
}

// Replaces characters [from, to) of the decoded text by `piece`, keeping all other bytes.
std::vector<uint8_t> Splice(const std::vector<uint8_t>& bytes, const ProfileText& decoded,
                            std::size_t from, std::size_t to, std::u16string_view piece) {
    std::size_t fromByte = std::min(decoded.ByteOffset(from), bytes.size());
    std::size_t toByte = std::min(decoded.ByteOffset(to), bytes.size());
    std::vector<uint8_t> out(bytes.begin(), bytes.begin() + fromByte);
    auto encoded = decoded.Encode(piece);
    out.insert(out.end(), encoded.begin(), encoded.end());
    out.insert(out.end(), bytes.begin() + toByte, bytes.end());
    return out;
}

}  // namespace

std::u16string EmulatedProfileStore::GetString(const std::u16string& file,
                                               const std::u16string& section,
                                               const std::u16string& key,
                                               const std::u16string& defaultValue,
                                               std::size_t bufferChars) {
    if (bufferChars == 0) return {};
    std::vector<uint8_t> bytes;
    if (files_.ReadWholeFile(file, bytes) == FileReadStatus::Ok) {
        auto decoded = ProfileText::Decode(bytes);
        auto entry = FindProfileEntry(decoded.text, section, key);
        // A key line without "=" has no value: the default stands in for it.
        if (entry && entry->key && entry->key->hasEquals) {
            return CutToBuffer(UnquoteProfileValue(entry->key->value), bufferChars);
        }
    }
    // The default is handed out as given, less its trailing spaces (tabs stay).
    return CutToBuffer(TrimTrailingSpaces(defaultValue), bufferChars);
}

bool EmulatedProfileStore::WriteString(const std::u16string& file, const std::u16string& section,
                                       const std::u16string& key, const std::u16string& value) {
    std::vector<uint8_t> bytes;
    auto status = files_.ReadWholeFile(file, bytes);
    if (status != FileReadStatus::Ok) {
        // Only a file that is not there starts empty; one that cannot be read is left alone.
        if (status != FileReadStatus::OpenFailed || files_.FileExists(file)) return false;
        bytes.clear();
    }
    auto decoded = ProfileText::Decode(bytes);
    const std::u16string& text = decoded.text;
    const std::u16string lineBreak = decoded.LineBreak();
    auto written = TrimLeadingBlanks(value);
    auto entry = FindProfileEntry(text, section, key);

    std::vector<uint8_t> result;
    if (entry && entry->key) {
        const auto& found = *entry->key;
        if (found.hasEquals) {
            result = Splice(bytes, decoded, found.valueBegin, found.line.end, written);
        } else {
            auto name = TrimTrailingBlanks(std::u16string_view(text).substr(
                found.line.begin, found.line.end - found.line.begin));
            std::size_t nameEnd = found.line.begin + name.size();
            result =
                Splice(bytes, decoded, nameEnd, found.line.end, u"=" + std::u16string(written));
        }
    } else {
        std::u16string piece;
        std::size_t at = text.size();
        if (entry) {
            at = entry->lastFilled.next;
        } else {
            piece = u"[" + section + u"]" + lineBreak;
        }
        bool lineOpen = at > 0 && text[at - 1] != u'\n' && text[at - 1] != u'\r';
        if (lineOpen) piece.insert(0, lineBreak);
        piece += key + u"=" + std::u16string(written) + lineBreak;
        result = Splice(bytes, decoded, at, at, piece);
    }
    return files_.WriteWholeFile(file, result);
}

}  // namespace tonedeck
