#pragma once
// File operations beyond whole-file access: the system's copy and attribute reset.

#include <string>

namespace tonedeck {

class FileOperations {
  public:
    virtual ~FileOperations() = default;
    // CopyFileW, overwriting the target. False when the copy failed.
    virtual bool CopyFile(const std::u16string& source, const std::u16string& target) = 0;
    // SetFileAttributesW with FILE_ATTRIBUTE_NORMAL, for files and folders.
    virtual bool SetNormalAttributes(const std::u16string& path) = 0;
};

}  // namespace tonedeck
