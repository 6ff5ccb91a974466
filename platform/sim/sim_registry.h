#pragma once
// An in-memory registry with the two views of a 64-bit Windows: "SOFTWARE" keys opened by a
// 32-bit program without a view flag land in the 32-bit view; other keys are shared.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/ports/registry.h"

namespace tonedeck {

enum class SimRegistryView { kNative, kWow32 };

class SimRegistry : public Registry {
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

    // The machine: a 64-bit Windows has two views; the program is 32-bit unless told.
    bool windows64 = false;
    bool program32Bit = true;

    // Test set-up and inspection, by view.
    void PutKey(RegistryRoot root, SimRegistryView view, const std::u16string& path);
    void PutValue(RegistryRoot root, SimRegistryView view, const std::u16string& path,
                  const std::u16string& name, RegistryType type, std::vector<uint8_t> data);
    bool KeyExists(RegistryRoot root, SimRegistryView view, const std::u16string& path) const;
    std::optional<RegistryValue> Value(RegistryRoot root, SimRegistryView view,
                                       const std::u16string& path,
                                       const std::u16string& name) const;
    // Text of a string value; nullopt when missing or not a string type.
    std::optional<std::u16string> Text(RegistryRoot root, SimRegistryView view,
                                       const std::u16string& path,
                                       const std::u16string& name) const;
    std::u16string ClassName(RegistryRoot root, SimRegistryView view,
                             const std::u16string& path) const;
    // Value names of a key in the order they were first written.
    std::vector<std::u16string> ValueNames(RegistryRoot root, SimRegistryView view,
                                           const std::u16string& path) const;
    // Keys that cannot be created or opened (exact path, any view).
    void DenyKey(const std::u16string& path);

    std::size_t OpenKeyCount() const { return handles_.size(); }
    std::size_t BadCloseCount() const { return badCloses_; }
    int flushCount = 0;

  private:
    using KeyId = std::tuple<RegistryRoot, SimRegistryView, std::u16string>;  // upper-case path
    struct NamedValue {
        std::u16string name;
        RegistryValue value;
        uint64_t order = 0;
    };
    struct Node {
        std::u16string spelling;  // last part, as first created
        std::u16string className;
        std::map<std::u16string, NamedValue> values;  // by upper-case name
    };
    struct Handle {
        KeyId id;
        uint32_t access = 0;
    };

    SimRegistryView Resolve(const std::u16string& upperPath, uint32_t access) const;
    static std::u16string Normal(const std::u16string& path);
    void Ensure(const KeyId& id, const std::u16string& spelledPath);
    const Node* Find(const KeyId& id) const;
    Handle* Open(RegistryKey key);
    std::vector<const Node*> Children(const KeyId& id) const;
    RegistryKey Issue(const KeyId& id, uint32_t access);

    std::map<KeyId, Node> keys_;
    std::map<uint64_t, Handle> handles_;
    std::set<std::u16string> denied_;
    uint64_t nextHandle_ = 0x80000100;
    uint64_t nextOrder_ = 1;
    std::size_t badCloses_ = 0;
};

}  // namespace tonedeck
