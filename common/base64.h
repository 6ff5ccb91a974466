#pragma once
// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tonedeck {

enum Base64Result : int {
    kBase64Ok = 0,
    kBase64BadLength = 1,      // length 0 or not a multiple of 4
    kBase64NoRoom = 2,         // capacity not greater than three quarters of the length
    kBase64BadCharacter = 3,   // outside the alphabet
};

// `capacity` in: room in `out`; out: decoded length.
int Base64Decode(const char* text, std::size_t length, uint8_t* out, std::size_t& capacity);

std::string Base64Encode(const std::vector<uint8_t>& bytes);

}  // namespace tonedeck
