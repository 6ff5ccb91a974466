#include "platform/sim/sim_payloads.h"

#include "common/text.h"

namespace tonedeck {

std::optional<std::span<const uint8_t>> SimPayloads::Find(const std::u16string& typeName,
                                                          uint16_t id) {
    const auto it = table_.find({AsciiUpper(typeName), id});
    if (it == table_.end()) return std::nullopt;
    return std::span<const uint8_t>(it->second);
}

void SimPayloads::Put(const std::u16string& typeName, uint16_t id, std::vector<uint8_t> bytes) {
    table_[{AsciiUpper(typeName), id}] = std::move(bytes);
}

void SimPayloads::Remove(const std::u16string& typeName, uint16_t id) {
    table_.erase({AsciiUpper(typeName), id});
}

}  // namespace tonedeck
