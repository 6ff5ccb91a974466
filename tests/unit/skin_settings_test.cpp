#include "panel/window/skin_settings.h"

#include <gtest/gtest.h>

#include "panel/window/window_definition.h"
#include "panel/window/window_errors.h"
#include "window_test_fixture.h"

namespace tonedeck {
namespace {

using testing_window::Png;

TEST(SkinKeys, OneHundredTwentyEightImageSlots) {
    std::size_t images = 0;
    for (const auto& key : SkinKeys()) images += key.kind == SkinKeyKind::Image;
    EXPECT_EQ(images, kSkinImageSlots);
    EXPECT_EQ(SkinImageSlot(u"Main", u"MainFormImage"), 0u);
    EXPECT_EQ(SkinImageSlot(u"About", u"LogoImage"), 127u);
    EXPECT_NE(SkinImageSlot(u"Main", u"LogoImage"), SkinImageSlot(u"About", u"LogoImage"));
}

TEST(SkinKeys, EveryNamedControlExistsInTheWindowDefinition) {
    ControlModel controls = MainWindowDefinition();
    for (const auto& picture : SkinPictures()) {
        EXPECT_TRUE(controls.Find(picture.control)) << U16ToUtf8(picture.control);
        for (auto key : picture.keys) {
            EXPECT_TRUE(SkinImageSlot(picture.section, key)) << U16ToUtf8(key);
        }
    }
    for (const auto& key : SkinKeys()) {
        if (!key.control.empty()) EXPECT_TRUE(controls.Find(key.control)) << U16ToUtf8(key.key);
    }
}

TEST(SkinImageValue, FieldsAndFlags) {
    struct Case {
        std::u16string value;
        std::u16string file;
        bool left, top, width, height;
        int32_t l, t, w, h;
    };
    const Case cases[] = {
        {u"bg.png", u"bg.png", false, false, false, false, 0, 0, 0, 0},
        {u"bg.png,10,20", u"bg.png", true, true, false, false, 10, 20, 0, 0},
        {u"bg.png,10,20,100", u"bg.png", true, true, true, false, 10, 20, 100, 0},
        {u"b.png, 5,7", u"b.png", true, true, false, false, 5, 7, 0, 0},
        {u"b.png,,7,,9,extra", u"b.png", false, true, false, true, 0, 7, 0, 9},
        {u"", u"", false, false, false, false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SkinImageEntry entry = ParseSkinImageValue(c.value);
        SCOPED_TRACE(U16ToUtf8(c.value));
        EXPECT_EQ(entry.fileName, c.file);
        EXPECT_EQ(entry.leftGiven, c.left);
        EXPECT_EQ(entry.topGiven, c.top);
        EXPECT_EQ(entry.widthGiven, c.width);
        EXPECT_EQ(entry.heightGiven, c.height);
        EXPECT_EQ(entry.left, c.l);
        EXPECT_EQ(entry.top, c.t);
        EXPECT_EQ(entry.width, c.w);
        EXPECT_EQ(entry.height, c.h);
    }
    EXPECT_THROW(ParseSkinImageValue(u"b.png,5 ,7"), InvalidIntegerError);
}

class SkinApply : public ::testing::Test {
  protected:
    SkinApply() {
        files.PutFile(u"C:\\s\\bg.png", Png(120, 80));
        control.left = 1;
        control.top = 2;
        control.width = 3;
        control.height = 4;
    }
    void Apply(const std::u16string& value) {
        ApplySkinImage(ParseSkinImageValue(value), control, u"C:\\s\\bg.png", pictures);
    }
    SimFileSystem files;
    FilePictureSource pictures{files};
    Control control;
};

TEST_F(SkinApply, BareFileNameKeepsPlaceAndTakesPictureSize) {
    Apply(u"bg.png");
    EXPECT_TRUE(control.visible);
    EXPECT_TRUE(control.autoSize);
    EXPECT_EQ(control.left, 1);
    EXPECT_EQ(control.top, 2);
    EXPECT_EQ(control.width, 120);
    EXPECT_EQ(control.height, 80);
}

TEST_F(SkinApply, PositionThenOneSizeTurnsAutoSizeOff) {
    Apply(u"bg.png,10,20");
    EXPECT_EQ(control.left, 10);
    EXPECT_EQ(control.top, 20);
    EXPECT_EQ(control.width, 120);
    Apply(u"bg.png,10,20,100");
    EXPECT_FALSE(control.autoSize);
    EXPECT_EQ(control.width, 100);
    EXPECT_EQ(control.height, 80) << "height kept";
}

TEST_F(SkinApply, EmptyHidesButStillPlaces) {
    Apply(u",30,40,50,60");
    EXPECT_FALSE(control.visible);
    EXPECT_EQ(control.left, 30);
    EXPECT_EQ(control.height, 60);
}

TEST_F(SkinApply, MissingOrBrokenPictureIsALoadErrorNamingTheFile) {
    auto cut = Png(5, 5);
    cut.resize(cut.size() - 12);
    files.PutFile(u"C:\\s\\cut.png", cut);
    files.PutFile(u"C:\\s\\fake.bmp", "BM not really");
    for (const std::u16string name : {u"gone.png", u"cut.png", u"fake.bmp"}) {
        try {
            ApplySkinImage(ParseSkinImageValue(name), control, u"C:\\s\\" + name, pictures);
            ADD_FAILURE() << U16ToUtf8(name) << " accepted";
        } catch (const FileLoadError& error) {
            EXPECT_NE(error.Text().find(u"C:\\s\\" + name), std::u16string::npos);
        }
    }
}

TEST(SkinLoad, MicSliderAfterEqSliderDecidesTheRange) {
    testing_window::WindowWorld world;
    testing_window::SkinSpec skin{"Blue", "b_"};
    skin.eqRange = 100;
    skin.micRange = 120;
    world.AddSkin(skin);
    SkinSettings settings;
    ControlModel controls = MainWindowDefinition();
    LoadSkinSettings(world.profiles, "C:\\Program Files\\Tonedeck\\Skin\\Blue\\SkinSetting.ini",
                     settings, controls);
    EXPECT_EQ(settings.layout.SliderRange, 120);
    EXPECT_EQ(settings.layout.EqSliderTop, 40);
    EXPECT_EQ(settings.layout.MicSliderTop, 93);
    EXPECT_EQ(settings.layout.MicMeterLength, 300);
    EXPECT_EQ(settings.layout.SpeakerRadius, 80);
    EXPECT_EQ(settings.layout.PreviousSpeakerRadius, 0) << "radius before the first read";
    EXPECT_EQ(settings.Entry(u"EQ", u"EQS1ImageDown").fileName, u"b_EQS1ImageDown.png");
    EXPECT_EQ(controls[controls.Get(u"BackNotebook")].top, 112);
}

TEST(SkinLoad, MissingLayoutKeyIsANumberErrorWithAnEmptyField) {
    testing_window::WindowWorld world;
    testing_window::SkinSpec skin{"Blue", "b_"};
    skin.overrides["EQSlider"] = "40";
    world.AddSkin(skin);
    SkinSettings settings;
    ControlModel controls = MainWindowDefinition();
    try {
        LoadSkinSettings(world.profiles, "C:\\Program Files\\Tonedeck\\Skin\\Blue\\SkinSetting.ini",
                         settings, controls);
        ADD_FAILURE() << "accepted";
    } catch (const InvalidIntegerError& error) {
        EXPECT_EQ(error.Text(), u"'' is not a valid integer value");
    }
    EXPECT_EQ(settings.Entry(u"EQ", u"EQ60HzSliderImage").fileName, u"b_EQ60HzSliderImage.png")
        << "keys before the error were read";
}

}  // namespace
}  // namespace tonedeck
