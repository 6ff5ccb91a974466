#include "setup/payload_files.h"

#include <vector>

namespace tonedeck {

namespace {

// The last name of a path: the text after its last backslash, a final backslash not counting
// as one (so "C:\Setup\Skin\" gives "Skin\"). nullopt when there is no such backslash.
std::optional<std::u16string> LastName(const std::u16string& path) {
    if (path.size() < 2) return std::nullopt;
    const auto slash = path.rfind(u'\\', path.size() - 2);
    if (slash == std::u16string::npos) return std::nullopt;
    return path.substr(slash + 1);
}

std::u16string WithoutFinalBackslash(std::u16string path) {
    if (!path.empty() && path.back() == u'\\') path.pop_back();
    return path;
}

void TraceCreateDirectory(SystemInfo& system, const std::u16string& path, bool created) {
    system.Trace(u"##### Create Directory = " + path + u"\n");
    if (!created) system.Trace(u"***** Create Directory FAIL! *****\n");
}

}  // namespace

std::optional<std::span<const uint8_t>> LockPayload(Payloads& payloads,
                                                    const std::u16string& typeName, uint16_t id) {
    const auto bytes = payloads.Find(typeName, id);
    if (!bytes || bytes->empty()) return std::nullopt;
    return bytes;
}

int WriteBufferToFile(FileSystem& files, const std::u16string& path,
                      std::span<const uint8_t> bytes) {
    return files.WriteWholeFile(path, std::vector<uint8_t>(bytes.begin(), bytes.end())) ? 0 : 1;
}

int WriteProgramFile(FileSystem& files, Clock& clock, const std::u16string& path,
                     std::span<const uint8_t> bytes) {
    int result = 1;
    for (int attempt = 1; attempt <= kWriteAttempts; ++attempt) {
        result = WriteBufferToFile(files, path, bytes);
        if (result == 0) break;
        if (attempt < kWriteAttempts) clock.Sleep(kWriteRetryMs);
    }
    return result;
}

int CopyOneFile(FileOperations& fileOps, const std::u16string& source,
                const std::u16string& target) {
    return fileOps.CopyFile(source, target) ? 1 : 0;
}

bool CreateDirectoryOnce(FileSystem& files, const std::u16string& path) {
    if (files.DirectoryExists(path) || files.FileExists(path)) return false;
    return files.CreateFolder(path);
}

std::u16string JoinPath(const std::u16string& a, const std::u16string& b) {
    if (a.empty()) return b;
    return a.back() == u'\\' ? a + b : a + u"\\" + b;
}

int CopyFolderTree(FileSystem& files, FileOperations& fileOps, SystemInfo& system,
                   const std::u16string& source, const std::u16string& target) {
    const auto sourceName = LastName(source);
    if (!sourceName) return 0;
    const auto targetName = LastName(target);
    if (!targetName) return 0;

    std::u16string destination = target;
    if (*sourceName != *targetName) destination = JoinPath(target, *sourceName);
    destination = WithoutFinalBackslash(destination);
    TraceCreateDirectory(system, destination, CreateDirectoryOnce(files, destination));

    for (const FolderEntry& entry : files.ListFolder(source)) {
        if (entry.name == u"." || entry.name == u"..") continue;
        const std::u16string from = JoinPath(source, entry.name);
        const std::u16string to = JoinPath(destination, entry.name);
        if (entry.isDirectory) {
            const bool created = CreateDirectoryOnce(files, to);
            fileOps.SetNormalAttributes(to);
            TraceCreateDirectory(system, to, created);
            CopyFolderTree(files, fileOps, system, from, to);
        } else {
            fileOps.CopyFile(from, to);
            fileOps.SetNormalAttributes(to);
        }
    }
    return 1;
}

int FindFirstPlainFile(FileSystem& files, const std::u16string& folder, std::u16string& name) {
    for (const FolderEntry& entry : files.ListFolder(folder)) {
        if (entry.isDirectory || entry.name.empty() || entry.name[0] == u'.') continue;
        name = entry.name;
        return 1;
    }
    return 0;
}

}  // namespace tonedeck
