#include "platform/win32/win32_file_operations.h"

#include <windows.h>

#include "platform/win32/long_path.h"
#include "platform/win32/wide.h"

// The port's method, not the header's macro of the same name.
#undef CopyFile

namespace tonedeck {

bool Win32FileOperations::CopyFile(const std::u16string& source, const std::u16string& target) {
    return CopyFileW(LongPathForm(ToWide(source)).c_str(), LongPathForm(ToWide(target)).c_str(),
                     FALSE) != FALSE;
}

bool Win32FileOperations::SetNormalAttributes(const std::u16string& path) {
    return SetFileAttributesW(LongPathForm(ToWide(path)).c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
}

}  // namespace tonedeck
