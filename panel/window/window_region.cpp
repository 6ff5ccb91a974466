#include "panel/window/window_region.h"

#include "panel/window/window_errors.h"

namespace tonedeck {

namespace {

int32_t Le32(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                (static_cast<uint32_t>(b[at + 3]) << 24));
}

constexpr int32_t kRectangleType = 1;

}  // namespace

WindowRegion ParseRegionFile(const std::vector<uint8_t>& bytes, const std::u16string& path) {
    auto fail = [&](const std::u16string& why) {
        return FileLoadError(u"Invalid region file \"" + path + u"\": " + why + u".");
    };
    if (bytes.size() < kRegionHeaderBytes) {
        throw fail(u"shorter than its 32-byte header (" + Utf8ToU16(std::to_string(bytes.size())) +
                   u" bytes)");
    }
    if (Le32(bytes, 0) != static_cast<int32_t>(kRegionHeaderBytes)) {
        throw fail(u"the header does not give its own size as 32");
    }
    if (Le32(bytes, 4) != kRectangleType) throw fail(u"the header is not of the rectangle type");
    const uint32_t count = static_cast<uint32_t>(Le32(bytes, 8));
    const uint64_t needed = kRegionHeaderBytes + uint64_t{count} * 16;
    if (needed > bytes.size()) {
        throw fail(u"the header announces " + Utf8ToU16(std::to_string(count)) +
                   u" rectangles but the file holds " +
                   Utf8ToU16(std::to_string((bytes.size() - kRegionHeaderBytes) / 16)));
    }
    WindowRegion region;
    region.width = Le32(bytes, 24);
    region.height = Le32(bytes, 28);
    for (uint32_t i = 0; i < count; ++i) {
        std::size_t at = kRegionHeaderBytes + std::size_t{i} * 16;
        region.rects.push_back(
            {Le32(bytes, at), Le32(bytes, at + 4), Le32(bytes, at + 8), Le32(bytes, at + 12)});
    }
    return region;
}

}  // namespace tonedeck
