#include "platform/win32/win32_file_system.h"

#include <algorithm>

#include "platform/win32/handle.h"
#include "platform/win32/wide.h"


namespace tonedeck {

namespace {

// Whole files are read in pieces a single ReadFile call can take.
constexpr DWORD kReadChunk = 1 << 20;

DWORD Attributes(const std::u16string& path) { return GetFileAttributesW(ToWide(path).c_str()); }

}  // namespace

FileReadStatus Win32FileSystem::ReadWholeFile(const std::u16string& path,
                                              std::vector<uint8_t>& bytes) {
    UniqueHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return FileReadStatus::OpenFailed;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
        return FileReadStatus::LengthUnknown;
    }
    std::vector<uint8_t> content(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, kReadChunk));
        DWORD got = 0;
        if (!ReadFile(file.Get(), content.data() + done, want, &got, nullptr) || got == 0) {
            return FileReadStatus::ReadFailed;
        }
        done += got;
    }
    bytes = std::move(content);
    return FileReadStatus::Ok;
}

bool Win32FileSystem::WriteWholeFile(const std::u16string& path,
                                     const std::vector<uint8_t>& bytes) {
    UniqueHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kReadChunk));
        DWORD put = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, want, &put, nullptr) || put == 0) {
            return false;
        }
        done += put;
    }
    return true;
}

bool Win32FileSystem::FileExists(const std::u16string& path) {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::u16string& path) {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::CreateFolder(const std::u16string& path) {
    return CreateDirectoryW(ToWide(path).c_str(), nullptr) || DirectoryExists(path);
}

std::vector<FolderEntry> Win32FileSystem::ListFolder(const std::u16string& folder) {
    std::vector<FolderEntry> entries;
    std::wstring pattern = ToWide(folder);
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        DWORD attributes = found.dwFileAttributes;
        entries.push_back({FromWide(name), (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                           (attributes & FILE_ATTRIBUTE_SYSTEM) != 0});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

}  // namespace tonedeck
