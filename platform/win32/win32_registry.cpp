#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide.h"

namespace tonedeck {

namespace {

HKEY ToSystemKey(RegistryKey key) {
    return reinterpret_cast<HKEY>(static_cast<uintptr_t>(key.value()));
}

RegistryKey ToPortKey(HKEY key) {
    return RegistryKey(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(key)));
}

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace

RegistryKey Win32Registry::CreateKey(RegistryRoot root, const std::u16string& path, uint32_t access,
                                     const std::u16string& className) {
    std::wstring wideClass = ToWide(className);
    HKEY key = nullptr;
    const LSTATUS status = RegCreateKeyExW(RootKey(root), ToWide(path).c_str(), 0,
                                           wideClass.empty() ? nullptr : wideClass.data(),
                                           REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr);
    return status == ERROR_SUCCESS ? ToPortKey(key) : RegistryKey();
}

RegistryKey Win32Registry::OpenKey(RegistryRoot root, const std::u16string& path, uint32_t access) {
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExW(RootKey(root), ToWide(path).c_str(), 0, access, &key);
    return status == ERROR_SUCCESS ? ToPortKey(key) : RegistryKey();
}

void Win32Registry::CloseKey(RegistryKey key) {
    if (key) RegCloseKey(ToSystemKey(key));
}

bool Win32Registry::SetValue(RegistryKey key, const std::u16string& name, RegistryType type,
                             std::span<const uint8_t> data) {
    return RegSetValueExW(ToSystemKey(key), ToWide(name).c_str(), 0, static_cast<DWORD>(type),
                          data.data(), static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

std::optional<RegistryValue> Win32Registry::QueryValue(RegistryKey key,
                                                       const std::u16string& name) {
    const std::wstring wideName = ToWide(name);
    // The value may grow between the size query and the read; ask again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(ToSystemKey(key), wideName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        RegistryValue value;
        value.type = static_cast<RegistryType>(type);
        value.data.resize(size);
        const LSTATUS status = RegQueryValueExW(ToSystemKey(key), wideName.c_str(), nullptr, &type,
                                                value.data.data(), &size);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return std::nullopt;
        value.data.resize(size);
        return value;
    }
    return std::nullopt;
}

bool Win32Registry::DeleteValue(RegistryKey key, const std::u16string& name) {
    return RegDeleteValueW(ToSystemKey(key), ToWide(name).c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteTree(RegistryKey key, const std::u16string& subkey) {
    const std::wstring wideSubkey = ToWide(subkey);
    return RegDeleteTreeW(ToSystemKey(key), wideSubkey.empty() ? nullptr : wideSubkey.c_str()) ==
           ERROR_SUCCESS;
}

std::optional<uint32_t> Win32Registry::SubkeyCount(RegistryKey key) {
    DWORD count = 0;
    if (RegQueryInfoKeyW(ToSystemKey(key), nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return count;
}

std::optional<std::u16string> Win32Registry::SubkeyName(RegistryKey key, uint32_t index,
                                                        uint32_t bufferChars) {
    std::vector<wchar_t> name(bufferChars + 1);
    DWORD length = bufferChars;
    if (RegEnumKeyExW(ToSystemKey(key), index, name.data(), &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return FromWide(std::wstring_view(name.data(), length));
}

bool Win32Registry::Flush(RegistryKey key) {
    return RegFlushKey(ToSystemKey(key)) == ERROR_SUCCESS;
}

}  // namespace tonedeck
