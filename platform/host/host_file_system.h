#pragma once
// The host's own files (Linux), for the tools. Paths are host paths carried as UTF-16.

#include "platform/ports/file_system.h"

namespace tonedeck {

class HostFileSystem : public FileSystem {
public:
    FileReadStatus ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& bytes) override;
    bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override;
    bool FileExists(const std::u16string& path) override;
    bool DirectoryExists(const std::u16string& path) override;
    bool CreateFolder(const std::u16string& path) override;
    std::vector<FolderEntry> ListFolder(const std::u16string& folder) override;
};

}  // namespace tonedeck
