// The EQ page: knob places to band codes and registers, value labels, bar jumps and clamps, the
// reset of the current preset only.

#include <gtest/gtest.h>

#include "panel/settings/eq_codes.h"
#include "panel/settings/eq_page.h"
#include "settings_rig.h"

namespace tonedeck {
namespace {

using test::Reports;
using test::SettingsRig;

class EqPage : public ::testing::Test, public SettingsRig {
  protected:
    void SetUp() override {
        sound = world.AddSoundDevice();
        Start();
        ClearLogs();
    }
};

struct MappingRow {
    int offset;
    uint16_t code;
    const char16_t* label;
};

TEST(EqKnobs, BothMappingsAndTheLabelsAgreeAtTheMarks) {
    constexpr int kRange = 120;
    const std::vector<MappingRow> rows = {{0, 4095, u"fff"},
                                          {kRange, 0, u"0"},
                                          {kRange / 2, 1024, u"400"},
                                          {kRange / 2 - 1, 1077, u"435"}};
    for (const MappingRow& row : rows) {
        EXPECT_EQ(BandCodeFromOffset(row.offset, kRange), row.code) << row.offset;
        EXPECT_EQ(OffsetFromBandCode(row.code, kRange), row.offset) << row.code;
        EXPECT_EQ(BandValueText(row.code), row.label) << row.code;
    }
    // The upper half starts at 1026: no place gives 1025.
    for (int offset = 0; offset <= kRange; ++offset) {
        EXPECT_NE(BandCodeFromOffset(offset, kRange), 1025) << offset;
    }
}

TEST(EqKnobs, DragsAndBarPressesStopAtBothEnds) {
    const EqSliderGeometry geometry{70, 120};
    EXPECT_EQ(ClampEqKnobTop(10, geometry), 70);
    EXPECT_EQ(ClampEqKnobTop(500, geometry), 190);
    EXPECT_EQ(ClampEqKnobTop(130, geometry), 130);
    EXPECT_EQ(EqKnobTopForBarPress(140, 20, geometry), 130) << "the knob's middle on the point";
    EXPECT_EQ(EqKnobTopForBarPress(72, 20, geometry), 70);
    EXPECT_EQ(EqKnobTopForBarPress(400, 20, geometry), 190);
}

TEST_F(EqPage, KnobAtTheTopWritesFfAndOfAfterTheBypassBit) {
    controller.MoveEqBand(0, 0, 120);
    EXPECT_EQ(firmware().SentReports(),
              Reports().M(297, 0xE4).I().W(288, 0xFF).W(289, 0x0F).I().list);
    EXPECT_EQ(settings.presets.Load(1).bands[0], 4095) << "stored in the current preset";
    EXPECT_EQ(view.events, std::vector<std::string>{"show S1"});

    ClearLogs();
    controller.MoveEqBand(0, 120, 120);
    EXPECT_EQ(firmware().Register(288), 0x00);
    EXPECT_EQ(firmware().Register(289), 0x00);
    controller.MoveEqBand(0, 60, 120);
    EXPECT_EQ(firmware().Register(288), 0x00);
    EXPECT_EQ(firmware().Register(289), 0x04);
}

TEST_F(EqPage, WithoutSyncTheDragChangesThePresetAndWritesNothing) {
    settings.syncToDevice = false;
    controller.MoveEqBand(2, 0, 120);
    EXPECT_EQ(settings.presets.Load(1).bands[2], 4095);
    EXPECT_EQ(firmware().SentReports(), Reports().I().list) << "only the idle report";
}

TEST_F(EqPage, ResetOnS3KeepsTheOtherPresetsAndEqEnable) {
    controller.ToggleEqEnable();
    for (int preset = 1; preset <= 4; ++preset) {
        controller.SelectPreset(preset);
        controller.MoveEqBand(preset - 1, 0, 120);
    }
    controller.SelectPreset(3);
    ClearLogs();
    controller.ResetEqualizer();
    for (int band = 0; band < kBandCount; ++band) {
        EXPECT_EQ(settings.presets.Load(3).bands[static_cast<std::size_t>(band)], 1024);
    }
    EXPECT_EQ(settings.presets.Load(1).bands[0], 4095);
    EXPECT_EQ(settings.presets.Load(2).bands[1], 4095);
    EXPECT_EQ(settings.presets.Load(4).bands[3], 4095);
    EXPECT_TRUE(settings.eqEnable);
    EXPECT_EQ(firmware().Register(294), 0x00);
    EXPECT_EQ(firmware().Register(295), 0x04);
}

}  // namespace
}  // namespace tonedeck
