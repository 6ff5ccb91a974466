#include "common/device_id_mgr.h"

#include <array>
#include <cstdint>

#include "common/des.h"
#include "common/text.h"

namespace tonedeck {

namespace {

std::u16string TrimSpaces(std::u16string_view text) { return std::u16string(TrimChar(text, u' ')); }

// The plain bytes up to the first zero byte, each byte one character.
std::u16string WidenPlain(const uint8_t* plain, std::size_t length) {
    std::u16string text;
    for (std::size_t i = 0; i < length && plain[i] != 0; ++i) text.push_back(plain[i]);
    return text;
}

}  // namespace

EntryCheck AuthenticateEntry(std::u16string_view entry,
                             const std::map<std::u16string, std::u16string>& accepted) {
    EntryCheck check;
    auto comma = entry.find(u',');
    if (comma == std::u16string_view::npos) {
        check.verdict = EntryVerdict::kNoComma;
        return check;
    }
    check.pattern = TrimSpaces(entry.substr(0, comma));
    check.code = TrimSpaces(entry.substr(comma + 1));
    if (check.pattern.empty()) {
        check.verdict = EntryVerdict::kEmptyPattern;
        return check;
    }
    if (check.code.empty()) {
        check.verdict = EntryVerdict::kEmptyCode;
        return check;
    }

    // Characters outside the code page narrow to '?' or to bytes above 0x7F, which no Base64
    // text contains, so a code never passes by losing the high byte of a character.
    std::string narrowCode = U16ToAnsi(check.code);
    std::array<uint8_t, kEntryPlainCapacity> plain{};
    std::size_t plainLength = plain.size();
    int decodeResult =
        DecodeEntryCode(narrowCode.data(), narrowCode.size(), plain.data(), plainLength);
    if (decodeResult != kEntryOk) {
        check.verdict = decodeResult == kEntryBase64Failed ? EntryVerdict::kBadBase64
                                                           : EntryVerdict::kDesFailed;
        return check;
    }
    if (plainLength > plain.size()) plainLength = plain.size();
    check.decoded = WidenPlain(plain.data(), plainLength);

    if (check.decoded != check.pattern) {
        check.verdict = EntryVerdict::kOtherPattern;
    } else if (accepted.count(check.pattern) != 0) {
        check.verdict = EntryVerdict::kDuplicate;
    } else {
        check.verdict = EntryVerdict::kAccepted;
    }
    return check;
}

CDeviceIdMgr::CDeviceIdMgr(FileSystem& files) : ini_(files) {}

int CDeviceIdMgr::LoadGroup(const std::u16string& path, const std::u16string& section) {
    // A file that cannot be read leaves the group as it was.
    if (ini_.LoadFile(path) != kIniLoaded) return kGroupFileFailed;

    entries_.clear();
    accepted_.clear();
    checks_.clear();
    if (!ini_.HasSection(section)) return kGroupNoSection;

    std::vector<std::u16string> keys;
    ini_.GetKeyNames(section, keys);
    if (keys.empty()) return kGroupNoKeys;
    // A repeated key gives the value of its first occurrence each time.
    for (const auto& key : keys) entries_.push_back(ini_.GetValue(section, key));

    for (const auto& entry : entries_) {
        checks_.push_back(AuthenticateEntry(entry, accepted_));
        const EntryCheck& check = checks_.back();
        if (StopsAuthentication(check.verdict)) return kGroupEmptyPart;
        if (check.verdict == EntryVerdict::kAccepted) accepted_.emplace(check.pattern, check.code);
    }
    return kGroupLoaded;
}

bool CDeviceIdMgr::Matches(const std::u16string& deviceId) const {
    const std::u16string id = AsciiUpper(deviceId);
    for (const auto& [pattern, code] : accepted_) {
        if (pattern.size() != id.size()) continue;
        const std::u16string upperPattern = AsciiUpper(pattern);
        std::u16string masked = id;
        for (std::size_t i = 0; i < upperPattern.size(); ++i) {
            if (upperPattern[i] == u'X') masked[i] = u'X';
        }
        if (masked == upperPattern) return true;
    }
    return false;
}

}  // namespace tonedeck
