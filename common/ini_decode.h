#pragma once
// Byte-order-mark detection and decoding of INI files into UTF-16 (Basic Multilingual Plane only).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/ini_mgr.h"

namespace tonedeck {

struct DetectedEncoding {
    IniEncoding encoding;
    std::size_t markLength;
};

DetectedEncoding DetectIniEncoding(const std::vector<uint8_t>& bytes);

// Decodes the bytes after the mark; false when they are not valid in that encoding.
bool DecodeIniText(const std::vector<uint8_t>& bytes, DetectedEncoding detected,
                   std::u16string& text);

}  // namespace tonedeck
