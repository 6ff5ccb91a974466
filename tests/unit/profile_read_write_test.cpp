// Sound profiles: the file a save writes, what a load applies and sends, and loads that stop at
// a bad key without harm.

#include <gtest/gtest.h>

#include "common/text.h"
#include "panel/settings/profile_format.h"
#include "panel/settings/register_map.h"
#include "panel/window/window_errors.h"
#include "platform/sim/emulated_profile_store.h"
#include "settings_rig.h"

namespace tonedeck {
namespace {

using test::Reports;
using test::SettingsRig;

const std::u16string kProfile = std::u16string(test::kRigAppDir) + u"mine.ini";
const std::string kProfileAnsi = U16ToAnsi(kProfile);

constexpr char kFactoryFile[] =
    "[EQ]\r\nS1=0x400,0x400,0x400,0x400,0x400,0\r\nS2=0x400,0x400,0x400,0x400,0x400,0\r\n"
    "S3=0x400,0x400,0x400,0x400,0x400,0\r\nS4=0x400,0x400,0x400,0x400,0x400,0\r\n"
    "[3D]\r\nLeftAlpha=10\r\nLeftBeta=3\r\nRightAlpha=10\r\nRightBeta=3\r\nFBM=1\r\n3DEN=0\r\n"
    "[Effect]\r\nCurrentEffect=1\r\n"
    "[Virtual7ch1]\r\nC=200,70\r\nL=143,93\r\nLS=120,150\r\nLB=143,206\r\nRB=256,206\r\n"
    "RS=280,150\r\nSUB=200,100\r\nR=256,93\r\n7ch1EN=0\r\n"
    "[LED]\r\nLEDON=1\r\n";

class Profiles : public ::testing::Test, public SettingsRig {
  protected:
    void SetUp() override {
        sound = world.AddSoundDevice();
        Start();
        ClearLogs();
    }
    std::string FileText() {
        const auto bytes = files.FileBytes(kProfile);
        return std::string(bytes.begin(), bytes.end());
    }
    void Put(const std::string& text) { files.PutFile(kProfile, text); }
    // The factory file with each pair's first text replaced by its second.
    static std::string Factory(std::vector<std::pair<std::string, std::string>> changes) {
        std::string text = kFactoryFile;
        for (const auto& [from, to] : changes) text.replace(text.find(from), from.size(), to);
        return text;
    }
    // The error text of a load, or "" when it went through.
    std::string Load() {
        try {
            controller.ReadProfile(store, kProfileAnsi);
        } catch (const InvalidIntegerError& error) {
            return U16ToUtf8(error.Text());
        }
        return "";
    }
    EmulatedProfileStore store{files};
};

TEST_F(Profiles, FactoryStateIsWrittenKeyByKeyWithOnlyIdleReports) {
    controller.WriteProfile(store, kProfileAnsi);
    EXPECT_EQ(FileText(), kFactoryFile);
    EXPECT_EQ(firmware().SentReports(), Reports().I().I().I().I().I().list)
        << "four presets and the current one: no register while saving";
    EXPECT_FALSE(settings.savingProfile);
}

TEST_F(Profiles, FactoryRoundTripChangesNothingAndResendsEveryPreset) {
    controller.WriteProfile(store, kProfileAnsi);
    const SoundSettings before = settings;
    ClearLogs();
    EXPECT_EQ(Load(), "");
    EXPECT_EQ(settings.presets.Record(1), before.presets.Record(1));
    EXPECT_EQ(settings.presets.Record(4), before.presets.Record(4));
    EXPECT_EQ(settings.eqBlock, before.eqBlock);
    EXPECT_EQ(settings.d3, before.d3);
    EXPECT_EQ(settings.eqEnable, before.eqEnable);
    EXPECT_EQ(settings.d3Enable, before.d3Enable);
    EXPECT_EQ(settings.currentEffect, before.currentEffect);
    EXPECT_EQ(settings.speakerPlaces, before.speakerPlaces);
    EXPECT_EQ(settings.ledOn, before.ledOn);
    // Each preset, then the current one again: eight blocks of 288 to 297.
    int blocks = 0;
    const auto reports = firmware().SentReports();
    const auto block = Reports().W(288, 0x00).list;
    for (std::size_t i = 0; i + 1 < reports.size(); ++i) {
        if (reports[i] == block[0] && reports[i + 1] == block[1]) ++blocks;
    }
    EXPECT_EQ(blocks, 8);
    EXPECT_EQ(world.filterDriver().roomEffect(), 0u);
}

TEST_F(Profiles, LoadKeepsTheCurrentPresetAndTakesTheLowTwelveBits) {
    controller.SelectPreset(3);
    view.events.clear();
    Put(Factory({{"S2=0x400", "S2=0x1000"}, {"S3=0x400", "S3=0xABC"}}));
    EXPECT_EQ(Load(), "");
    EXPECT_EQ(settings.currentPreset, 3);
    EXPECT_EQ(settings.presets.Load(2).bands[0], 0);
    EXPECT_EQ(settings.presets.Load(3).bands[0], 0xABC);
    EXPECT_EQ(settings.eqBlock.bands[0], 0xABC) << "S3 live";
    std::vector<std::string> shown;
    for (const auto& event : view.events) {
        if (event.rfind("show S", 0) == 0) shown.push_back(event);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"show S1", "show S3", "show S2", "show S3",
                                               "show S3", "show S3", "show S4", "show S3"}));
    EXPECT_EQ(firmware().Register(288), 0xBC) << "S3 was written last";
}

TEST_F(Profiles, TheLastPresetLineDecidesEqEnable) {
    std::string text = kFactoryFile;
    text.replace(text.find("S2=0x400,0x400,0x400,0x400,0x400,0"), 34,
                 "S2=0x400,0x400,0x400,0x400,0x400,1");
    Put(text);
    EXPECT_EQ(Load(), "");
    EXPECT_FALSE(settings.eqEnable);
    text.replace(text.find("S4=0x400,0x400,0x400,0x400,0x400,0"), 34,
                 "S4=0x400,0x400,0x400,0x400,0x400,7,junk,9");
    Put(text);
    EXPECT_EQ(Load(), "");
    EXPECT_TRUE(settings.eqEnable) << "any number but 0 switches on; extra fields ignored";
    EXPECT_EQ(firmware().Register(297) & kEqBypassBit, 0);
}

TEST_F(Profiles, WithoutTheLedSectionTheLedStaysAsItWas) {
    controller.ToggleLed();
    ASSERT_FALSE(settings.ledOn);
    std::string text = kFactoryFile;
    text.erase(text.find("[LED]"));
    Put(text);
    ClearLogs();
    EXPECT_EQ(Load(), "");
    EXPECT_FALSE(settings.ledOn);
    EXPECT_EQ(std::count(view.events.begin(), view.events.end(), "show LED"), 0);
}

struct BadRow {
    const char* what;
    std::string text;
    std::string error;
};

TEST_F(Profiles, BadFilesStopAtTheBadKeyAndKeepWhatCameBefore) {
    std::string factory = kFactoryFile;
    auto with = [&](const std::string& from, const std::string& to) {
        std::string text = factory;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::string longLine = "[EQ]\r\nS1=" + std::string(60000, '7') + "\r\n";
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
    const std::vector<BadRow> rows = {
        {"empty file", "", "'' is not a valid integer value"},
        {"binary garbage", garbage, "'' is not a valid integer value"},
        {"60,000 characters", longLine,
         "'" + std::string(255, '7') + "' is not a valid integer value"},
        {"abc", with("LeftBeta=3", "LeftBeta=abc"), "'abc' is not a valid integer value"},
        {"too large", with("RightAlpha=10", "RightAlpha=999999999999"),
         "'999999999999' is not a valid integer value"},
        {"missing key", with("SUB=200,100\r\n", ""), "'' is not a valid integer value"},
        {"short preset", with("S3=0x400,0x400,0x400,0x400,0x400,0", "S3=0x123,0x400"),
         "'' is not a valid integer value"},
    };
    for (const BadRow& row : rows) {
        Put(row.text);
        EXPECT_EQ(Load(), row.error) << row.what;
    }

    // What came before the bad key stays applied; the bad line itself changes nothing.
    controller.ResetEqualizer();
    std::string text = with("S1=0x400", "S1=0x7FF");
    text.replace(text.find("S3=0x400,0x400,0x400,0x400,0x400,0"), 34, "S3=0x123,zz");
    Put(text);
    EXPECT_EQ(Load(), "'zz' is not a valid integer value");
    EXPECT_EQ(settings.presets.Load(1).bands[0], 0x7FF);
    EXPECT_EQ(settings.presets.Load(3).bands[0], 0x400);

    text = with("LeftBeta=3", "LeftBeta=7");
    text.replace(text.find("C=200,70"), 8, "C=999,999");
    text.replace(text.find("SUB=200,100"), 11, "SUB=1");
    Put(text);
    EXPECT_EQ(Load(), "'' is not a valid integer value");
    EXPECT_EQ(settings.d3.leftBeta, 7);
    EXPECT_EQ(settings.speakerPlaces[kSpeakerC], (SpeakerPoint{999, 999})) << "no clamping";
}

TEST_F(Profiles, ValuesOutsideTheirRangeAreHeldSafely) {
    std::string text = kFactoryFile;
    text.replace(text.find("LeftAlpha=10"), 12, "LeftAlpha=276");  // low 8 bits: 20
    text.replace(text.find("FBM=1"), 5, "FBM=5");
    text.replace(text.find("CurrentEffect=1"), 15, "CurrentEffect=9");
    Put(text);
    EXPECT_EQ(Load(), "");
    EXPECT_EQ(settings.d3.leftAlpha, 20);
    EXPECT_TRUE(settings.d3.fbm);
    EXPECT_EQ(settings.currentEffect, 1) << "the driver is never sent an unknown effect";
    EXPECT_EQ(world.filterDriver().roomEffect(), 0u);
}

TEST_F(Profiles, SavingAfterAPresetSwitchKeepsTheEqualizerOnTheDevice) {
    controller.ToggleEqEnable();  // stored into S1 with Bypass 0
    controller.SelectPreset(2);   // S2's record still has Bypass 1
    controller.WriteProfile(store, kProfileAnsi);
    EXPECT_FALSE(settings.eqBlock.bypass);
    controller.PageShown(SettingsPage::kEq);  // writes the whole block
    EXPECT_EQ(firmware().Register(297) & kEqBypassBit, 0);
}

}  // namespace
}  // namespace tonedeck
