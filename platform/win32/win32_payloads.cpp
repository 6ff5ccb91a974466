#include "platform/win32/win32_payloads.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide.h"
#include "platform/win32/win32_system_info.h"

namespace tonedeck {

std::optional<std::span<const uint8_t>> Win32Payloads::Find(const std::u16string& typeName,
                                                            uint16_t id) {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), ToWide(typeName).c_str());
    if (!resource) return std::nullopt;
    const DWORD size = SizeofResource(nullptr, resource);
    if (size == 0) return std::span<const uint8_t>();
    HGLOBAL loaded = LoadResource(nullptr, resource);
    if (!loaded) return std::nullopt;
    const void* bytes = LockResource(loaded);
    if (!bytes) return std::nullopt;
    return std::span<const uint8_t>(static_cast<const uint8_t*>(bytes), size);
}

std::optional<std::array<uint16_t, 4>> Win32Payloads::OwnFileVersion() {
    const std::wstring path = ToWide(ModuleFilePath());
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<uint8_t> record(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, record.data())) return std::nullopt;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        !fixed || fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    return std::array<uint16_t, 4>{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                                   HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

}  // namespace tonedeck
