#pragma once
// A skin's window outline: the region-data block of MainForm_Frame.rgn.

#include <cstdint>
#include <string>
#include <vector>

namespace tonedeck {

inline constexpr std::size_t kRegionHeaderBytes = 32;

struct RegionRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct WindowRegion {
    int32_t width = 0;   // right edge of the bounding rectangle
    int32_t height = 0;  // bottom edge of the bounding rectangle
    std::vector<RegionRect> rects;
};

// Checks the block without reading past its end: a 32-byte header of the rectangle type whose
// count of rectangles fits the file. Throws FileLoadError naming `path` otherwise.
WindowRegion ParseRegionFile(const std::vector<uint8_t>& bytes, const std::u16string& path);

}  // namespace tonedeck
