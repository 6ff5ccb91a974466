#include "platform/sim/sim_file_removal.h"

#include "common/text.h"

namespace tonedeck {

bool SimFileRemoval::RemoveFile(const std::u16string& path) {
    if (!files_.FileExists(path) || held_.count(AsciiUpper(path))) return false;
    files_.RemoveFile(path);
    return true;
}

bool SimFileRemoval::RemoveFolder(const std::u16string& path) {
    return files_.RemoveEmptyFolder(path);
}

bool SimFileRemoval::RemoveAtReboot(const std::u16string& path) {
    if (!files_.FileExists(path) && !files_.DirectoryExists(path)) return false;
    atReboot.push_back(path);
    return true;
}

void SimFileRemoval::HoldOpen(const std::u16string& path) { held_.insert(AsciiUpper(path)); }

void SimFileRemoval::Release(const std::u16string& path) { held_.erase(AsciiUpper(path)); }

}  // namespace tonedeck
