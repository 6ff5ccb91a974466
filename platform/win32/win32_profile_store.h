#pragma once
// ProfileStore on the real private-profile functions.

#include "platform/ports/profile_store.h"

namespace tonedeck {

class Win32ProfileStore : public ProfileStore {
  public:
    std::u16string GetString(const std::u16string& file, const std::u16string& section,
                             const std::u16string& key, const std::u16string& defaultValue,
                             std::size_t bufferChars) override;
    bool WriteString(const std::u16string& file, const std::u16string& section,
                     const std::u16string& key, const std::u16string& value) override;
};

}  // namespace tonedeck
