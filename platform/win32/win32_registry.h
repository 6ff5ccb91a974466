#pragma once
// Registry on the real registry functions. The view flags travel in the access mask.

#include "platform/ports/registry.h"

namespace tonedeck {

class Win32Registry : public Registry {
  public:
    RegistryKey CreateKey(RegistryRoot root, const std::u16string& path, uint32_t access,
                          const std::u16string& className) override;
    RegistryKey OpenKey(RegistryRoot root, const std::u16string& path, uint32_t access) override;
    void CloseKey(RegistryKey key) override;
    bool SetValue(RegistryKey key, const std::u16string& name, RegistryType type,
                  std::span<const uint8_t> data) override;
    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::u16string& name) override;
    bool DeleteValue(RegistryKey key, const std::u16string& name) override;
    bool DeleteTree(RegistryKey key, const std::u16string& subkey) override;
    std::optional<uint32_t> SubkeyCount(RegistryKey key) override;
    std::optional<std::u16string> SubkeyName(RegistryKey key, uint32_t index,
                                             uint32_t bufferChars) override;
    bool Flush(RegistryKey key) override;
};

}  // namespace tonedeck
