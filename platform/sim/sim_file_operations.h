#pragma once
// Copies and attribute resets on a simulated file system.

#include <string>
#include <vector>

#include "platform/ports/file_operations.h"
#include "platform/ports/file_system.h"

namespace tonedeck {

class SimFileOperations : public FileOperations {
  public:
    explicit SimFileOperations(FileSystem& files) : files_(files) {}

    bool CopyFile(const std::u16string& source, const std::u16string& target) override;
    bool SetNormalAttributes(const std::u16string& path) override;

    // Every path given normal attributes, in order.
    std::vector<std::u16string> normalized;
    int copies = 0;

  private:
    FileSystem& files_;
};

}  // namespace tonedeck
