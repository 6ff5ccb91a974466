#include "platform/host/host_file_system.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/text.h"

namespace tonedeck {

namespace {
std::filesystem::path HostPath(const std::u16string& path) {
    return std::filesystem::path(U16ToUtf8(path));
}
}  // namespace

FileReadStatus HostFileSystem::ReadWholeFile(const std::u16string& path,
                                             std::vector<uint8_t>& bytes) {
    std::error_code error;
    auto hostPath = HostPath(path);
    if (std::filesystem::is_directory(hostPath, error)) return FileReadStatus::OpenFailed;
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) return FileReadStatus::OpenFailed;
    auto size = std::filesystem::file_size(hostPath, error);
    if (error) return FileReadStatus::LengthUnknown;
    std::vector<uint8_t> data(size);
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size))) {
        return FileReadStatus::ReadFailed;
    }
    bytes = std::move(data);
    return FileReadStatus::Ok;
}

bool HostFileSystem::WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(HostPath(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

bool HostFileSystem::FileExists(const std::u16string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(HostPath(path), error);
}

bool HostFileSystem::DirectoryExists(const std::u16string& path) {
    std::error_code error;
    return std::filesystem::is_directory(HostPath(path), error);
}

bool HostFileSystem::CreateFolder(const std::u16string& path) {
    std::error_code error;
    std::filesystem::create_directory(HostPath(path), error);
    return std::filesystem::is_directory(HostPath(path), error);
}

std::vector<FolderEntry> HostFileSystem::ListFolder(const std::u16string& folder) {
    std::vector<FolderEntry> entries;
    std::error_code error;
    std::filesystem::directory_iterator it(HostPath(folder), error);
    if (error) return entries;
    for (const auto& item : it) {
        std::u16string name = Utf8ToU16(item.path().filename().string());
        // Dot-files are what the host calls hidden.
        entries.push_back({name, item.is_directory(error), !name.empty() && name[0] == u'.', false});
    }
    return entries;
}

}  // namespace tonedeck
