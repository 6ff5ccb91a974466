// The joined control panel on the simulated world with the shipped skins and languages:
// start-up, the EQ page by mouse, profiles through the buttons, the exit.

#include <gtest/gtest.h>

#include "panel/settings/register_map.h"
#include "panel_world.h"

namespace tonedeck {
namespace {

using test::PanelWorld;

class PanelScenario : public ::testing::Test, public PanelWorld {
  protected:
    void TearDown() override {
        if (panel) panel->OnExit();
        EXPECT_EQ(world.OpenHandleCount(), 0u);
    }
};

TEST_F(PanelScenario, StartUpRunsTheStepsInOrderWithTheShippedData) {
    Panel().Construct();
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"icons, hint, title", "notifications"}));
    EXPECT_TRUE(Panel().Settings().devicePresent);
    EXPECT_FALSE(shell.Timer1Running());
    EXPECT_TRUE(host.errors.empty()) << U16ToUtf8(host.errors.front());
    EXPECT_EQ(Panel().Window().CurrentSkin(), u"Graphite");
    EXPECT_EQ(At(u"DeviceActiveLabel").caption,
              Panel().Window().Language().Entry(u"LabelActive").caption);
    const SkinLayout& layout = Panel().Window().Layout();
    EXPECT_EQ(At(u"EQ60HzSliderImage").top, layout.EqSliderTop + layout.SliderRange / 2);
    EXPECT_EQ(At(u"EQ60HzValueLabel").caption, u"400");
    EXPECT_EQ(At(u"D3LAlphaValueLabel").caption, u"10");
    EXPECT_EQ(Panel().Settings().speakerPlaces[kSpeakerSub].left, layout.SpeakerCenterX)
        << "the speakers in their reset layout";
    EXPECT_EQ(At(u"VirtualSUBImage").top, layout.SpeakerCenterY - layout.SpeakerRadius / 2);
    for (const auto& event : timeline) EXPECT_EQ(event.kind, "driver") << "no register yet";
}

TEST_F(PanelScenario, EqPageStoryWithTheMouse) {
    Panel().Construct();
    Click(u"EQS3Label");
    EXPECT_EQ(Panel().Settings().currentPreset, 3);
    EXPECT_EQ(At(u"SXLabel").caption, At(u"EQS3Label").caption);

    Drag(u"EQ60HzSliderImage", 0, -500);  // far past the top of the travel
    const SkinLayout& layout = Panel().Window().Layout();
    EXPECT_EQ(At(u"EQ60HzSliderImage").top, layout.EqSliderTop);
    EXPECT_EQ(At(u"EQ60HzValueLabel").caption, u"fff");
    EXPECT_EQ(firmware().Register(288), 0xFF);
    EXPECT_EQ(firmware().Register(289), 0x0F);
    EXPECT_EQ(Panel().Settings().presets.Load(3).bands[0], 4095);

    Click(u"EQEQENImage");
    EXPECT_TRUE(Panel().Settings().eqEnable);
    EXPECT_EQ(firmware().Register(297) & kEqBypassBit, 0) << "bit 7 of 297 clear";

    Click(u"EQS1Image");
    Drag(u"EQ300HzSliderImage", 0, 500);
    Click(u"EQS3Image");
    Click(u"EQResetLabel");
    const SoundSettings& s = Panel().Settings();
    EXPECT_EQ(s.presets.Load(3).bands[0], 1024);
    EXPECT_EQ(s.presets.Load(1).bands[1], 0) << "S1 kept";
    EXPECT_EQ(s.presets.Load(2).bands[0], 1024);
    EXPECT_EQ(s.presets.Load(4).bands[0], 1024);
    EXPECT_TRUE(s.eqEnable);
    EXPECT_EQ(At(u"EQ60HzValueLabel").caption, u"400");
}

TEST_F(PanelScenario, BarPressJumpsAndTheEffectButtonsFollowTheirPosition) {
    Panel().Construct();
    const SkinLayout& layout = Panel().Window().Layout();
    // The bar's top end: the knob's middle there is above the travel, so it stops at the top.
    const Point bar = Panel().Window().Controls().ClientOrigin(Id(u"EQ1200HzBarImage"));
    const Point at{bar.x + 2, bar.y + 1};
    Panel().HookLeftPress(at, at);
    Panel().HookLeftRelease();
    EXPECT_EQ(At(u"EQ1200HzSliderImage").top, layout.EqSliderTop);
    EXPECT_EQ(Panel().Settings().eqBlock.bands[2], 4095);

    Click(u"PageEffectLabel");
    Click(u"EffectButtonStoneGalleryImage");  // the third button: bathroom
    EXPECT_EQ(Panel().Settings().currentEffect, 3);
    EXPECT_EQ(world.filterDriver().roomEffect(), 2u);
}

TEST_F(PanelScenario, SaveAndLoadThroughTheButtons) {
    Panel().Construct();
    Click(u"EQS2Image");
    Drag(u"EQ60HzSliderImage", 0, -500);
    dialogs.answer = u"C:\\Users\\user\\Tonedeck\\mysound";
    Click(u"Menu1Label");
    ASSERT_EQ(dialogs.folders.size(), 1u);
    EXPECT_EQ(dialogs.folders[0], u"C:\\Users\\user\\Tonedeck");
    EXPECT_TRUE(files.FileExists(u"C:\\Users\\user\\Tonedeck\\mysound.ini"));
    EXPECT_EQ(Panel().Profiles().LastSavedPath(), u"C:\\Users\\user\\Tonedeck\\mysound.ini");

    Click(u"EQResetImage");
    EXPECT_EQ(Panel().Settings().presets.Load(2).bands[0], 1024);
    dialogs.answer = u"C:\\Users\\user\\Tonedeck\\mysound.ini";
    Click(u"Menu2Image");
    EXPECT_EQ(dialogs.folders.back(), u"C:\\Users\\user\\Tonedeck") << "the last saved folder";
    EXPECT_EQ(Panel().Settings().presets.Load(2).bands[0], 4095);

    // A broken file: the error box, the program goes on.
    files.PutFile(u"C:\\Users\\user\\Tonedeck\\bad.ini", "[EQ]\r\nS1=abc\r\n");
    dialogs.answer = u"C:\\Users\\user\\Tonedeck\\bad.ini";
    Click(u"Menu2Image");
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0], u"'abc' is not a valid integer value");
}

TEST_F(PanelScenario, TheLastProfileComesBackAtTheNextStartAndABadOneDoesNotStopIt) {
    Panel().Construct();
    Click(u"EQEQENImage");
    Panel().OnExit();
    panel.reset();
    const std::u16string last = u"C:\\Users\\user\\AppData\\Roaming\\Tonedeck\\LastProfile.ini";
    ASSERT_TRUE(files.FileExists(last));

    Panel().Construct();
    EXPECT_TRUE(Panel().Settings().eqEnable);
    EXPECT_EQ(firmware().Register(297) & kEqBypassBit, 0);
    Panel().OnExit();
    panel.reset();

    files.PutFile(last, "[EQ]\r\nS1=0x7FF,0,0,0,0,1\r\nS2=\r\n");
    Panel().Construct();
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0], u"'' is not a valid integer value");
    EXPECT_EQ(Panel().Settings().presets.Load(1).bands[0], 0x7FF);
}

TEST_F(PanelScenario, WithoutTheDevicePressesWarnAndTheTimersWait) {
    world.Unplug(sound);
    world.TakeNotices();
    Panel().Construct();
    EXPECT_TRUE(shell.Timer1Running());
    Click(u"EQS2Image");
    EXPECT_EQ(host.warnings.size(), 1u);
    EXPECT_EQ(Panel().Settings().currentPreset, 1);
    At(u"BackNotebook").pageIndex = 4;  // as if the page had been chosen with the device
    Click(u"VirtualClockwiseImage");    // not locked, but nothing turns without the device
    const SpeakerPlaces before = Panel().Settings().speakerPlaces;
    EXPECT_TRUE(Panel().Settings().rotateClockwise);
    Panel().OnTimer();
    EXPECT_EQ(Panel().Settings().speakerPlaces, before);

    world.Plug(sound);
    for (const DeviceChange& change : world.TakeNotices()) Panel().OnDeviceChange(change);
    EXPECT_TRUE(Panel().Settings().devicePresent);
    for (int tick = 0; tick < 5; ++tick) Panel().OnTimer();
    EXPECT_NE(Panel().Settings().speakerPlaces, before);
}

}  // namespace
}  // namespace tonedeck
