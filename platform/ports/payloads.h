#pragma once
// The running program's own resources: the payloads it carries and its version.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tonedeck {

class Payloads {
  public:
    virtual ~Payloads() = default;
    // The bytes of the resource `id` of type `typeName` (type names compare without regard to
    // case). The memory belongs to the program image. nullopt when missing or unloadable.
    virtual std::optional<std::span<const uint8_t>> Find(const std::u16string& typeName,
                                                         uint16_t id) = 0;
    // The fixed file version, most significant part first; nullopt without a version resource.
    virtual std::optional<std::array<uint16_t, 4>> OwnFileVersion() = 0;
};

}  // namespace tonedeck
