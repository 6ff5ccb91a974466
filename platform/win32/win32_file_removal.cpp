#include "platform/win32/win32_file_removal.h"

#include <windows.h>

#include "platform/win32/long_path.h"
#include "platform/win32/wide.h"

namespace tonedeck {

bool Win32FileRemoval::RemoveFile(const std::u16string& path) {
    const std::wstring file = LongPathForm(ToWide(path));
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(file.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return DeleteFileW(file.c_str()) != FALSE;
}

bool Win32FileRemoval::RemoveFolder(const std::u16string& path) {
    return RemoveDirectoryW(LongPathForm(ToWide(path)).c_str()) != FALSE;
}

bool Win32FileRemoval::RemoveAtReboot(const std::u16string& path) {
    return MoveFileExW(LongPathForm(ToWide(path)).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) !=
           FALSE;
}

}  // namespace tonedeck
