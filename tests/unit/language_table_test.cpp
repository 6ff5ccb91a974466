#include "panel/window/language_table.h"

#include <gtest/gtest.h>

#include <limits>

#include "panel/window/label_style.h"
#include "panel/window/window_errors.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/sim/sim_file_system.h"

namespace tonedeck {
namespace {

TEST(FontScaling, ScalesAndRoundsHalvesToEven) {
    struct Case {
        int dpi;
        int osClass;
        int size;
        int expected;
    };
    const Case cases[] = {
        {96, 6, 9, 9},   {96, 4, 9, 8},   {96, 4, 5, 4},   {96, 4, 15, 14},
        {120, 6, 10, 8}, {120, 4, 10, 7}, {120, 6, 9, 7},  {144, 6, 12, 8},
        {144, 4, 9, 6},  {144, 6, 10, 7}, {96, 6, -3, -3},
    };
    for (const auto& c : cases) {
        LabelStyleEntry entry;
        entry.caption = u"x";
        entry.fontSize = c.size;
        entry.fontSizeGiven = true;
        Control label;
        ApplyLabelStyle(entry, GlobalLabelStyle{}, label, false, FontScaleFactor(c.dpi, c.osClass),
                        nullptr);
        EXPECT_EQ(label.font.size, c.expected)
            << c.size << "pt at " << c.dpi << " dpi, class " << c.osClass;
    }
    EXPECT_EQ(RoundHalfEven(4.5), 4);
    EXPECT_EQ(RoundHalfEven(5.5), 6);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(FontScaling, EnlargedSizesBeyondTheIntRangeClampToItsEnds) {
    // Below 96 dpi the scale exceeds 1, so a hand-edited size near the int limit leaves its range.
    const int kMax = std::numeric_limits<int>::max();
    const int kMin = std::numeric_limits<int>::min();
    struct Case {
        int dpi;
        int size;
        int expected;
    };
    const Case cases[] = {
        {48, kMax, kMax},           {48, 1'500'000'000, kMax}, {48, kMin, kMin},
        {48, -1'500'000'000, kMin}, {64, kMax, kMax},          {48, 10, 20},
    };
    for (const auto& c : cases) {
        LabelStyleEntry entry;
        entry.caption = u"x";
        entry.fontSize = c.size;
        entry.fontSizeGiven = true;
        Control label;
        ApplyLabelStyle(entry, GlobalLabelStyle{}, label, false, FontScaleFactor(c.dpi, 6),
                        nullptr);
        EXPECT_EQ(label.font.size, c.expected) << c.size << "pt at " << c.dpi << " dpi";
    }
    EXPECT_EQ(RoundHalfEven(1e300), kMax);
    EXPECT_EQ(RoundHalfEven(-1e300), kMin);
}

TEST(FontScaling, GlobalSizeAppliesWhenTheEntryHasNone) {
    LabelStyleEntry entry;
    entry.caption = u"x";
    GlobalLabelStyle global;
    global.fontSize = 10;
    Control label;
    ApplyLabelStyle(entry, global, label, false, FontScaleFactor(120, 6), nullptr);
    EXPECT_EQ(label.font.size, 8);
    label.font.size = 33;
    global.fontSize = -1;
    ApplyLabelStyle(entry, global, label, false, 1.0, nullptr);
    EXPECT_EQ(label.font.size, 33) << "no size anywhere leaves the font alone";
}

LabelStyleEntry Parsed(const std::u16string& value) {
    LabelStyleEntry entry;
    ParseLabelValue(value, entry, true);
    return entry;
}

TEST(LabelStyle, UpAndDownColoursBySelection) {
    LabelStyleEntry entry = Parsed(u"Preset 1,0x0000FF,0xFFFFFF");
    Control label;
    ApplyLabelStyle(entry, GlobalLabelStyle{}, label, false, 1.0, nullptr);
    EXPECT_EQ(label.caption, u"Preset 1");
    EXPECT_EQ(label.font.color, 0x0000FF);
    ApplyLabelStyle(entry, GlobalLabelStyle{}, label, true, 1.0, nullptr);
    EXPECT_EQ(label.font.color, 0xFFFFFF);
}

TEST(LabelStyle, GlobalColoursBecomeTheEntrysEffectiveOnes) {
    LabelStyleEntry entry = Parsed(u"Text,,0x00FF00");
    GlobalLabelStyle global;
    global.upColor = 0x123456;
    global.downColor = 0x654321;
    Control label;
    label.font.color = 7;
    ApplyLabelStyle(entry, global, label, false, 1.0, nullptr);
    EXPECT_EQ(label.font.color, 0x123456);
    EXPECT_EQ(entry.upColor, 0x123456) << "copied for the pages' recolouring";
    EXPECT_FALSE(entry.upColorGiven);
    EXPECT_EQ(entry.downColor, 0x00FF00) << "its own down colour stays";

    LabelStyleEntry plain = Parsed(u"Text");
    label.font.color = 7;
    ApplyLabelStyle(plain, GlobalLabelStyle{}, label, false, 1.0, nullptr);
    EXPECT_EQ(label.font.color, 7) << "nothing set anywhere keeps the colour";
}

TEST(LabelStyle, EmptyOrNullCaptionHidesButPlacesTheLabel) {
    for (const std::u16string value : {u",1,2,Arial,9,11,22,33,44", u"(null),,,,,11,22,33,44"}) {
        LabelStyleEntry entry = Parsed(value);
        Control label;
        label.caption = u"old";
        ApplyLabelStyle(entry, GlobalLabelStyle{}, label, false, 1.0, nullptr);
        EXPECT_FALSE(label.visible);
        EXPECT_EQ(label.caption, u"old");
        EXPECT_EQ(label.left, 11);
        EXPECT_EQ(label.top, 22);
        EXPECT_EQ(label.width, 33);
        EXPECT_EQ(label.height, 44);
    }
}

TEST(LabelStyle, QuotedCaptionKeepsCommasUnquotedOneIsANumberError) {
    LabelStyleEntry entry = Parsed(u"\"Save, then load\",0x0000FF");
    EXPECT_EQ(entry.caption, u"Save, then load");
    EXPECT_EQ(entry.upColor, 0x0000FF);
    try {
        Parsed(u"Save, then load,0x0000FF");
        ADD_FAILURE() << "accepted";
    } catch (const InvalidIntegerError& error) {
        EXPECT_EQ(error.Text(), u"' then load' is not a valid integer value");
    }
}

class LanguageFiles : public ::testing::Test {
  protected:
    void Put(const std::string& name, const std::string& text) {
        files.PutFile(u"C:\\L\\" + Utf8ToU16(name), text);
    }
    SimFileSystem files;
    EmulatedProfileStore profiles{files};
};

TEST_F(LanguageFiles, LoadReplacesGlobalsAndClearsEntries) {
    Put("a.ini",
        "[GlobalFont]\r\nColorUp=-1\r\nColorDown=0xFF00000F\r\nFont=Tahoma\r\nFontSize=9\r\n"
        "[Main]\r\nLabelMenu1=Save,0x10,,Verdana,12,1,2\r\n[EQ]\r\nLabelEQS3=S3\r\n");
    Put("b.ini", "[Main]\r\nLabelMenu2=Load\r\n");
    LanguageTable table;
    LoadLanguageTable(profiles, "C:\\L\\a.ini", table);
    EXPECT_EQ(table.global.upColor, -1);
    EXPECT_EQ(table.global.downColor, static_cast<int32_t>(0xFF00000F));
    EXPECT_EQ(table.global.fontName, u"Tahoma");
    EXPECT_EQ(table.global.fontSize, 9);
    const LabelStyleEntry& menu1 = table.Entry(u"LabelMenu1");
    EXPECT_EQ(menu1.caption, u"Save");
    EXPECT_TRUE(menu1.upColorGiven);
    EXPECT_FALSE(menu1.downColorGiven);
    EXPECT_EQ(menu1.fontName, u"Verdana");
    EXPECT_EQ(menu1.fontSize, 12);
    EXPECT_EQ(menu1.top, 2);
    EXPECT_FALSE(menu1.widthGiven);
    EXPECT_EQ(table.Entry(u"LabelEQS3").caption, u"S3");

    LoadLanguageTable(profiles, "C:\\L\\b.ini", table);
    EXPECT_EQ(table.global.downColor, -1) << "a language without GlobalFont sets nothing";
    EXPECT_EQ(table.global.fontName, u"");
    EXPECT_EQ(table.Entry(u"LabelMenu1").caption, u"");
    EXPECT_FALSE(table.Entry(u"LabelMenu1").upColorGiven);
    EXPECT_EQ(table.Entry(u"LabelMenu2").caption, u"Load");
}

TEST_F(LanguageFiles, SkinOverlaysStylesOfSevenKeysAndKeepsCaptions) {
    Put("lang.ini", "[Main]\r\nLabelMenu1=Save,1,2\r\nLabelSync=Sync,1,2\r\n");
    Put("skin.ini",
        "[MainLable]\r\nLabelMenu1=Ignored,,9,,,100\r\nLabelSync=Ignored,5,5,,,100\r\n");
    LanguageTable table;
    LoadLanguageTable(profiles, "C:\\L\\lang.ini", table);
    LoadSkinLabelStyles(profiles, "C:\\L\\skin.ini", table);
    const LabelStyleEntry& menu1 = table.Entry(u"LabelMenu1");
    EXPECT_EQ(menu1.caption, u"Save");
    EXPECT_EQ(menu1.upColor, 1) << "a field the skin leaves out keeps its value";
    EXPECT_EQ(menu1.downColor, 9);
    EXPECT_EQ(menu1.left, 100);
    EXPECT_FALSE(table.Entry(u"LabelSync").leftGiven) << "LabelSync is not a skin key";
}

TEST_F(LanguageFiles, NumberErrorInGlobalFontEndsTheLoad) {
    Put("bad.ini", "[GlobalFont]\r\nFontSize=9pt\r\n");
    LanguageTable table;
    try {
        LoadLanguageTable(profiles, "C:\\L\\bad.ini", table);
        ADD_FAILURE() << "accepted";
    } catch (const InvalidIntegerError& error) {
        EXPECT_EQ(error.Text(), u"'9pt' is not a valid integer value");
    }
}

TEST(LabelKeys, FortyEightInReadingOrder) {
    const auto& keys = LabelKeys();
    ASSERT_EQ(keys.size(), kLabelKeyCount);
    EXPECT_EQ(keys.front().key, u"LabelMenu1");
    EXPECT_EQ(keys[16].key, u"LableEQ3DEnable");
    EXPECT_EQ(keys[46].key, u"LabelAbout");
    EXPECT_EQ(keys.back().key, u"LabelWarning");
}

}  // namespace
}  // namespace tonedeck
