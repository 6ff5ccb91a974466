#pragma once
// Whole-file access as the system's own code needs it. Paths are Windows paths in UTF-16.

#include <cstdint>
#include <string>
#include <vector>

namespace tonedeck {

enum class FileReadStatus { Ok, OpenFailed, LengthUnknown, ReadFailed };

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
};

}  // namespace tonedeck
