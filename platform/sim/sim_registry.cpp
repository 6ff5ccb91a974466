#include "platform/sim/sim_registry.h"

#include "common/text.h"

namespace tonedeck {

namespace {

bool IsSoftwareKey(const std::u16string& upperPath) {
    return upperPath == u"SOFTWARE" || upperPath.rfind(u"SOFTWARE\\", 0) == 0;
}

std::u16string LastPart(const std::u16string& path) {
    const auto slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::u16string SimRegistry::Normal(const std::u16string& path) {
    std::u16string text(TrimChar(path, u'\\'));
    return AsciiUpper(text);
}

SimRegistryView SimRegistry::Resolve(const std::u16string& upperPath, uint32_t access) const {
    if (!windows64 || !IsSoftwareKey(upperPath)) return SimRegistryView::kNative;
    if (access & kKeyWow64_64) return SimRegistryView::kNative;
    if (access & kKeyWow64_32) return SimRegistryView::kWow32;
    return program32Bit ? SimRegistryView::kWow32 : SimRegistryView::kNative;
}

void SimRegistry::Ensure(const KeyId& id, const std::u16string& spelledPath) {
    const auto& [root, view, upper] = id;
    std::u16string spelled(TrimChar(spelledPath, u'\\'));
    std::size_t start = 0;
    while (start <= upper.size()) {
        auto end = upper.find(u'\\', start);
        if (end == std::u16string::npos) end = upper.size();
        const KeyId part{root, view, upper.substr(0, end)};
        auto [it, added] = keys_.try_emplace(part);
        if (added) it->second.spelling = LastPart(spelled.substr(0, end));
        start = end + 1;
    }
}

const SimRegistry::Node* SimRegistry::Find(const KeyId& id) const {
    const auto it = keys_.find(id);
    return it == keys_.end() ? nullptr : &it->second;
}

RegistryKey SimRegistry::Issue(const KeyId& id, uint32_t access) {
    const uint64_t value = nextHandle_;
    nextHandle_ += 4;
    handles_[value] = Handle{id, access};
    return RegistryKey(value);
}

SimRegistry::Handle* SimRegistry::Open(RegistryKey key) {
    const auto it = handles_.find(key.value());
    if (it == handles_.end() || !Find(it->second.id)) return nullptr;
    return &it->second;
}

RegistryKey SimRegistry::CreateKey(RegistryRoot root, const std::u16string& path, uint32_t access,
                                   const std::u16string& className) {
    const std::u16string upper = Normal(path);
    if (upper.empty() || denied_.count(upper)) return {};
    const KeyId id{root, Resolve(upper, access), upper};
    const bool existed = Find(id) != nullptr;
    Ensure(id, path);
    if (!existed) keys_[id].className = className;
    return Issue(id, access);
}

RegistryKey SimRegistry::OpenKey(RegistryRoot root, const std::u16string& path, uint32_t access) {
    const std::u16string upper = Normal(path);
    if (denied_.count(upper)) return {};
    const KeyId id{root, Resolve(upper, access), upper};
    if (!Find(id)) return {};
    return Issue(id, access);
}

void SimRegistry::CloseKey(RegistryKey key) {
    if (handles_.erase(key.value()) == 0) ++badCloses_;
}

bool SimRegistry::SetValue(RegistryKey key, const std::u16string& name, RegistryType type,
                           std::span<const uint8_t> data) {
    Handle* handle = Open(key);
    if (!handle || !(handle->access & kKeySetValue)) return false;
    Node& node = keys_[handle->id];
    NamedValue& slot = node.values[AsciiUpper(name)];
    if (slot.order == 0) {
        slot.order = nextOrder_++;
        slot.name = name;
    }
    slot.value = RegistryValue{type, std::vector<uint8_t>(data.begin(), data.end())};
    return true;
}

std::optional<RegistryValue> SimRegistry::QueryValue(RegistryKey key, const std::u16string& name) {
    Handle* handle = Open(key);
    if (!handle) return std::nullopt;
    const Node& node = keys_[handle->id];
    const auto it = node.values.find(AsciiUpper(name));
    if (it == node.values.end()) return std::nullopt;
    return it->second.value;
}

bool SimRegistry::DeleteValue(RegistryKey key, const std::u16string& name) {
    Handle* handle = Open(key);
    if (!handle || !(handle->access & kKeySetValue)) return false;
    return keys_[handle->id].values.erase(AsciiUpper(name)) > 0;
}

bool SimRegistry::DeleteTree(RegistryKey key, const std::u16string& subkey) {
    Handle* handle = Open(key);
    if (!handle) return false;
    const auto& [root, view, base] = handle->id;
    const std::u16string sub = Normal(subkey);
    const std::u16string top = sub.empty() ? base : base + u"\\" + sub;
    if (!sub.empty() && !Find({root, view, top})) return false;
    for (auto it = keys_.begin(); it != keys_.end();) {
        const auto& [r, v, path] = it->first;
        const bool below = path.size() > top.size() && path.rfind(top + u"\\", 0) == 0;
        const bool remove = r == root && v == view && (below || (!sub.empty() && path == top));
        it = remove ? keys_.erase(it) : std::next(it);
    }
    if (sub.empty()) keys_[handle->id].values.clear();
    return true;
}

std::vector<const SimRegistry::Node*> SimRegistry::Children(const KeyId& id) const {
    const auto& [root, view, base] = id;
    std::vector<const Node*> children;
    for (const auto& [key, node] : keys_) {
        const auto& [r, v, path] = key;
        if (r != root || v != view || path.size() <= base.size() + 1) continue;
        if (path.rfind(base + u"\\", 0) != 0) continue;
        if (path.find(u'\\', base.size() + 1) != std::u16string::npos) continue;
        children.push_back(&node);
    }
    return children;
}

std::optional<uint32_t> SimRegistry::SubkeyCount(RegistryKey key) {
    Handle* handle = Open(key);
    if (!handle) return std::nullopt;
    return static_cast<uint32_t>(Children(handle->id).size());
}

std::optional<std::u16string> SimRegistry::SubkeyName(RegistryKey key, uint32_t index,
                                                      uint32_t bufferChars) {
    Handle* handle = Open(key);
    if (!handle) return std::nullopt;
    const auto children = Children(handle->id);
    if (index >= children.size()) return std::nullopt;
    const std::u16string& name = children[index]->spelling;
    if (name.size() + 1 > bufferChars) return std::nullopt;
    return name;
}

bool SimRegistry::Flush(RegistryKey key) {
    if (!Open(key)) return false;
    ++flushCount;
    return true;
}

void SimRegistry::PutKey(RegistryRoot root, SimRegistryView view, const std::u16string& path) {
    Ensure({root, view, Normal(path)}, path);
}

void SimRegistry::PutValue(RegistryRoot root, SimRegistryView view, const std::u16string& path,
                           const std::u16string& name, RegistryType type,
                           std::vector<uint8_t> data) {
    const KeyId id{root, view, Normal(path)};
    Ensure(id, path);
    NamedValue& slot = keys_[id].values[AsciiUpper(name)];
    if (slot.order == 0) {
        slot.order = nextOrder_++;
        slot.name = name;
    }
    slot.value = RegistryValue{type, std::move(data)};
}

bool SimRegistry::KeyExists(RegistryRoot root, SimRegistryView view,
                            const std::u16string& path) const {
    return Find({root, view, Normal(path)}) != nullptr;
}

std::optional<RegistryValue> SimRegistry::Value(RegistryRoot root, SimRegistryView view,
                                                const std::u16string& path,
                                                const std::u16string& name) const {
    const Node* node = Find({root, view, Normal(path)});
    if (!node) return std::nullopt;
    const auto it = node->values.find(AsciiUpper(name));
    if (it == node->values.end()) return std::nullopt;
    return it->second.value;
}

std::optional<std::u16string> SimRegistry::Text(RegistryRoot root, SimRegistryView view,
                                                const std::u16string& path,
                                                const std::u16string& name) const {
    const auto value = Value(root, view, path, name);
    if (!value || (value->type != RegistryType::kSz && value->type != RegistryType::kExpandSz)) {
        return std::nullopt;
    }
    return RegistryStringText(value->data);
}

std::u16string SimRegistry::ClassName(RegistryRoot root, SimRegistryView view,
                                      const std::u16string& path) const {
    const Node* node = Find({root, view, Normal(path)});
    return node ? node->className : std::u16string();
}

std::vector<std::u16string> SimRegistry::ValueNames(RegistryRoot root, SimRegistryView view,
                                                    const std::u16string& path) const {
    const Node* node = Find({root, view, Normal(path)});
    if (!node) return {};
    std::map<uint64_t, std::u16string> byOrder;
    for (const auto& [upper, value] : node->values) byOrder[value.order] = value.name;
    std::vector<std::u16string> names;
    for (const auto& [order, name] : byOrder) names.push_back(name);
    return names;
}

void SimRegistry::DenyKey(const std::u16string& path) { denied_.insert(Normal(path)); }

}  // namespace tonedeck
