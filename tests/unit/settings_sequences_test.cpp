// The whole-state sequences of the settings model against the simulated device: start-up,
// hot-plug through device presence, the EQ/3D switches and the restoration at exit.

#include <gtest/gtest.h>

#include <cmath>

#include "panel/device/driver_records.h"
#include "panel/settings/register_map.h"
#include "settings_rig.h"

namespace tonedeck {
namespace {

using test::Reports;
using test::SettingsRig;
using Strings = std::vector<std::string>;

constexpr uint32_t kStatus = kIoctlQueryDriverStatus;
constexpr uint32_t kMap = kIoctlSendSpeakerMap;
constexpr uint32_t kExchange = kIoctlExchangeDriverParameter;
constexpr uint32_t kRoom = kIoctlSendRoomEffect;

std::vector<uint32_t> Codes(const SimFilterDriver& driver) { return driver.RequestCodes(); }

// The enable word and the sixteen floats of a speaker-map request.
struct SentMap {
    uint32_t enable;
    SpeakerMapValues values;
};
SentMap DecodeMap(const SimDriverRequest& request) {
    SentMap map{ReadU32(request.input, 4), {}};
    for (std::size_t i = 0; i < map.values.size(); ++i) {
        map.values[i] = ReadF32(request.input, 8 + 4 * i);
    }
    return map;
}

class SettingsSequence : public ::testing::Test, public SettingsRig {
  protected:
    void TearDown() override {
        presence.ClosePresenceHandle();
        EXPECT_EQ(world.OpenHandleCount(), 0u);
        EXPECT_EQ(world.BadCloseCount(), 0u);
    }
};

TEST_F(SettingsSequence, StartWithoutProfileWritesNoRegisterAndSendsTheStartRequests) {
    sound = world.AddSoundDevice();
    Start();

    EXPECT_TRUE(settings.devicePresent);
    EXPECT_TRUE(settings.syncToDevice);
    EXPECT_TRUE(firmware().SentReports().empty());
    EXPECT_EQ(firmware().Register(297), 0xE4);

    const auto& requests = world.filterDriver().requests();
    ASSERT_EQ(Codes(world.filterDriver()), (std::vector<uint32_t>{kStatus, kMap, kExchange, kMap}));
    EXPECT_EQ(requests[0].input, (std::vector<uint8_t>{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(requests[2].input, (std::vector<uint8_t>{1, 0, 0, 0, 0, 0, 0, 0}));
    for (const auto& request : requests) {
        EXPECT_EQ(request.path, u"\\\\.\\Class#TonedeckExtension&0C76&161B");
    }

    // First from the design places (every speaker on the centre: +4 dB, angle 0), then from
    // the reset layout.
    const SentMap first = DecodeMap(requests[1]);
    EXPECT_EQ(first.enable, 0u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(first.values[i], std::pow(10.0, 0.2), 1e-6) << i;
        EXPECT_EQ(first.values[8 + i], 0.0f) << i;
    }
    const SentMap reset = DecodeMap(requests[3]);
    EXPECT_EQ(reset.enable, 0u);
    EXPECT_NEAR(reset.values[kSpeakerC], std::pow(10.0, (4 - 80.0 / 9) * 0.05), 1e-6);
    EXPECT_NEAR(reset.values[8 + kSpeakerC], 1.5707963, 1e-6);
    EXPECT_NEAR(reset.values[kSpeakerSub], std::pow(10.0, (4 - 50.0 / 9) * 0.05), 1e-6);
    EXPECT_NEAR(reset.values[8 + kSpeakerLS], 3.14159, 1e-6);
    EXPECT_EQ(settings.speakerPlaces[kSpeakerC], (SpeakerPoint{200, 70}));

    EXPECT_EQ(mic.events, (Strings{"clear level bar", "find endpoint", "start capture", "read back",
                                   "stop capture"}));
    EXPECT_EQ(settings.micGain, 42);
    EXPECT_EQ(profile.events, (Strings{"load last profile"}));
    EXPECT_EQ(view.events, (Strings{"LabelActive", "center sliders", "show S1", "show S2",
                                    "show S3", "show S4", "show effect", "show speakers"}));
    for (int preset = 1; preset <= 4; ++preset) {
        EXPECT_EQ(settings.presets.Load(preset), kDefaultEqBlock);
    }
}

TEST_F(SettingsSequence, StartWithoutDeviceSendsOnlyDriverRequestsThatFailQuietly) {
    sound = world.AddSoundDevice();
    world.Unplug(sound);
    world.TakeNotices();
    mic.endpointFound = false;
    Start();

    EXPECT_FALSE(settings.devicePresent);
    EXPECT_TRUE(timer.running());
    EXPECT_TRUE(timeline.empty());  // no path yet: nothing reaches the driver stand-in
    // No endpoint on Windows 7: no capture, no read-back.
    EXPECT_EQ(mic.events, (Strings{"clear level bar", "find endpoint"}));
}

TEST_F(SettingsSequence, OlderWindowsReadsTheMixerWithoutAnEndpoint) {
    SettingsRig xp(5);
    xp.sound = xp.world.AddSoundDevice();
    xp.mic.endpointFound = false;
    xp.Start();
    EXPECT_EQ(xp.mic.events, (Strings{"clear level bar", "find endpoint", "start capture",
                                      "read back", "stop capture"}));
    xp.presence.ClosePresenceHandle();
}

TEST_F(SettingsSequence, UnplugAndPlugInTheTrayFollowTheDeviceThroughPresence) {
    sound = world.AddSoundDevice();
    Start();
    ClearLogs();

    world.Unplug(sound);
    Deliver();
    EXPECT_EQ(view.events, (Strings{"LabelUnactive"}));
    EXPECT_FALSE(settings.devicePresent);
    EXPECT_FALSE(settings.syncToDevice);
    EXPECT_FALSE(timer.running());  // found again only through the next HID arrival
    EXPECT_EQ(mic.events, (Strings{"forget"}));
    EXPECT_TRUE(timeline.empty());
    clock.Advance(10000);
    EXPECT_TRUE(timeline.empty());

    ClearLogs();
    world.Plug(sound);
    // The firmware starts fresh; a set DSP bit shows that arrival on the EQ page clears it.
    firmware().SetRegister(256, 0x45);
    Deliver();

    EXPECT_EQ(view.events, (Strings{"LabelActive"}));
    EXPECT_TRUE(settings.devicePresent);
    EXPECT_TRUE(settings.syncToDevice);
    EXPECT_FALSE(timer.running());
    EXPECT_EQ(clock.sleeps(), (std::vector<uint32_t>{100}));
    EXPECT_EQ(mic.events, (Strings{"find endpoint", "start capture", "read back", "stop capture"}));

    const Reports expected = Reports()
                                 .Raw({0x00, 0x60, 0x00, 0x00, 0x30})  // LED on: GPIO read
                                 .I()
                                 .M(256, 0x41)  // EQ page, EqEnable 0: DSP bit off
                                 .I();
    EXPECT_EQ(firmware().SentReports(), expected.list);
    EXPECT_EQ(firmware().Register(256), 0x41);
    EXPECT_EQ(Codes(world.filterDriver()), (std::vector<uint32_t>{kStatus, kMap, kExchange}));
    const SentMap zeros = DecodeMap(world.filterDriver().requests()[1]);
    EXPECT_EQ(zeros.enable, 0u);
    EXPECT_EQ(zeros.values, SpeakerMapValues{});
    // LED and DSP reports first, then the driver requests.
    EXPECT_EQ(test::TimelineShape(timeline),
              (Strings{"hid*6", "0x223190", "0x223140", "0x223028"}));
}

TEST_F(SettingsSequence, ArrivalOfAnotherHidDeviceWhilePresentChangesNothing) {
    const int mouse = world.AddHidDevice();
    sound = world.AddSoundDevice();
    Start();
    world.Unplug(mouse);
    world.TakeNotices();
    ClearLogs();

    world.Plug(mouse);
    Deliver();
    EXPECT_TRUE(view.events.empty());
    EXPECT_TRUE(mic.events.empty());
    EXPECT_TRUE(timeline.empty());
    EXPECT_TRUE(settings.devicePresent);
    EXPECT_TRUE(presence.presenceHandle().valid());
    EXPECT_FALSE(timer.running());
}

struct ArrivalPageRow {
    SettingsPage page;
    // Runs of HID reports are counted: LED 2; DSP on with the block 24; 3D on with the block
    // 11.
    Strings shape;
};

TEST_F(SettingsSequence, ArrivalSendsWhatThePageThatIsShowingNeeds) {
    const std::vector<ArrivalPageRow> rows = {
        {SettingsPage::kEq, {"hid*26", "0x223190", "0x223140", "0x223028"}},
        {SettingsPage::k3D, {"hid*37", "0x223190", "0x223140", "0x223028"}},
        {SettingsPage::kEffect, {"hid*2", "0x223190", "0x223140", "0x223028", "0x2230F0"}},
        {SettingsPage::kMic, {"hid*2", "0x223190", "0x223140", "0x223028"}},
        {SettingsPage::kVirtual71, {"hid*2", "0x223190", "0x223140", "0x223028", "0x223140"}},
    };
    for (const ArrivalPageRow& row : rows) {
        SettingsRig rig;
        rig.sound = rig.world.AddSoundDevice();
        rig.Start();
        rig.controller.ToggleEqEnable();
        rig.controller.Toggle3DEnable();
        rig.settings.currentEffect = 5;
        rig.view.page = row.page;
        rig.world.Unplug(rig.sound);
        rig.Deliver();
        rig.ClearLogs();
        rig.world.Plug(rig.sound);
        rig.Deliver();

        const int page = static_cast<int>(row.page);
        EXPECT_EQ(test::TimelineShape(rig.timeline), row.shape) << page;
        const auto& requests = rig.world.filterDriver().requests();
        if (row.page == SettingsPage::kEffect) {
            EXPECT_EQ(requests.back().input, (std::vector<uint8_t>{0, 0, 0, 0, 4, 0, 0, 0}));
        }
        if (row.page == SettingsPage::kVirtual71) {
            EXPECT_NEAR(DecodeMap(requests.back()).values[8 + kSpeakerLS], 3.14159, 1e-6);
        }
        if (row.page == SettingsPage::k3D) {
            EXPECT_EQ(rig.firmware().Register(256), 0x45);
            EXPECT_EQ(rig.firmware().Register(394), 0x65);
        }
        if (row.page == SettingsPage::kMic) {
            EXPECT_EQ(rig.mic.events,
                      (Strings{"find endpoint", "start capture", "read back", "stop capture",
                               "find endpoint", "read back", "start capture"}));
        }
        rig.presence.ClosePresenceHandle();
    }
}

struct SwitchStep {
    const char* name;
    void (SettingsController::*action)();
    uint8_t reg256;
    uint8_t reg297;
    uint8_t reg394;
};

TEST_F(SettingsSequence, EqAndThreeDSwitchesShareTheDspBit) {
    sound = world.AddSoundDevice();
    Start();
    const std::vector<SwitchStep> steps = {
        {"EQ on", &SettingsController::ToggleEqEnable, 0x45, 0x64, 0x25},
        {"3D on", &SettingsController::Toggle3DEnable, 0x45, 0x74, 0x65},
        {"EQ off while 3D on keeps the DSP bit", &SettingsController::ToggleEqEnable, 0x45, 0xF4,
         0x65},
        {"3D off: DSP bit and only bit 6 of 394 cleared", &SettingsController::Toggle3DEnable, 0x41,
         0xE4, 0x25},
    };
    for (const SwitchStep& step : steps) {
        (controller.*step.action)();
        EXPECT_EQ(firmware().Register(256), step.reg256) << step.name;
        EXPECT_EQ(firmware().Register(297), step.reg297) << step.name;
        EXPECT_EQ(firmware().Register(394), step.reg394) << step.name;
    }
    EXPECT_EQ(settings.presets.Load(1).bypass, true);  // stored with EqEnable off
}

TEST_F(SettingsSequence, SwitchingThreeDOffKeepsForeignBitsAndFbmOf394) {
    sound = world.AddSoundDevice();
    Start();
    controller.Toggle3DEnable();
    firmware().SetRegister(394, 0xFF);
    ClearLogs();
    controller.Toggle3DEnable();
    EXPECT_EQ(firmware().Register(394), 0xBF);
    // DSP off (EqEnable 0), 3D enable off, 3D flag off: three groups, each closed by idle.
    const Reports expected = Reports().M(256, 0x41).I().M(394, 0xBF).I().M(297, 0xE4).I();
    EXPECT_EQ(firmware().SentReports(), expected.list);
}

TEST_F(SettingsSequence, SwitchesWithoutTheDeviceChangeTheModelOnly) {
    sound = world.AddSoundDevice();
    Start();
    world.Unplug(sound);
    Deliver();
    ClearLogs();
    controller.ToggleEqEnable();
    controller.Toggle3DEnable();
    EXPECT_TRUE(timeline.empty());
    EXPECT_TRUE(settings.eqEnable);
    EXPECT_FALSE(settings.eqBlock.bypass);
    EXPECT_TRUE(settings.eqBlock.d3Flag);
}

TEST_F(SettingsSequence, BandWriteTouchesOnlyItsRegistersAndKeepsTheFlagsOf297) {
    sound = world.AddSoundDevice();
    Start();
    controller.ToggleEqEnable();
    controller.Toggle3DEnable();
    ClearLogs();

    controller.device().WriteEqBand(4, 0xFFF);
    const Reports expected = Reports().M(297, 0x74).I().W(296, 0xFF).R(297).W(297, 0x7F).I();
    EXPECT_EQ(firmware().SentReports(), expected.list);

    ClearLogs();
    controller.device().WriteEqBand(0, 0);
    EXPECT_EQ(firmware().SentReports(), Reports().M(297, 0x7F).I().W(288, 0).W(289, 0).I().list);

    // Without sync the model still takes the code and the device gets only the idle report.
    ClearLogs();
    settings.syncToDevice = false;
    controller.device().WriteEqBand(1, 0xABC);
    EXPECT_EQ(settings.eqBlock.bands[1], 0xABC);
    EXPECT_EQ(firmware().SentReports(), Reports().I().list);
}

TEST_F(SettingsSequence, AThreeDValueAboveFifteenStopsTheBlockBeforeItsRegister) {
    sound = world.AddSoundDevice();
    Start();
    settings.d3.leftAlpha = 20;
    ClearLogs();
    controller.Toggle3DEnable();
    // DSP on with the block, then bit 6 and FBM; 395 is refused and 396 is never reached, and
    // the failed operation sends no idle report.
    Reports expected;
    expected.M(256, 0x45);
    for (uint16_t reg = 288; reg <= 296; ++reg) expected.W(reg, reg % 2 ? 0x04 : 0x00);
    expected.W(297, 0xE4).I().M(394, 0x65).M(394, 0x65).M(297, 0xF4).I();
    EXPECT_EQ(firmware().SentReports(), expected.list);
    EXPECT_EQ(settings.d3.leftAlpha, 20);
}

TEST_F(SettingsSequence, PresetSwitchLoadsWritesAndPutsTheGlobalFlagsBack) {
    sound = world.AddSoundDevice();
    Start();
    controller.ToggleEqEnable();  // stored into S1 with the equalizer on
    controller.SelectPreset(3);
    ClearLogs();
    settings.eqBlock.bands[0] = 0x800;
    StorePreset(settings, 3);
    controller.SelectPreset(1);
    EXPECT_EQ(settings.currentPreset, 1);
    // S1's record was stored while EQ was on: bypass 0 goes out in the block.
    Reports expected;
    for (uint16_t reg = 288; reg <= 296; ++reg) expected.W(reg, reg % 2 ? 0x04 : 0x00);
    expected.W(297, 0x64).I().M(297, 0x64).I().M(297, 0x64).I();
    EXPECT_EQ(firmware().SentReports(), expected.list);
    EXPECT_EQ(view.events, (Strings{"show S1"}));
    EXPECT_EQ(settings.presets.Load(3).bands[0], 0x800);
}

TEST_F(SettingsSequence, EqualizerResetRewritesOnlyTheCurrentPreset) {
    sound = world.AddSoundDevice();
    Start();
    settings.eqBlock.bands = {1, 2, 3, 4, 5};
    StorePreset(settings, 2);
    controller.SelectPreset(3);
    settings.eqBlock.bands = {7, 7, 7, 7, 7};
    StorePreset(settings, 3);
    controller.ResetEqualizer();
    EXPECT_EQ(settings.presets.Load(3).bands, kDefaultEqBlock.bands);
    EXPECT_EQ(settings.presets.Load(2).bands, (std::array<uint16_t, 5>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(settings.eqEnable);
    EXPECT_EQ(firmware().Register(288), 0x00);
    EXPECT_EQ(firmware().Register(289), 0x04);
}

TEST_F(SettingsSequence, ExitRestoresTheNeutralStateInOrderAndClosesThePresenceHandle) {
    sound = world.AddSoundDevice();
    Start();
    controller.ToggleEqEnable();
    controller.Toggle3DEnable();
    controller.device().WriteEqBand(0, 4095);
    settings.currentEffect = 3;
    settings.virtualEnable = true;
    ClearLogs();

    controller.RestoreDeviceOnExit();

    Reports expected;
    // Equalizer reset: each band through WriteEqBand (bypass first), then the block, then the
    // 3D flag back. The default block carries no 3D flag, so 297 drops bit 4 until then.
    for (int band = 0; band < 4; ++band) {
        expected.M(297, 0x74).I();
        expected.W(static_cast<uint16_t>(288 + 2 * band), 0x00)
            .W(static_cast<uint16_t>(289 + 2 * band), 0x04)
            .I();
    }
    expected.M(297, 0x74).I().W(296, 0x00).M(297, 0x74).I();
    for (uint16_t reg = 288; reg <= 296; ++reg) expected.W(reg, reg % 2 ? 0x04 : 0x00);
    expected.W(297, 0x64);
    expected.M(297, 0x74).I();
    // Bypass on, DSP off.
    expected.M(297, 0xF4).I().M(256, 0x41).I();
    // 3D reset without idle, FBM on, 3D flag off, 3D off.
    expected.M(394, 0x65).W(395, 0xA3).W(396, 0xA3);
    expected.M(394, 0x65).I().M(297, 0xE4).I().M(394, 0x25).I();
    // Register 256 cleared, the driver's neutral state, idle.
    expected.W(256, 0x00).I();
    EXPECT_EQ(firmware().SentReports(), expected.list);

    EXPECT_EQ(Codes(world.filterDriver()), (std::vector<uint32_t>{kRoom, kMap}));
    const auto& requests = world.filterDriver().requests();
    EXPECT_EQ(requests[0].input, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(DecodeMap(requests[1]).enable, 0u);
    // Both driver requests come between the write of 256 and the last idle report.
    const Strings shape = test::TimelineShape(timeline);
    ASSERT_EQ(shape.size(), 4u);
    EXPECT_EQ(shape[1], "0x2230F0");
    EXPECT_EQ(shape[2], "0x223140");
    EXPECT_EQ(shape[3], "hid*1");

    EXPECT_EQ(profile.events, (Strings{"save last profile"}));
    EXPECT_FALSE(presence.presenceHandle().valid());
    EXPECT_EQ(world.OpenHandleCount(), 0u);
    EXPECT_EQ(firmware().Register(256), 0x00);
    EXPECT_EQ(firmware().Register(297), 0xE4);
    EXPECT_EQ(firmware().Register(394), 0x25);
    // The user's choices outside the resets survive for the saved profile's sake.
    EXPECT_TRUE(settings.eqEnable);
    EXPECT_TRUE(settings.d3Enable);
    EXPECT_EQ(settings.currentEffect, 3);
    EXPECT_FALSE(settings.virtualEnable);
}

TEST_F(SettingsSequence, ExitWithoutTheDeviceSavesAndTouchesNothing) {
    sound = world.AddSoundDevice();
    Start();
    world.Unplug(sound);
    Deliver();
    ClearLogs();
    controller.RestoreDeviceOnExit();
    EXPECT_TRUE(timeline.empty());
    EXPECT_EQ(profile.events, (Strings{"save last profile"}));
}

TEST_F(SettingsSequence, LedButtonTogglesTheLinesAndArrivalResendsTheState) {
    sound = world.AddSoundDevice();
    Start();
    ClearLogs();
    controller.ToggleLed();
    EXPECT_FALSE(settings.ledOn);
    EXPECT_EQ(firmware().SentReports(), Reports().Raw({0x00, 0x60, 0x00, 0xFF, 0x3C}).I().list);
    EXPECT_EQ(firmware().gpio(), SimSoundFirmware::Lines{});

    world.Unplug(sound);
    Deliver();
    world.Plug(sound);
    ClearLogs();
    Deliver();
    EXPECT_EQ(firmware().SentReports().front(),
              (std::vector<uint8_t>{0x00, 0x60, 0x00, 0xFF, 0x3C, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace tonedeck
