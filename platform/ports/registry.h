#pragma once
// The registry as the installer uses it: keys in the 32- or 64-bit view, typed values, subkey
// listing, deletion and flush.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/ports/device_handle.h"

namespace tonedeck {

using RegistryKey = OpaqueHandle<struct RegistryKeyTag>;

enum class RegistryRoot { kLocalMachine, kCurrentUser };

// Access masks as Windows spells them; the view flags ride along in the mask.
inline constexpr uint32_t kKeyAllAccess = 0xF003F;
inline constexpr uint32_t kKeyRead = 0x20019;
inline constexpr uint32_t kKeySetValue = 0x0002;
inline constexpr uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr uint32_t kKeyWow64_64 = 0x0100;
inline constexpr uint32_t kKeyWow64_32 = 0x0200;

enum class RegistryType : uint32_t {
    kNone = 0,
    kSz = 1,
    kExpandSz = 2,
    kBinary = 3,
    kDword = 4,
    kMultiSz = 7,
};

struct RegistryValue {
    RegistryType type = RegistryType::kNone;
    std::vector<uint8_t> data;
};

class Registry {
  public:
    virtual ~Registry() = default;
    // RegCreateKeyExW, non-volatile, with `className` as the key's class text. None on failure.
    virtual RegistryKey CreateKey(RegistryRoot root, const std::u16string& path, uint32_t access,
                                  const std::u16string& className) = 0;
    // RegOpenKeyExW. None on failure.
    virtual RegistryKey OpenKey(RegistryRoot root, const std::u16string& path, uint32_t access) = 0;
    virtual void CloseKey(RegistryKey key) = 0;
    // RegSetValueExW with the bytes as given (strings carry their own terminating zero).
    virtual bool SetValue(RegistryKey key, const std::u16string& name, RegistryType type,
                          std::span<const uint8_t> data) = 0;
    // RegQueryValueExW; nullopt when the value is missing or unreadable.
    virtual std::optional<RegistryValue> QueryValue(RegistryKey key,
                                                    const std::u16string& name) = 0;
    virtual bool DeleteValue(RegistryKey key, const std::u16string& name) = 0;
    // RegDeleteTreeW on a subkey of `key` (empty: everything below `key`).
    virtual bool DeleteTree(RegistryKey key, const std::u16string& subkey) = 0;
    // RegQueryInfoKeyW's subkey count; nullopt on failure.
    virtual std::optional<uint32_t> SubkeyCount(RegistryKey key) = 0;
    // RegEnumKeyExW into a buffer of `bufferChars` characters; nullopt on failure (a name that
    // does not fit fails too).
    virtual std::optional<std::u16string> SubkeyName(RegistryKey key, uint32_t index,
                                                     uint32_t bufferChars) = 0;
    virtual bool Flush(RegistryKey key) = 0;
};

// Registry text as stored: UTF-16LE with the terminating zero.
inline std::vector<uint8_t> RegistryStringBytes(const std::u16string& text) {
    std::vector<uint8_t> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

// Text of a string value, up to its first zero character.
inline std::u16string RegistryStringText(std::span<const uint8_t> data) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == 0) break;
        text += c;
    }
    return text;
}

inline std::vector<uint8_t> RegistryDwordBytes(uint32_t value) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

}  // namespace tonedeck
