#pragma once
// The private-profile functions rebuilt over any FileSystem, so the simulated world and the
// tools read and write INI files exactly as Windows does.
//
// Rules kept: section and key names match without regard to case and to the blanks around
// them; the first matching section and, inside it, the first matching key win; a value loses
// its surrounding blanks and then one pair of matching quotes; a file is UTF-16LE when it starts
// with FF FE and 8-bit text in the system code page otherwise (a UTF-8 mark is not recognised);
// a new file is 8-bit text; a write changes only the text it must and keeps every other byte.

#include "platform/ports/file_system.h"
#include "platform/ports/profile_store.h"

namespace tonedeck {

class EmulatedProfileStore : public ProfileStore {
  public:
    explicit EmulatedProfileStore(FileSystem& files) : files_(files) {}

    std::u16string GetString(const std::u16string& file, const std::u16string& section,
                             const std::u16string& key, const std::u16string& defaultValue,
                             std::size_t bufferChars) override;
    bool WriteString(const std::u16string& file, const std::u16string& section,
                     const std::u16string& key, const std::u16string& value) override;

  private:
    FileSystem& files_;
};

}  // namespace tonedeck
