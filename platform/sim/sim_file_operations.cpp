#include "platform/sim/sim_file_operations.h"

namespace tonedeck {

bool SimFileOperations::CopyFile(const std::u16string& source, const std::u16string& target) {
    std::vector<uint8_t> bytes;
    if (files_.ReadWholeFile(source, bytes) != FileReadStatus::Ok) return false;
    if (!files_.WriteWholeFile(target, bytes)) return false;
    ++copies;
    return true;
}

bool SimFileOperations::SetNormalAttributes(const std::u16string& path) {
    if (!files_.FileExists(path) && !files_.DirectoryExists(path)) return false;
    normalized.push_back(path);
    return true;
}

}  // namespace tonedeck
