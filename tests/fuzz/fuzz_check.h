#pragma once
// What the fuzz targets share: the input as text or bytes, and a check that ends the run loudly
// when an invariant breaks, so libFuzzer keeps the input that broke it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace tonedeck::fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

inline std::vector<uint8_t> Bytes(const uint8_t* data, std::size_t size) {
    return std::vector<uint8_t>(data, data + size);
}

inline std::string_view Text(const uint8_t* data, std::size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

// Two bytes a character, low byte first; an odd last byte is dropped.
inline std::u16string Utf16Le(const uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    return text;
}

}  // namespace tonedeck::fuzz

#define FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : ::tonedeck::fuzz::Fail(__FILE__, __LINE__, #condition))
