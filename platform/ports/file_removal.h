#pragma once
// Taking files and folders away again, for the uninstaller.

#include <string>

namespace tonedeck {

class FileRemoval {
  public:
    virtual ~FileRemoval() = default;
    // DeleteFileW, after clearing a read-only attribute. False when the file stays.
    virtual bool RemoveFile(const std::u16string& path) = 0;
    // RemoveDirectoryW: only an empty folder (or a link to a folder) goes. False when it stays.
    virtual bool RemoveFolder(const std::u16string& path) = 0;
    // MoveFileExW with MOVEFILE_DELAY_UNTIL_REBOOT: a file or empty folder in use goes at the
    // next start of Windows. False when that cannot be arranged.
    virtual bool RemoveAtReboot(const std::u16string& path) = 0;
};

}  // namespace tonedeck
