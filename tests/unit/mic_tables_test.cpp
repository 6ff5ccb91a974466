// The microphone's numbers: slider places and percents, the level meter, the identity prefix
// and the listen value.

#include <gtest/gtest.h>

#include <vector>

#include "panel/device/capture_endpoint.h"
#include "panel/device/level_capture.h"
#include "panel/device/listen_to_device.h"
#include "panel/settings/mic_slider.h"

namespace tonedeck {
namespace {

SkinLayout MicLayout(int top = 93, int range = 120) {
    SkinLayout layout;
    layout.MicSliderTop = top;
    layout.SliderRange = range;
    return layout;
}

TEST(MicSlider, PercentAndPlaceFollowTheTrack) {
    struct Row {
        int top;
        int percent;
    };
    // Places the integer division maps back to themselves.
    const std::vector<Row> exact = {{93, 100}, {213, 0}, {153, 50}, {123, 75}, {201, 10}};
    for (const Row& row : exact) {
        EXPECT_EQ(MicPercentFromPlace(row.top, MicLayout()), row.percent) << row.top;
        EXPECT_EQ(MicPlaceFromPercent(row.percent, MicLayout()), row.top) << row.percent;
    }
    EXPECT_EQ(MicPlaceFromPercent(37, MicLayout()), 169);
    // 169 reads back as 36 %: integer division both ways loses a step.
    EXPECT_EQ(MicPercentFromPlace(169, MicLayout()), 36);
    EXPECT_EQ(MicPercentFromPlace(100, MicLayout(0, 0)), 0) << "a skin without a range";
}

TEST(MicSlider, DragsAndBarPressesStayOnTheTrack) {
    struct Row {
        int proposed;
        int top;
    };
    const std::vector<Row> rows = {{50, 93}, {93, 93}, {150, 150}, {213, 213}, {400, 213}};
    for (const Row& row : rows) {
        EXPECT_EQ(ClampMicSliderTop(row.proposed, MicLayout()), row.top) << row.proposed;
    }
    // The knob's middle goes to the pointer: a 20-pixel knob pressed at 160 sits at 150.
    EXPECT_EQ(MicBarPressTop(160, 20, MicLayout()), 150);
    EXPECT_EQ(MicBarPressTop(500, 20, MicLayout()), 213);
    EXPECT_EQ(MicBarPressTop(0, 20, MicLayout()), 93);
}

std::vector<uint8_t> Buffer(uint8_t deviation, std::size_t size = kLevelBufferBytes) {
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i % 2 ? 128 + deviation : 128 - deviation);
    }
    return bytes;
}

TEST(LevelMeter, LevelAndWidthFromOneBuffer) {
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        int32_t meterLength;
        uint32_t level;
        std::optional<int32_t> width;
    };
    const std::vector<Row> rows = {
        {"silence", Buffer(0), 203, 0, 0},
        {"average 32 fills the bar", Buffer(32), 203, 101, 202},
        {"average 1", Buffer(1), 203, 3, 18},
        {"full scale", Buffer(127), 203, 402, 202},
        {"bar of exactly 10 pixels", Buffer(32), 10, 5, 10},
        {"bar below 10 pixels keeps its width", Buffer(32), 9, 4, std::nullopt},
        {"bar below 10 pixels still empties on silence", Buffer(0), 9, 0, 0},
        {"all zeros deviate by 128", std::vector<uint8_t>(400, 0), 203, 406, 202},
    };
    for (const Row& row : rows) {
        const uint32_t level = MeterLevel(row.bytes, kLevelBufferBytes, row.meterLength);
        EXPECT_EQ(level, row.level) << row.name;
        EXPECT_EQ(MeterWidth(level, row.meterLength), row.width) << row.name;
    }
}

TEST(LevelMeter, AverageIsOverTheWholeBuffer) {
    // 200 bytes recorded with deviation 64: the other half counts as silence, average 32.
    EXPECT_EQ(MeterLevel(Buffer(64, 200), kLevelBufferBytes, 203), 101u);
    // Integer division: 399 × 1 / 400 is 0.
    std::vector<uint8_t> almost(400, 129);
    almost[0] = 128;
    EXPECT_EQ(MeterLevel(almost, kLevelBufferBytes, 203), 0u);
}

TEST(LevelMeter, WidthStepsByFourUpToTheBarsEnd) {
    for (uint32_t level = 1; level <= 60; ++level) {
        const auto width = MeterWidth(level, 203);
        ASSERT_TRUE(width.has_value());
        EXPECT_EQ(*width, static_cast<int32_t>(std::min<uint32_t>(10 + 4 * (level - 1), 202)))
            << level;
        EXPECT_LE(*width, 203);
    }
}

TEST(CaptureIdentity, PrefixAndListenTexts) {
    EXPECT_EQ(CaptureIdentityPrefix(0x0C76, 0x161B), u"\\\\?\\USB#VID_0C76&PID_161B");
    EXPECT_EQ(CaptureIdentityPrefix(0x0001, 0xABCD), u"\\\\?\\USB#VID_0001&PID_ABCD");
}

TEST(ListenValue, SerializedBooleanWithPadding) {
    const std::array<uint8_t, 16> on = {0x0B, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
    const std::array<uint8_t, 16> off = {0x0B, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(ListenValue(true), on);
    EXPECT_EQ(ListenValue(false), off);
}

}  // namespace
}  // namespace tonedeck
