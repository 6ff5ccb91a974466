// The main window's logic over a simulated installation: start-up, skin and language switches,
// buttons, page tabs, slider tracking, the window outline and the About window.

#include <gtest/gtest.h>

#include "window_test_fixture.h"

namespace tonedeck {
namespace {

using testing_window::SkinSpec;
using testing_window::WindowWorld;

class WindowScenario : public ::testing::Test {
  protected:
    WindowScenario() {
        world.AddSkin(SkinSpec{"Blue", "b_", 40, 100, 93, 120, 80});
        world.AddSkin(SkinSpec{"Red", "r_", 50, 90, 80, 110, 120});
        world.AddLanguage("English", "EN");
        world.AddLanguage("deutsch", "DE");
    }
    MainWindow& Start() {
        MainWindow& window = world.Window();
        window.ReadUserChoices();
        window.StartUp();
        return window;
    }
    std::string UserValue(const char16_t* section, const char16_t* key) {
        return U16ToUtf8(
            world.profiles.GetString(testing_window::kUserFile, section, key, u"", 256));
    }
    void PressAndRelease(std::u16string_view name) {
        world.Window().Press(world.Id(name));
        world.Window().Release(world.Id(name));
        world.Window().Click(world.Id(name));
    }
    std::size_t LanguageIndex(const std::u16string& folder) {
        const auto& map = world.Window().ListBoxLanguageMap();
        return std::find(map.begin(), map.end(), folder) - map.begin();
    }
    WindowWorld world;
};

TEST_F(WindowScenario, StartUpAppliesChoicesSkinAndLanguage) {
    MainWindow& window = Start();
    EXPECT_EQ(window.CurrentSkin(), u"Blue");
    ASSERT_EQ(window.SkinMenu().size(), 2u);
    EXPECT_TRUE(window.SkinMenu()[0].checked);
    ASSERT_EQ(window.LanguageMenu().size(), 2u);
    EXPECT_EQ(window.LanguageMenu()[0].caption, u"Deutsch");
    EXPECT_TRUE(window.LanguageMenu()[1].checked);
    EXPECT_EQ(world.At(u"Menu1Label").caption, u"EN LabelMenu1");
    EXPECT_EQ(world.At(u"Menu1Label").font.name, u"Arial");
    EXPECT_EQ(world.At(u"Menu1Label").font.size, 9);
    EXPECT_EQ(world.At(u"DeviceActiveLabel").caption, u"EN LabelActive");
    EXPECT_EQ(world.At(u"SXLabel").caption, u"EN LabelEQS1");
    EXPECT_EQ(world.At(u"PageEQLabel").font.color, 0x0000FF) << "page 0 shows selected";
    EXPECT_EQ(world.At(u"PageMicLabel").font.color, 0xFFFFFF);
    EXPECT_TRUE(world.At(u"Page3DLabel").visible) << "a caption shows it, still disabled";
    EXPECT_FALSE(world.At(u"Page3DLabel").enabled);
    EXPECT_EQ(world.PictureOf(u"EQS1Image"), "b_EQS1ImageDown.png");
    EXPECT_EQ(world.PictureOf(u"EQS2Image"), "b_EQS2ImageUp.png");
    EXPECT_EQ(world.PictureOf(u"LEDImage"), "b_LedImageDown.png");
    EXPECT_EQ(world.PictureOf(u"EffectPicImage"), "b_EffectPicNonImage.png");
    EXPECT_EQ(world.At(u"MicProgressImage").width, 0) << "the level bar starts empty";
    EXPECT_EQ(world.At(u"MicValueLabel").caption, u"0");
    // The tab chain: labels sized by their text (7 pixels a character here).
    const Control& eq = world.At(u"PageEQLabel");
    EXPECT_EQ(world.At(u"Bevel2").left, eq.left + eq.width);
    EXPECT_EQ(world.At(u"PageEffectLabel").left,
              world.At(u"Bevel2").left + world.At(u"Bevel2").width + 5);
    EXPECT_EQ(world.At(u"PageVirtual7p1Label").left,
              world.At(u"Bevel4").left + world.At(u"Bevel4").width + 5);
    EXPECT_TRUE(world.host.errors.empty());
}

TEST_F(WindowScenario, SkinAndLanguageSwitchesKeepTheStateAndSaveTheChoice) {
    MainWindow& window = Start();
    PressAndRelease(u"EQS3Label");
    PressAndRelease(u"EffectButtonBathroomImage");  // tag 20: the stone gallery
    for (int i = 0; i < 3; ++i) PressAndRelease(u"D3AlphaImage");
    for (int i = 0; i < 2; ++i) PressAndRelease(u"D3BetaImage");
    PressAndRelease(u"MicBoostImage");
    PressAndRelease(u"MicMuteLabel");
    PressAndRelease(u"VirtualClockwiseImage");
    PressAndRelease(u"VirtualCounterclockwiseImage");
    EXPECT_EQ(world.actions.state.alphaLinkMode, 2);
    EXPECT_EQ(world.actions.state.betaLinkMode, 1);
    EXPECT_EQ(world.actions.state.currentEffect, 5);
    EXPECT_FALSE(world.actions.state.rotateClockwise);
    EXPECT_EQ(U16ToUtf8(world.At(u"D3AlphaImage").picture).find("\\3D\\b_D3AlphaInvImage.png") !=
                  std::string::npos,
              true)
        << "cycling loads from the 3D sub-folder";

    auto expectDownPictures = [&](const std::string& p) {
        EXPECT_EQ(world.PictureOf(u"EQS3Image"), p + "EQS3ImageDown.png");
        EXPECT_EQ(world.PictureOf(u"EQS1Image"), p + "EQS1ImageUp.png");
        EXPECT_EQ(world.PictureOf(u"EffectButtonBathroomImage"),
                  p + "EffectButtonStoneGalleryImageDown.png");
        EXPECT_EQ(world.PictureOf(u"EffectButtonStoneGalleryImage"),
                  p + "EffectButtonBathroomImageUp.png");
        EXPECT_EQ(world.PictureOf(u"EffectPicImage"), p + "EffectPicStoneGalleryImage.png");
        EXPECT_EQ(world.PictureOf(u"D3AlphaImage"), p + "D3AlphaInvImage.png");
        EXPECT_EQ(world.PictureOf(u"D3BetaImage"), p + "D3BetaDepImage.png");
        EXPECT_EQ(world.PictureOf(u"MicBoostImage"), p + "MicBoostImageDown.png");
        EXPECT_EQ(world.PictureOf(u"MicMuteImage"), p + "MicMuteImageDown.png");
        EXPECT_EQ(world.PictureOf(u"VirtualClockwiseImage"), p + "VirtualClockwiseUpImage.png");
        EXPECT_EQ(world.PictureOf(u"VirtualCounterclockwiseImage"),
                  p + "VirtualCounterclockwiseDownImage.png");
    };
    expectDownPictures("b_");

    window.SkinMenuClick(1, u"&Red");
    EXPECT_EQ(window.CurrentSkin(), u"Red");
    EXPECT_TRUE(window.SkinMenu()[1].checked);
    EXPECT_FALSE(window.SkinMenu()[0].checked);
    expectDownPictures("r_");
    EXPECT_EQ(window.Layout().SliderRange, 110);
    ASSERT_EQ(world.actions.rescaleFactors.size(), 1u);
    EXPECT_DOUBLE_EQ(world.actions.rescaleFactors[0], 1.5);
    EXPECT_EQ(UserValue(u"Skin", u"DefaultSkin"), "Red");
    EXPECT_EQ(world.At(u"SXLabel").caption, u"EN LabelEQS3");

    window.LanguageMenuClick(LanguageIndex(u"deutsch"));
    EXPECT_EQ(window.CurrentLanguage(), u"deutsch");
    EXPECT_EQ(world.At(u"Menu1Label").caption, u"DE LabelMenu1");
    EXPECT_EQ(world.At(u"EffectStoneGalleryLabel").font.color, 0x0000FF) << "selected effect";
    EXPECT_EQ(UserValue(u"Language", u"DefaultLanguage"), "deutsch");
    expectDownPictures("r_");

    window.SkinMenuClick(0);
    expectDownPictures("b_");
    ASSERT_EQ(world.actions.rescaleFactors.size(), 2u);
    EXPECT_DOUBLE_EQ(world.actions.rescaleFactors[1], 80.0 / 120.0);
    EXPECT_EQ(UserValue(u"Skin", u"DefaultSkin"), "Blue");
    EXPECT_EQ(UserValue(u"Language", u"DefaultLanguage"), "deutsch");
    EXPECT_TRUE(world.host.errors.empty());
}

TEST_F(WindowScenario, NumberErrorInALanguageSwitchIsShownAndNotSaved) {
    world.AddLanguage("broken", "BR", "[Main]\r\n");
    // Replace one key with a bad colour.
    auto path = testing_window::kAppDir + u"Language\\broken\\Language.ini";
    world.profiles.WriteString(path, u"Main", u"LabelMenu2", u"Load,notanumber");
    MainWindow& window = Start();
    window.LanguageMenuClick(LanguageIndex(u"broken"));
    ASSERT_EQ(world.host.errors.size(), 1u);
    EXPECT_EQ(world.host.errors[0], u"'notanumber' is not a valid integer value");
    EXPECT_EQ(window.CurrentLanguage(), u"broken");
    EXPECT_EQ(UserValue(u"Language", u"DefaultLanguage"), "English") << "choice not saved";
    EXPECT_EQ(world.At(u"Menu1Label").caption, u"EN LabelMenu1") << "labels not re-applied";
}

TEST_F(WindowScenario, BrokenSkinDuringASwitchKeepsTheNameButSavesNothing) {
    SkinSpec broken{"Green", "g_"};
    broken.overrides["VirtualCenter"] = "168,147,big";
    world.AddSkin(broken);
    MainWindow& window = Start();
    window.SkinMenuClick(1);  // Blue, Green, Red
    ASSERT_EQ(world.host.errors.size(), 1u);
    EXPECT_EQ(world.host.errors[0], u"'big' is not a valid integer value");
    EXPECT_EQ(window.CurrentSkin(), u"Green");
    EXPECT_EQ(UserValue(u"Skin", u"DefaultSkin"), "Blue");
    EXPECT_TRUE(world.actions.rescaleFactors.empty());
}

TEST_F(WindowScenario, StartUpErrorsLeaveAsExceptions) {
    world.files.RemoveFile(testing_window::kAppDir + u"Skin\\Blue\\b_CloseImageUp.png");
    EXPECT_THROW(Start(), FileLoadError);
}

TEST_F(WindowScenario, UnknownUserChoicesCheckTheFirstItemsAndFailOnTheSkin) {
    world.profiles.WriteString(testing_window::kUserFile, u"Skin", u"DefaultSkin", u"Gone");
    world.profiles.WriteString(testing_window::kUserFile, u"Language", u"DefaultLanguage", u"Gone");
    MainWindow& window = world.Window();
    window.ReadUserChoices();
    window.BuildLanguageMenu();
    window.BuildSkinMenu();
    EXPECT_TRUE(window.SkinMenu()[0].checked);
    EXPECT_TRUE(window.LanguageMenu()[0].checked);
    EXPECT_EQ(window.CurrentSkin(), u"Gone");
    window.LoadLanguageTable();
    window.ApplyLabelStyles();
    EXPECT_FALSE(world.At(u"Menu1Label").visible) << "every label key reads as missing";
    EXPECT_THROW(window.LoadSkinSettings(), InvalidIntegerError);
}

TEST_F(WindowScenario, WithoutAPerUserCopyTheShippedDefaultsApply) {
    world.files.RemoveFile(testing_window::kUserFile);
    world.profiles.WriteString(testing_window::kAppDir + u"AudioConfig.cfg", u"Skin", u"DefaultSkin",
                               u"Red");
    world.profiles.WriteString(testing_window::kAppDir + u"AudioConfig.cfg", u"Language",
                               u"DefaultLanguage", u"deutsch");
    MainWindow& window = Start();
    EXPECT_EQ(window.CurrentSkin(), u"Red");
    EXPECT_EQ(world.At(u"Menu1Label").caption, u"DE LabelMenu1");
}

TEST_F(WindowScenario, PerUserChoicesWinOverTheShippedDefaults) {
    world.profiles.WriteString(testing_window::kAppDir + u"AudioConfig.cfg", u"Skin", u"DefaultSkin",
                               u"Red");
    EXPECT_EQ(Start().CurrentSkin(), u"Blue");
}

TEST_F(WindowScenario, MissingSkinRootIsAStartUpError) {
    world.config.SkinFolderName = u"NoSkins";
    EXPECT_THROW(Start(), FileLoadError);
}

TEST_F(WindowScenario, PushButtonActsOnReleaseAndLabelsActLikeTheirImage) {
    Start();
    MainWindow& window = world.Window();
    window.Press(world.Id(u"Menu1Label"));
    EXPECT_EQ(world.PictureOf(u"Menu1Image"), "b_Menu1ImageDown.png");
    EXPECT_EQ(world.At(u"Menu1Label").font.color, 0x0000FF);
    EXPECT_TRUE(world.actions.calls.empty());
    window.Release(world.Id(u"Menu1Label"));
    EXPECT_EQ(world.PictureOf(u"Menu1Image"), "b_Menu1ImageUp.png");
    EXPECT_EQ(world.At(u"Menu1Label").font.color, 0xFFFFFF);
    EXPECT_EQ(world.actions.Names(), std::vector<std::string>{"SaveProfile"});

    world.actions.calls.clear();
    PressAndRelease(u"EQResetLabel");
    EXPECT_EQ(world.actions.Names(), std::vector<std::string>{"ResetClicked"});
    PressAndRelease(u"CloseImage");
    PressAndRelease(u"MinimizeImage");
    ASSERT_EQ(world.host.calls.size(), 2u);
    EXPECT_EQ(world.host.calls[0].what, "HideToTray");
    EXPECT_EQ(world.host.calls[1].what, "Minimize");

    // An untagged control shares tag 0 with the close button but does nothing.
    window.Press(world.Id(u"D33DENImage"));
    EXPECT_EQ(world.PictureOf(u"CloseImage"), "b_CloseImageUp.png");
    EXPECT_EQ(world.PictureOf(u"D33DENImage"), "b_D33DENImageUp.png");
}

TEST_F(WindowScenario, WithoutDeviceLockedPressesOnlyWarn) {
    Start();
    world.actions.state.devicePresent = false;
    MainWindow& window = world.Window();
    for (auto name :
         {u"EQS2Image", u"Menu1Label", u"LEDImage", u"PageMicLabel", u"MicBoostLabel"}) {
        PressAndRelease(name);
    }
    EXPECT_EQ(world.host.warnings.size(), 5u);
    EXPECT_EQ(world.host.warnings[0], u"EN LabelWarning");
    EXPECT_TRUE(world.actions.calls.empty()) << "no release action after a refused press";
    EXPECT_EQ(window.CurrentPage(), 0);
    EXPECT_EQ(world.PictureOf(u"EQS2Image"), "b_EQS2ImageUp.png");
    // Not locked: the link modes and the rotation switches.
    PressAndRelease(u"D3AlphaImage");
    PressAndRelease(u"VirtualClockwiseLabel");
    EXPECT_EQ(world.actions.Names(), (std::vector<std::string>{"SetLinkMode", "SetSwitch"}));
    // About needs the device: the button changes its look, nothing opens.
    PressAndRelease(u"Menu3Image");
    EXPECT_TRUE(world.host.aboutTitles.empty());
    EXPECT_EQ(world.host.warnings.size(), 5u);
}

TEST_F(WindowScenario, RadioSwitchAndRotationPairs) {
    Start();
    PressAndRelease(u"EQS3Image");
    EXPECT_EQ(world.PictureOf(u"EQS3Image"), "b_EQS3ImageDown.png");
    for (auto name : {u"EQS1Image", u"EQS2Image", u"EQS4Image"}) {
        EXPECT_EQ(world.PictureOf(name).find("Up.png") != std::string::npos, true)
            << U16ToUtf8(name);
    }
    EXPECT_EQ(world.At(u"SXLabel").caption, world.At(u"EQS3Label").caption);
    EXPECT_EQ(world.At(u"EQS3Label").font.color, 0x0000FF);
    EXPECT_EQ(world.At(u"EQS1Label").font.color, 0xFFFFFF);

    world.actions.calls.clear();
    PressAndRelease(u"VirtualClockwiseImage");
    PressAndRelease(u"VirtualCounterclockwiseImage");
    EXPECT_EQ(world.PictureOf(u"VirtualClockwiseImage"), "b_VirtualClockwiseUpImage.png");
    EXPECT_EQ(world.PictureOf(u"VirtualCounterclockwiseImage"),
              "b_VirtualCounterclockwiseDownImage.png");
    ASSERT_EQ(world.actions.calls.size(), 3u);
    EXPECT_EQ(world.actions.calls[1].a, 49);
    EXPECT_EQ(world.actions.calls[1].b, 0) << "CW turned off first";
    EXPECT_EQ(world.actions.calls[2].a, 50);

    PressAndRelease(u"LEDImage");
    EXPECT_FALSE(world.actions.state.ledOn);
    EXPECT_EQ(world.PictureOf(u"LEDImage"), "b_LedImageUp.png");
}

TEST_F(WindowScenario, PageTabsAndTheSyncToggle) {
    MainWindow& window = Start();
    window.Press(world.Id(u"PageMicLabel"));
    EXPECT_EQ(window.CurrentPage(), 3);
    EXPECT_EQ(world.host.pumps, 1);
    EXPECT_EQ(world.actions.Names(), (std::vector<std::string>{"StartLevelCapture", "PageShown"}));
    EXPECT_EQ(world.At(u"PageMicLabel").font.color, 0x0000FF);
    EXPECT_EQ(world.At(u"PageEQLabel").font.color, 0xFFFFFF);

    world.actions.calls.clear();
    window.Press(world.Id(u"Page3DLabel"));
    EXPECT_EQ(window.CurrentPage(), 3) << "the 3D tab is disabled";
    window.Press(world.Id(u"SyncLabel"));
    EXPECT_TRUE(world.actions.calls.empty()) << "sync only on the EQ and 3D pages";
    window.Press(world.Id(u"PageEQLabel"));
    window.Press(world.Id(u"SyncLabel"));
    EXPECT_FALSE(world.actions.state.syncToDevice);
    EXPECT_FALSE(world.At(u"SyncImage").visible);
    window.Press(world.Id(u"SyncImage"));
    EXPECT_TRUE(world.actions.state.syncToDevice);
    EXPECT_TRUE(world.At(u"SyncImage").visible);
}

TEST_F(WindowScenario, SliderTrackingCapturesDragsAndEndsOnAnyRelease) {
    MainWindow& window = Start();
    const Point origin = world.Window().Controls().ClientOrigin(world.Id(u"EQ60HzSliderImage"));
    world.At(u"EQ60HzSliderImage").enabled = false;  // disabled ones are found too
    window.HookPress({1000, 1000}, {origin.x + 3, origin.y + 3});
    ASSERT_TRUE(window.Dragging());
    EXPECT_EQ(*window.CapturedControl(), world.Id(u"EQ60HzSliderImage"));
    window.HookMove({1004, 1030});
    ASSERT_EQ(world.actions.calls.size(), 1u);
    EXPECT_EQ(world.actions.calls[0].a, world.At(u"EQ60HzSliderImage").left + 4);
    EXPECT_EQ(world.actions.calls[0].b, world.At(u"EQ60HzSliderImage").top + 30);
    window.HookRelease();
    window.HookMove({1010, 1040});
    EXPECT_EQ(world.actions.calls.size(), 1u);
    EXPECT_FALSE(window.CapturedControl());

    const Point bar = world.Window().Controls().ClientOrigin(world.Id(u"EQ300HzBarImage"));
    window.HookPress({0, 0}, {bar.x + 1, bar.y + 2});
    EXPECT_FALSE(window.Dragging());
    EXPECT_EQ(world.actions.calls.back().what, "BarPressed");

    world.actions.state.devicePresent = false;
    window.HookPress({0, 0}, {origin.x + 3, origin.y + 3});
    EXPECT_FALSE(window.Dragging());
    EXPECT_EQ(world.host.warnings.size(), 1u);
}

TEST_F(WindowScenario, VirtualPageDragsAnythingButTheFixedControls) {
    MainWindow& window = Start();
    window.Press(world.Id(u"PageVirtual7p1Label"));
    const Point speaker = world.Window().Controls().ClientOrigin(world.Id(u"VirtualRSImage"));
    window.HookPress({0, 0}, {speaker.x + 1, speaker.y + 1});
    EXPECT_TRUE(window.Dragging());
    window.HookRelease();
    const Point pic = world.Window().Controls().ClientOrigin(world.Id(u"VirtualPicImage"));
    window.HookPress({0, 0}, {pic.x + 1, pic.y + 1});
    EXPECT_FALSE(window.Dragging());
    EXPECT_EQ(*window.CapturedControl(), world.Id(u"VirtualPicImage"));
}

TEST_F(WindowScenario, WindowOutlineFollowsRegionCut) {
    world.files.RemoveFile(testing_window::kAppDir + u"Skin\\Blue\\MainForm_Frame.rgn");
    Start();
    EXPECT_TRUE(world.host.calls.empty()) << "RegionCut 0 never opens the file";

    world.profiles.WriteString(testing_window::kAppDir + u"AudioConfig.cfg", u"Skin", u"RegionCut",
                               u"1");
    EXPECT_THROW(world.Window().WindowOutlineStep(), FileLoadError);
    world.files.PutFile(testing_window::kAppDir + u"Skin\\Blue\\MainForm_Frame.rgn",
                        testing_window::Region(400, 300, 2, 2));
    world.Window().WindowOutlineStep();
    ASSERT_EQ(world.host.calls.size(), 3u);
    EXPECT_EQ(world.host.calls[0].what, "SetWindowSize");
    EXPECT_EQ(world.host.calls[0].a, 400);
    EXPECT_EQ(world.host.calls[0].b, 300);
    EXPECT_EQ(world.host.calls[1].a, 64);
    EXPECT_EQ(world.host.calls[2].what, "SetClientSize");
    EXPECT_EQ(world.host.calls[2].a, 30) << "the background picture's size";

    world.profiles.WriteString(testing_window::kAppDir + u"AudioConfig.cfg", u"Skin", u"RegionCut",
                               u"");
    EXPECT_THROW(world.Window().WindowOutlineStep(), InvalidIntegerError);
}

TEST_F(WindowScenario, AboutWindowTakesTitleTextAndLogo) {
    MainWindow& window = Start();
    PressAndRelease(u"Menu3Label");
    ASSERT_EQ(world.host.aboutTitles.size(), 1u);
    EXPECT_EQ(world.host.aboutTitles[0], u"EN LabelMenu3");
    ControlModel& about = window.AboutControls();
    EXPECT_EQ(about[about.Get(u"AboutLabel")].caption, u"EN LabelAbout");
    EXPECT_TRUE(about[about.Get(u"LOGOQ7Image")].visible);

    window.LanguageMenuClick(LanguageIndex(u"deutsch"));
    world.files.RemoveFile(testing_window::kAppDir + u"Skin\\Blue\\b_LogoImage.png");
    PressAndRelease(u"Menu3Image");
    EXPECT_EQ(world.host.aboutTitles.size(), 1u) << "a logo that cannot load keeps it closed";
    ASSERT_EQ(world.host.errors.size(), 1u);
    EXPECT_NE(world.host.errors[0].find(u"b_LogoImage.png"), std::u16string::npos);
}

}  // namespace
}  // namespace tonedeck
