// Pure byte logic of the settings model: preset records, register composition, band codes,
// the lock-out table and the speaker field.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <stdexcept>

#include "panel/settings/eq_codes.h"
#include "panel/settings/lock_out.h"
#include "panel/settings/preset_store.h"
#include "panel/settings/register_map.h"
#include "panel/settings/sound_settings.h"
#include "panel/settings/speaker_field.h"

namespace tonedeck {
namespace {

EqBlock Block(std::array<uint16_t, 5> bands, bool bypass, bool d3, bool f5 = true, bool f6 = true) {
    EqBlock block;
    block.bands = bands;
    block.bypass = bypass;
    block.d3Flag = d3;
    block.fixedFlag5 = f5;
    block.fixedFlag6 = f6;
    return block;
}

struct PackRow {
    const char* name;
    EqBlock block;
    PresetRecord record;
};

TEST(PresetRecord, PacksBandsAndFlagsBitExactly) {
    const std::vector<PackRow> rows = {
        {"default block", kDefaultEqBlock, {0x00, 0x04, 0x40, 0x00, 0x04, 0x40, 0x00, 0xE4}},
        {"distinct nibbles",
         Block({0xABC, 0x123, 0x456, 0x789, 0xDEF}, false, false),
         {0xBC, 0x3A, 0x12, 0x56, 0x94, 0x78, 0xEF, 0x6D}},
        {"extremes, 3D on, bypass off",
         Block({0xFFF, 0, 0xFFF, 0, 0xFFF}, false, true),
         {0xFF, 0x0F, 0x00, 0xFF, 0x0F, 0x00, 0xFF, 0x7F}},
        {"only the bypass flag",
         Block({0, 0, 0, 0, 0}, true, false, false, false),
         {0, 0, 0, 0, 0, 0, 0, 0x80}},
        {"only the 3D flag",
         Block({0, 0, 0, 0, 0}, false, true, false, false),
         {0, 0, 0, 0, 0, 0, 0, 0x10}},
        {"only fixed flag 5",
         Block({0, 0, 0, 0, 0}, false, false, true, false),
         {0, 0, 0, 0, 0, 0, 0, 0x20}},
        {"only fixed flag 6",
         Block({0, 0, 0, 0, 0}, false, false, false, true),
         {0, 0, 0, 0, 0, 0, 0, 0x40}},
    };
    for (const PackRow& row : rows) {
        EXPECT_EQ(PackPreset(row.block), row.record) << row.name;
        EXPECT_EQ(UnpackPreset(row.record), row.block) << row.name;
    }
}

TEST(PresetRecord, UnpackIgnoresTheZeroTailAndKeepsTwelveBits) {
    PresetRecord record = PackPreset(Block({1, 2, 3, 4, 5}, false, false));
    record.back() = 0xFF;
    EXPECT_EQ(UnpackPreset(record).bands, (std::array<uint16_t, 5>{1, 2, 3, 4, 5}));

    EqBlock wide = kDefaultEqBlock;
    wide.bands[0] = 0x1FFF;  // only a 12-bit code fits its record
    EXPECT_EQ(UnpackPreset(PackPreset(wide)).bands[0], 0xFFF);
}

TEST(PresetStore, StartsWithDefaultBlocksAndKeepsPresetsApart) {
    SoundSettings settings;
    for (int preset = 1; preset <= 4; ++preset) {
        EXPECT_EQ(settings.presets.Load(preset), kDefaultEqBlock) << preset;
    }
    settings.eqBlock.bands[2] = 4095;
    StorePreset(settings, 3);
    settings.eqBlock = kDefaultEqBlock;
    LoadPreset(settings, 1);
    EXPECT_EQ(settings.eqBlock.bands[2], kBandResetCode);
    LoadPreset(settings, 3);
    EXPECT_EQ(settings.eqBlock.bands[2], 4095);
    EXPECT_THROW(LoadPreset(settings, 0), std::out_of_range);
    EXPECT_THROW(StorePreset(settings, 5), std::out_of_range);
}

TEST(RegisterMap, ComposesRegister297AndTheEqualizerBlock) {
    EXPECT_EQ(ComposeRegister297(kDefaultEqBlock), 0xE4);
    EXPECT_EQ(ComposeRegister297(Block({0, 0, 0, 0, 0x3FF}, false, true)), 0x73);
    EXPECT_EQ(ComposeRegister297(Block({0, 0, 0, 0, 0xFFF}, true, true)), 0xFF);

    const auto writes = EqBlockWrites(Block({0xABC, 0x123, 0x456, 0x789, 0xDEF}, false, false));
    const std::array<RegisterWrite, 10> expected = {{{288, 0xBC},
                                                     {289, 0x0A},
                                                     {290, 0x23},
                                                     {291, 0x01},
                                                     {292, 0x56},
                                                     {293, 0x04},
                                                     {294, 0x89},
                                                     {295, 0x07},
                                                     {296, 0xEF},
                                                     {297, 0x6D}}};
    EXPECT_EQ(writes, expected);
}

TEST(RegisterMap, BitsNibblesAndBandFiveMerge) {
    EXPECT_EQ(WithBits(0x41, kDspEnableBit, true), 0x45);
    EXPECT_EQ(WithBits(0x45, kDspEnableBit, false), 0x41);
    EXPECT_EQ(WithBits(0x65, k3DEnableBit, false), 0x25);
    EXPECT_EQ(WithBits(0x25, kFbmBit, false), 0x24);

    EXPECT_EQ(ComposeNibblePair(10, 3), 0xA3);
    EXPECT_EQ(ComposeNibblePair(15, 15), 0xFF);
    EXPECT_EQ(ComposeNibblePair(0, 0), 0x00);
    EXPECT_EQ(ComposeNibblePair(16, 0), std::nullopt);
    EXPECT_EQ(ComposeNibblePair(0, 20), std::nullopt);

    EXPECT_EQ(MergeBand5High(0xF4, 0xABC), 0xFA);  // the flags in the high nibble stay
    EXPECT_EQ(MergeBand5High(0x00, 0xFFF), 0x0F);
    EXPECT_EQ(BandLowRegister(0), 288);
    EXPECT_EQ(BandLowRegister(4), 296);
    EXPECT_EQ(BandHighRegister(3), 295);
}

struct CodeRow {
    int offset;
    int range;
    uint16_t code;
};

TEST(BandCodes, SliderPlacesBecomeTwelveBitCodes) {
    const std::vector<CodeRow> rows = {
        {0, 120, 4095},   // top
        {120, 120, 0},    // bottom
        {60, 120, 1024},  // middle of an even travel
        {59, 120, 1077},  // just above the middle: the upper half spreads three to one
        {61, 120, 1007},  // just below: linear
        {30, 120, 2559}, {60, 121, 1050},  // an odd travel has no exact middle
        {10, 0, 1024},                     // no skin read yet: no division by zero
    };
    for (const CodeRow& row : rows) {
        EXPECT_EQ(BandCodeFromOffset(row.offset, row.range), row.code)
            << row.offset << "/" << row.range;
    }
    EXPECT_EQ(OffsetFromBandCode(4095, 120), 0);
    EXPECT_EQ(OffsetFromBandCode(1024, 120), 60);
    EXPECT_EQ(OffsetFromBandCode(0, 120), 120);
    for (int offset = 0; offset <= 120; ++offset) {
        EXPECT_EQ(OffsetFromBandCode(BandCodeFromOffset(offset, 120), 120), offset) << offset;
    }
}

TEST(LockOut, ExactlyTheListedButtonsPageTabsAndDragControlsWarn) {
    const std::set<int> lockedButtons = {2,  3,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                         16, 17, 18, 19, 20, 21, 22, 47, 48, 51};
    for (int tag = 0; tag <= 140; ++tag) {
        const bool pageTab = tag >= 23 && tag <= 27;
        const bool drag = (tag >= 29 && tag <= 46) || (tag >= 129 && tag <= 133) || tag == 138;
        const bool locked = lockedButtons.count(tag) || pageTab || drag;
        EXPECT_EQ(IsButtonLockedWithoutDevice(tag), lockedButtons.count(tag) == 1) << tag;
        EXPECT_EQ(PressLockedOut(tag, false), locked) << tag;
        EXPECT_FALSE(PressLockedOut(tag, true)) << tag;
    }
    for (int free : {0, 1, 4, 14, 15, 28, 49, 50})
        EXPECT_FALSE(PressLockedOut(free, false)) << free;
}

TEST(SpeakerField, ResetLayoutTruncatesTowardZero) {
    const SpeakerPlaces places = ResetSpeakerLayout({200, 150, 100});  // h 50, R 80
    EXPECT_EQ(places[kSpeakerC], (SpeakerPoint{200, 70}));
    EXPECT_EQ(places[kSpeakerLS], (SpeakerPoint{120, 150}));
    EXPECT_EQ(places[kSpeakerRS], (SpeakerPoint{280, 150}));
    EXPECT_EQ(places[kSpeakerSub], (SpeakerPoint{200, 100}));
    EXPECT_EQ(places[kSpeakerL], (SpeakerPoint{143, 93}));  // 200 - 56.57, 150 - 56.57
    EXPECT_EQ(places[kSpeakerR], (SpeakerPoint{256, 93}));
    EXPECT_EQ(places[kSpeakerLB], (SpeakerPoint{143, 206}));
    EXPECT_EQ(places[kSpeakerRB], (SpeakerPoint{256, 206}));

    // An odd radius halves downward; R = 40 * 1.6 = 64.
    EXPECT_EQ(ResetSpeakerLayout({0, 0, 81})[kSpeakerLS], (SpeakerPoint{-64, 0}));
}

struct MapRow {
    const char* name;
    SpeakerPoint place;
    double gain;
    double angle;
};

TEST(SpeakerField, GainFallsOneDecibelPerNinePixelsAndAnglesRunCounterClockwise) {
    const SpeakerField field{200, 150, 100};
    const std::vector<MapRow> rows = {
        {"on the centre", {200, 150}, std::pow(10.0, 0.2), 0.0},
        {"36 px right: 0 dB", {236, 150}, 1.0, 0.0},
        {"72 px above", {200, 78}, std::pow(10.0, -0.2), 1.5707963},
        {"straight below", {200, 186}, 1.0, 6.28318 - 1.5707963},
        {"straight left", {164, 150}, 1.0, 3.14159},
        {"below left",
         {164, 186},
         std::pow(10.0, (4 - std::sqrt(2.0) * 36 / 9) * 0.05),
         3.14159 + 0.7853982},
        {"above left",
         {164, 114},
         std::pow(10.0, (4 - std::sqrt(2.0) * 36 / 9) * 0.05),
         3.14159 - 0.7853982},
    };
    for (const MapRow& row : rows) {
        SpeakerPlaces places;
        places.fill(row.place);
        SpeakerRecords records{};
        const SpeakerMapValues map = ComputeSpeakerMap(places, field, &records);
        EXPECT_NEAR(map[0], row.gain, 1e-5) << row.name;
        EXPECT_NEAR(map[8], row.angle, 1e-5) << row.name;
        EXPECT_NEAR(records[7].angle, row.angle, 1e-5) << row.name;
    }
}

TEST(SpeakerField, TheHistoricalCentrePointIsNudgedBeforeUse) {
    SpeakerPlaces places;
    places.fill({168, 147});
    places[1] = {170, 147};
    SpeakerRecords records{};
    ComputeSpeakerMap(places, {168, 147, 100}, &records);
    EXPECT_EQ(places[0], (SpeakerPoint{169, 148}));
    EXPECT_EQ(places[1], (SpeakerPoint{170, 147}));
    EXPECT_NEAR(records[0].distance, std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(records[0].angle, 6.28318 - std::atan2(1.0, 1.0), 1e-5);
}

}  // namespace
}  // namespace tonedeck
