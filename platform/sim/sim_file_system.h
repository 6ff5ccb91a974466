#pragma once
// In-memory Windows file system: case-insensitive paths, "\" separators, per-path faults.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ports/file_system.h"

namespace tonedeck {

class SimFileSystem : public FileSystem {
public:
    FileReadStatus ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& bytes) override;
    bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override;
    bool FileExists(const std::u16string& path) override;
    bool DirectoryExists(const std::u16string& path) override;
    bool CreateFolder(const std::u16string& path) override;
    std::vector<FolderEntry> ListFolder(const std::u16string& folder) override;

    // Test set-up: files and their folders appear at once.
    void PutFile(const std::u16string& path, const std::vector<uint8_t>& bytes);
    void PutFile(const std::u16string& path, const std::string& bytes);
    void RemoveFile(const std::u16string& path);
    // Removes a folder that holds nothing; false when it is missing, not empty or read-only.
    bool RemoveEmptyFolder(const std::u16string& path);
    std::vector<uint8_t> FileBytes(const std::u16string& path) const;
    // The next reads of `path` stop with `status`, until cleared.
    void FailReads(const std::u16string& path, FileReadStatus status);
    // Writes into this folder (and below) fail, like a read-only or full folder.
    void MakeReadOnly(const std::u16string& folder);
    // A full disk: the files below this folder may hold `capacity` bytes in all; a write that
    // would need more fails and leaves the file as it was, one that needs no more goes through.
    void LimitFolder(const std::u16string& folder, std::size_t capacity);
    // The bytes of all files below a folder.
    std::size_t BytesBelow(const std::u16string& folder) const;
    void ClearFaults();
    // Marks a folder hidden and/or system, as listings report it.
    void SetFolderAttributes(const std::u16string& path, bool hidden, bool system);

private:
    static std::u16string Key(const std::u16string& path);
    static std::u16string Parent(const std::u16string& key);
    bool WritesBlocked(const std::u16string& key) const;
    bool ExceedsLimit(const std::u16string& key, std::size_t newSize) const;
    static bool Below(const std::u16string& key, const std::u16string& folder);

    std::map<std::u16string, std::vector<uint8_t>> files_;
    std::set<std::u16string> directories_;
    std::map<std::u16string, FileReadStatus> readFaults_;
    std::set<std::u16string> readOnly_;
    std::map<std::u16string, std::size_t> limits_;
    void RememberSpelling(const std::u16string& path);
    // Listings show names as they were first written.
    std::map<std::u16string, std::u16string> spelling_;
    std::map<std::u16string, std::pair<bool, bool>> folderAttributes_;
};

}  // namespace tonedeck
