#pragma once
// FileRemoval on DeleteFileW, RemoveDirectoryW and MoveFileExW, long paths included.

#include "platform/ports/file_removal.h"

namespace tonedeck {

class Win32FileRemoval : public FileRemoval {
  public:
    bool RemoveFile(const std::u16string& path) override;
    bool RemoveFolder(const std::u16string& path) override;
    bool RemoveAtReboot(const std::u16string& path) override;
};

}  // namespace tonedeck
