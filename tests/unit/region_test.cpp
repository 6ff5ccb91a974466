#include <gtest/gtest.h>

#include "panel/window/window_errors.h"
#include "panel/window/window_region.h"
#include "window_test_fixture.h"

namespace tonedeck {
namespace {

using testing_window::Region;

TEST(WindowRegionFile, ReadsBoundsAndRectangles) {
    WindowRegion region = ParseRegionFile(Region(400, 300, 3, 3), u"C:\\s\\MainForm_Frame.rgn");
    EXPECT_EQ(region.width, 400);
    EXPECT_EQ(region.height, 300);
    ASSERT_EQ(region.rects.size(), 3u);
    EXPECT_EQ(region.rects[2].top, 2);
    EXPECT_EQ(region.rects[2].right, 400);
    EXPECT_EQ(region.rects[2].bottom, 3);
}

TEST(WindowRegionFile, RejectsShortFilesAndLyingHeadersNamingTheFile) {
    auto good = Region(400, 300, 2, 2);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char16_t* expected;
    };
    std::vector<uint8_t> wrongSize = good;
    wrongSize[0] = 40;
    std::vector<uint8_t> notRectangles = good;
    notRectangles[4] = 2;
    const Case cases[] = {
        {"empty", {}, u"shorter than its 32-byte header (0 bytes)"},
        {"31 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 31), u"(31 bytes)"},
        {"more rectangles than bytes", Region(400, 300, 5, 2),
         u"announces 5 rectangles but the file holds 2"},
        {"huge count", Region(400, 300, 0xFFFFFFFF, 1), u"announces 4294967295 rectangles"},
        {"header size", wrongSize, u"does not give its own size as 32"},
        {"type", notRectangles, u"not of the rectangle type"},
    };
    for (const auto& c : cases) {
        try {
            ParseRegionFile(c.bytes, u"C:\\s\\MainForm_Frame.rgn");
            ADD_FAILURE() << c.what << " accepted";
        } catch (const FileLoadError& error) {
            EXPECT_NE(error.Text().find(c.expected), std::u16string::npos)
                << c.what << ": " << error.what();
            EXPECT_NE(error.Text().find(u"C:\\s\\MainForm_Frame.rgn"), std::u16string::npos);
        }
    }
}

TEST(WindowRegionFile, HeaderOnlyFileIsAnEmptyRegion) {
    WindowRegion region = ParseRegionFile(Region(10, 20, 0, 0), u"r.rgn");
    EXPECT_EQ(region.width, 10);
    EXPECT_TRUE(region.rects.empty());
}

}  // namespace
}  // namespace tonedeck
