// tonedeck-tool check-skin on a small skin folder, whole and broken in the ways that matter.

#include <gtest/gtest.h>

#include "common/text.h"
#include "panel/window/skin_keys.h"
#include "window_test_fixture.h"
#include "window_tool_run.h"

namespace tonedeck {
namespace {

namespace fs = std::filesystem;
using namespace testing_window;

class CheckSkin : public ::testing::Test {
  protected:
    CheckSkin() : skin(FreshFolder("skin") / "Blue") { Write({}); }
    ~CheckSkin() override { fs::remove_all(skin.parent_path()); }

    // A complete skin; `overrides` replaces values (an empty one drops the key).
    void Write(const std::map<std::string, std::string>& overrides) {
        std::string ini;
        std::string section;
        for (const SkinKey& key : SkinKeys()) {
            std::string sectionName = U16ToUtf8(key.section);
            if (sectionName != section) ini += "[" + (section = sectionName) + "]\r\n";
            std::string name = U16ToUtf8(key.key);
            std::string value;
            switch (key.kind) {
                case SkinKeyKind::Image:
                    value = "pics\\" + name + ".png";
                    WriteBytes(skin / "pics" / (name + ".png"), Png(10, 10));
                    WriteBytes(skin / "3D" / "pics" / (name + ".png"), Png(10, 10));
                    break;
                case SkinKeyKind::BackNotebook:
                    value = "20,112,760,336";
                    break;
                case SkinKeyKind::VirtualCenter:
                    value = "168,147,80";
                    break;
                case SkinKeyKind::MicProgressLength:
                    value = "300";
                    break;
                default:
                    value = "40,100";
                    break;
            }
            if (auto found = overrides.find(name); found != overrides.end()) value = found->second;
            if (!value.empty()) ini += name + "=" + value + "\r\n";
        }
        ini += "[MainLable]\r\nLabelMenu1=,0x00FF00,,Arial,9\r\n";
        WriteText(skin / "SkinSetting.ini", ini);
        WriteBytes(skin / "MainForm_Frame.rgn", Region(800, 500, 1, 1));
    }

    ToolRun Check() {
        return RunToolOn(skin.parent_path(), "check-skin " + ShellQuote(skin.string()));
    }

    fs::path skin;
};

TEST_F(CheckSkin, CleanSkinPasses) {
    ToolRun run = Check();
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("Result: OK"), std::string::npos) << run.out;
}

TEST_F(CheckSkin, ReportsEachProblemWithKeyAndField) {
    Write({{"EQSlider", "40"},
           {"CloseImageUp", "pics\\CloseImageUp.png,5 ,7"},
           {"LogoImage", ""},
           {"VirtualCenter", "168,147,0x"}});
    fs::remove(skin / "pics" / "MainFormImage.png");
    auto cut = Png(10, 10);
    cut.resize(20);
    WriteBytes(skin / "pics" / "Back_EQImage.png", cut);
    WriteText(skin / "pics" / "Back_MicImage.png", "BM but nothing more");
    fs::remove(skin / "3D" / "pics" / "D3AlphaDepImage.png");
    WriteBytes(skin / "MainForm_Frame.rgn", std::vector<uint8_t>(20, 0));
    WriteText(skin / "SkinSetting.ini", ReadText(skin / "SkinSetting.ini") + "LabelSX=,red\r\n");

    ToolRun run = Check();
    EXPECT_EQ(run.exitCode, 1);
    const char* expected[] = {
        "[EQ] EQSlider field 2: '' is not a valid integer value",
        "[Main] CloseImageUp field 2: '5 ' is not a valid integer value",
        "[Main] LogoImage: missing",
        "[Virtual7ch1] VirtualCenter field 3: '0x' is not a valid integer value",
        "[Main] MainFormImage: missing picture file",
        "Back_EQImage.png\": PNG file truncated",
        "Back_MicImage.png\": not a PNG file (bad signature)",
        "[About] LogoImage: missing",
        "[3D] D3AlphaDepImage (3D sub-folder): missing picture file",
        "shorter than its 32-byte header (20 bytes)",
        "[MainLable] LabelSX field 2: 'red' is not a valid integer value",
        "Result: 11 problems",
    };
    for (const char* text : expected)
        EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
}

TEST_F(CheckSkin, MissingSettingsAndUsageErrors) {
    fs::remove(skin / "SkinSetting.ini");
    ToolRun run = Check();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("missing SkinSetting.ini"), std::string::npos) << run.out;

    run = RunToolOn(skin.parent_path(), "check-skin " + ShellQuote((skin / "nope").string()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no such folder"), std::string::npos) << run.err;

    run = RunToolOn(skin.parent_path(), "check-skin");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("check-skin needs exactly one folder"), std::string::npos);
}

}  // namespace
}  // namespace tonedeck
