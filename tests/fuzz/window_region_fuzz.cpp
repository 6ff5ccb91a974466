// ParseRegionFile on any MainForm_Frame.rgn: a refusal names the file; an outline stays inside
// the bytes it came from.

#include "fuzz_check.h"
#include "panel/window/window_errors.h"
#include "panel/window/window_region.h"

using namespace tonedeck;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string path = u"C:\\Program Files\\Tonedeck\\Skin\\Fuzz\\MainForm_Frame.rgn";
    try {
        const WindowRegion region = ParseRegionFile(fuzz::Bytes(data, size), path);
        FUZZ_CHECK(kRegionHeaderBytes + region.rects.size() * 16 <= size);
    } catch (const FileLoadError& error) {
        FUZZ_CHECK(error.Text().find(path) != std::u16string::npos);
    }
    return 0;
}
