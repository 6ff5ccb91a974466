#include "platform/sim/sim_file_removal.h"

#include "common/text.h"

namespace tonedeck {

bool SimFileRemoval::RemoveFile(const std::u16string& path) {
    if (!files_.FileExists(path)) return false;
    if (const auto held = held_.find(AsciiUpper(path)); held != held_.end() && held->second != 0) {
        if (held->second > 0) --held->second;
        return false;
    }
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

void SimFileRemoval::HoldOpen(const std::u16string& path, int attempts) {
    held_[AsciiUpper(path)] = attempts;
}

}  // namespace tonedeck
