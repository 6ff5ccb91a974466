// Room effects and virtual 7.1: effect numbers by position, speaker gains and angles, drags in
// the circle and the picture's margins, the enable switch and the rotation.

#include <gtest/gtest.h>

#include <cmath>

#include "panel/device/driver_records.h"
#include "panel/settings/room_effect.h"
#include "settings_rig.h"

namespace tonedeck {
namespace {

using test::kRigField;
using test::SettingsRig;

TEST(RoomEffect, ButtonsMeanTheirPositionNotTheirName) {
    // Tag 18 is the component named after the stone gallery; it is the bathroom.
    EXPECT_EQ(EffectForTag(16), 1);
    EXPECT_EQ(EffectForTag(18), 3);
    EXPECT_EQ(EffectForTag(20), 5);
    EXPECT_EQ(EffectForTag(21), 0);
    EXPECT_EQ(DriverEffectNumber(5), 4u);
}

struct SpeakerRow {
    const char* what;
    SpeakerPoint place;  // relative to the centre
    float gain;
    float angle;
};

TEST(SpeakerMap, GainsAndAnglesAroundTheCentre) {
    const float down = static_cast<float>(6.28318 - std::atan2(1.0, 0.0));
    const std::vector<SpeakerRow> rows = {
        {"centre", {0, 0}, static_cast<float>(std::pow(10.0, 0.2)), 0.0f},
        {"36 px right", {36, 0}, 1.0f, 0.0f},
        {"72 px up", {0, -72}, static_cast<float>(std::pow(10.0, -0.2)), 1.5707964f},
        {"36 px down", {0, 36}, 1.0f, down},
        {"36 px left", {-36, 0}, 1.0f, 3.14159f},
    };
    for (const SpeakerRow& row : rows) {
        SpeakerPlaces places{};
        places.fill({kRigField.centerX + row.place.left, kRigField.centerY + row.place.top});
        const SpeakerMapValues map = ComputeSpeakerMap(places, kRigField, nullptr);
        EXPECT_FLOAT_EQ(map[0], row.gain) << row.what;
        EXPECT_FLOAT_EQ(map[kSpeakerCount], row.angle) << row.what;
    }
    EXPECT_NEAR(down, 4.7123837f, 1e-6);
}

TEST(SpeakerMap, PlacesFromAProfileMayBeAnyNumbers) {
    SpeakerPlaces places{};
    places.fill({INT32_MIN, INT32_MAX});
    SpeakerRecords records{};
    const SpeakerMapValues map = ComputeSpeakerMap(places, kRigField, &records);
    EXPECT_EQ(map[0], 0.0f) << "far away is silent, not undefined";
    EXPECT_GT(records[0].distance, 3e9);
    SpeakerRecord record{1.0f, 1e12};
    const SpeakerPoint placed = PlaceSpeaker(record, kRigField, record.distance, 0);
    EXPECT_EQ(placed.left, INT32_MAX);
    EXPECT_EQ(placed.top, INT32_MIN);
}

struct DragRow {
    const char* what;
    SpeakerPoint proposed;
    std::optional<SpeakerPoint> result;
};

TEST(SpeakerDrag, InsideTheCircleAndThePictureMarginsOnly) {
    // Centre 200,150, radius 100; picture 60,20 260x250 (margins: left > 70, right <= 310 - w,
    // top >= 30, bottom <= 260 - h); images 24x24.
    const PictureRect picture{60, 20, 260, 250};
    const SpeakerPoint current{200, 100};
    const std::vector<DragRow> rows = {
        {"inside", {210, 120}, SpeakerPoint{210, 120}},
        {"outside the circle", {301, 150}, std::nullopt},
        {"on the circle", {300, 150}, SpeakerPoint{200, 150}},  // x too far right: x refused
        {"left margin is strict", {100, 150}, SpeakerPoint{100, 150}},
        {"top margin reached", {200, 50}, SpeakerPoint{200, 50}},
        {"top margin passed", {200, 50 - 21}, std::nullopt},
        {"bottom margin passed", {200, 237}, SpeakerPoint{200, 100}},
        {"bottom margin reached", {200, 236}, SpeakerPoint{200, 236}},
        {"right margin reached", {286, 140}, SpeakerPoint{286, 140}},
    };
    for (const DragRow& row : rows) {
        const auto result = DraggedSpeakerPlace(current, row.proposed, 24, 24, kRigField, picture);
        EXPECT_EQ(result, row.result) << row.what;
    }
    const SpeakerField nearLeft{80, 150, 100};
    EXPECT_EQ(DraggedSpeakerPlace(current, {70, 150}, 24, 24, nearLeft, picture),
              (SpeakerPoint{200, 150}))
        << "x equal to the margin is refused, y taken";
}

class VirtualPage : public ::testing::Test, public SettingsRig {
  protected:
    void SetUp() override {
        sound = world.AddSoundDevice();
        Start();
        ClearLogs();
    }
    std::vector<SimDriverRequest> MapRequests() {
        std::vector<SimDriverRequest> maps;
        for (const auto& request : world.filterDriver().requests()) {
            if (request.code == kIoctlSendSpeakerMap) maps.push_back(request);
        }
        return maps;
    }
};

TEST_F(VirtualPage, EnableSendsTheMapAndLeavesTheStoredRecordsAlone) {
    settings.speakerRecords[0].angle = 9.0f;  // as a rotation may have left it
    controller.ToggleVirtualEnable();
    EXPECT_TRUE(settings.virtualEnable);
    const auto maps = MapRequests();
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(ReadU32(maps[0].input, 4), 1u);
    EXPECT_EQ(settings.speakerRecords[0].angle, 9.0f);
}

TEST_F(VirtualPage, RotationTurnsOneDegreeATickWithoutDrift) {
    const SpeakerRecords records = settings.speakerRecords;
    settings.rotateClockwise = true;
    // Each tick places the images at the stored angles, then advances them.
    controller.RotationTick();
    const SpeakerPlaces first = settings.speakerPlaces;
    for (std::size_t i = 0; i < kSpeakerCount; ++i) {
        EXPECT_FLOAT_EQ(settings.speakerRecords[i].angle,
                        static_cast<float>(records[i].angle + kOneDegree))
            << i;
    }
    for (int tick = 1; tick < 360; ++tick) controller.RotationTick();
    for (std::size_t i = 0; i < kSpeakerCount; ++i) {
        EXPECT_NEAR(settings.speakerRecords[i].angle, records[i].angle + 360 * kOneDegree, 1e-4)
            << i;
        EXPECT_DOUBLE_EQ(settings.speakerRecords[i].distance, records[i].distance) << i;
    }
    // A full turn later the images are back where the first tick put them, within the pixel
    // their truncation allows: the integer places never feed back into the turn.
    controller.RotationTick();
    EXPECT_EQ(MapRequests().size(), 361u);
    for (std::size_t i = 0; i < kSpeakerCount; ++i) {
        EXPECT_LE(std::abs(settings.speakerPlaces[i].left - first[i].left), 1) << i;
        EXPECT_LE(std::abs(settings.speakerPlaces[i].top - first[i].top), 1) << i;
    }

    settings.rotateClockwise = false;
    settings.rotateCounterclockwise = true;
    const float before = settings.speakerRecords[2].angle;
    controller.RotationTick();
    EXPECT_FLOAT_EQ(settings.speakerRecords[2].angle, static_cast<float>(before - kOneDegree));
}

TEST_F(VirtualPage, NoRotationWithoutTheDeviceOrWithBothSwitchesOff) {
    const SpeakerPlaces start = settings.speakerPlaces;
    controller.RotationTick();
    settings.rotateClockwise = true;
    settings.devicePresent = false;
    controller.RotationTick();
    EXPECT_EQ(settings.speakerPlaces, start);
    EXPECT_TRUE(MapRequests().empty());
}

TEST_F(VirtualPage, DragStoresTheRecordAndSendsTheMap) {
    const bool moved = controller.DragSpeaker(
        kSpeakerC, {kRigField.centerX, kRigField.centerY - 36}, 24, 24, {60, 20, 280, 280});
    EXPECT_TRUE(moved);
    EXPECT_DOUBLE_EQ(settings.speakerRecords[kSpeakerC].distance, 36.0);
    ASSERT_EQ(MapRequests().size(), 1u);
    EXPECT_FLOAT_EQ(ReadF32(MapRequests()[0].input, 8 + 4 * kSpeakerC), 1.0f);
    EXPECT_FALSE(controller.DragSpeaker(kSpeakerC, {0, 0}, 24, 24, {60, 20, 280, 280}));
    EXPECT_EQ(MapRequests().size(), 1u) << "a refused step sends nothing";
}

TEST_F(VirtualPage, RescaleMovesTheImagesAndKeepsTheDistances) {
    const SpeakerRecords records = settings.speakerRecords;
    controller.RescaleSpeakers(0.5);
    EXPECT_EQ(settings.speakerPlaces[kSpeakerLS].left,
              static_cast<int>(kRigField.centerX - records[kSpeakerLS].distance * 0.5));
    EXPECT_DOUBLE_EQ(settings.speakerRecords[kSpeakerLS].distance, records[kSpeakerLS].distance);
    EXPECT_TRUE(MapRequests().empty());
}

}  // namespace
}  // namespace tonedeck
