#pragma once
// Payloads from the running program's own resources and version record.

#include "platform/ports/payloads.h"

namespace tonedeck {

class Win32Payloads : public Payloads {
  public:
    std::optional<std::span<const uint8_t>> Find(const std::u16string& typeName,
                                                 uint16_t id) override;
    std::optional<std::array<uint16_t, 4>> OwnFileVersion() override;
};

}  // namespace tonedeck
