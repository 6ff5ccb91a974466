#pragma once
// A GUID as a plain value, laid out like the Windows structure.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tonedeck {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};

    friend bool operator==(const Guid&, const Guid&) = default;
};

// "{6994AD04-93EF-11D0-A3CC-00A0C9223196}"
inline std::u16string FormatGuid(const Guid& guid) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string text = u"{";
    auto put = [&text](uint64_t value, int digits) {
        for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
            text += kHex[(value >> shift) & 0xF];
        }
    };
    put(guid.data1, 8);
    text += u'-';
    put(guid.data2, 4);
    text += u'-';
    put(guid.data3, 4);
    text += u'-';
    for (std::size_t i = 0; i < guid.data4.size(); ++i) {
        if (i == 2) text += u'-';
        put(guid.data4[i], 2);
    }
    text += u'}';
    return text;
}

inline constexpr Guid kGuidDevInterfaceHid{
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
inline constexpr Guid kKsCategoryAudio{
    0x6994AD04, 0x93EF, 0x11D0, {0xA3, 0xCC, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};

}  // namespace tonedeck
