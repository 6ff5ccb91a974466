#pragma once
// FileOperations on CopyFileW and SetFileAttributesW, long paths included.

#include "platform/ports/file_operations.h"

namespace tonedeck {

class Win32FileOperations : public FileOperations {
  public:
    bool CopyFile(const std::u16string& source, const std::u16string& target) override;
    bool SetNormalAttributes(const std::u16string& path) override;
};

}  // namespace tonedeck
