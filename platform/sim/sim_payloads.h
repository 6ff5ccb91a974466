#pragma once
// The installer's resources in the simulated world: a table of payloads and a version.

#include <map>
#include <utility>
#include <vector>

#include "platform/ports/payloads.h"

namespace tonedeck {

class SimPayloads : public Payloads {
  public:
    std::optional<std::span<const uint8_t>> Find(const std::u16string& typeName,
                                                 uint16_t id) override;
    std::optional<std::array<uint16_t, 4>> OwnFileVersion() override { return version; }

    void Put(const std::u16string& typeName, uint16_t id, std::vector<uint8_t> bytes);
    void Remove(const std::u16string& typeName, uint16_t id);
    std::optional<std::array<uint16_t, 4>> version = std::array<uint16_t, 4>{1, 0, 0, 0};

  private:
    std::map<std::pair<std::u16string, uint16_t>, std::vector<uint8_t>> table_;
};

}  // namespace tonedeck
