#pragma once
// Whole-file access as the system's own code needs it. Paths are Windows paths in UTF-16.

#include <cstdint>
#include <string>
#include <vector>

namespace tonedeck {

enum class FileReadStatus { Ok, OpenFailed, LengthUnknown, ReadFailed };

// One entry of a folder listing, with the attributes the menus filter on.
struct FolderEntry {
    std::u16string name;
    bool isDirectory = false;
    bool hidden = false;
    bool system = false;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual FileReadStatus ReadWholeFile(const std::u16string& path,
                                         std::vector<uint8_t>& bytes) = 0;
    // Creates or replaces the file; false when it cannot be written.
    virtual bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) = 0;
    virtual bool FileExists(const std::u16string& path) = 0;
    virtual bool DirectoryExists(const std::u16string& path) = 0;
    // Creates one folder; true when it exists afterwards.
    virtual bool CreateFolder(const std::u16string& path) = 0;
    // The entries directly inside `folder`, without "." and ".."; empty when it cannot be listed.
    virtual std::vector<FolderEntry> ListFolder(const std::u16string& folder) = 0;
};

}  // namespace tonedeck
