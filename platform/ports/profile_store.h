#pragma once
// The private-profile functions (GetPrivateProfileStringW / WritePrivateProfileStringW).

#include <cstddef>
#include <string>

namespace tonedeck {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // What GetPrivateProfileStringW puts into a buffer of `bufferChars` characters
    // (so at most bufferChars - 1 of them) for a named section and key.
    virtual std::u16string GetString(const std::u16string& file, const std::u16string& section,
                                     const std::u16string& key, const std::u16string& defaultValue,
                                     std::size_t bufferChars) = 0;
    // WritePrivateProfileStringW with a section, key and value; false when it fails.
    virtual bool WriteString(const std::u16string& file, const std::u16string& section,
                             const std::u16string& key, const std::u16string& value) = 0;
};

}  // namespace tonedeck
