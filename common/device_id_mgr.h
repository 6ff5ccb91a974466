#pragma once
// One authenticated device-ID group of AudioConfig.cfg.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/ini_mgr.h"

namespace tonedeck {

enum LoadGroupResult : int {
    kGroupLoaded = 0,
    kGroupFileFailed = 1,
    kGroupNoSection = 2,
    kGroupNoKeys = 3,
    kGroupEmptyPart = 4,
};

inline constexpr char16_t kUsbGroupSection[] = u"USB_VID_PID";
inline constexpr char16_t kHidGroupSection[] = u"HID_VID_PID";

// Room for the plain text of one entry code.
inline constexpr std::size_t kEntryPlainCapacity = 4096;

// What became of one entry during authentication.
enum class EntryVerdict {
    kAccepted,
    kNoComma,       // skipped
    kEmptyPattern,  // stops the authentication
    kEmptyCode,     // stops the authentication
    kBadBase64,     // skipped
    kDesFailed,     // skipped
    kOtherPattern,  // skipped: the code decodes to a different text
    kDuplicate,     // authentic, but the pattern was accepted before; the first one stays
};

struct EntryCheck {
    EntryVerdict verdict = EntryVerdict::kNoComma;
    std::u16string pattern;  // trimmed; empty when there is no comma
    std::u16string code;     // trimmed; empty when there is no comma
    std::u16string decoded;  // what the code decodes to, once it decodes
};

// The one rule that decides whether an entry ("pattern , code") is authentic. `accepted` holds
// the entries accepted before it.
EntryCheck AuthenticateEntry(std::u16string_view entry,
                             const std::map<std::u16string, std::u16string>& accepted);

// An empty pattern or code ends the authentication of the whole group.
inline bool StopsAuthentication(EntryVerdict verdict) {
    return verdict == EntryVerdict::kEmptyPattern || verdict == EntryVerdict::kEmptyCode;
}

class CDeviceIdMgr {
  public:
    explicit CDeviceIdMgr(FileSystem& files);

    int LoadGroup(const std::u16string& path, const std::u16string& section);
    bool Matches(const std::u16string& deviceId) const;

    const std::map<std::u16string, std::u16string>& accepted() const { return accepted_; }
    const std::vector<std::u16string>& entries() const { return entries_; }
    // One check per entry looked at by the last authentication, in entry order; entries after
    // one that stopped it have none.
    const std::vector<EntryCheck>& checks() const { return checks_; }

  private:
    CIniMgr ini_;
    std::vector<std::u16string> entries_;
    std::map<std::u16string, std::u16string> accepted_;  // std::u16string orders by code unit
    std::vector<EntryCheck> checks_;
};

}  // namespace tonedeck
