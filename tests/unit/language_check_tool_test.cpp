// tonedeck-tool check-language on small Language.ini files.

#include <gtest/gtest.h>

#include "common/text.h"
#include "panel/window/language_table.h"
#include "window_tool_run.h"

namespace tonedeck {
namespace {

namespace fs = std::filesystem;
using namespace testing_window;

std::string CompleteLanguage(const std::map<std::string, std::string>& overrides) {
    std::string ini =
        "[GlobalFont]\r\nColorUp=0xFFFFFF\r\nColorDown=$FF\r\nFont=Tahoma\r\n"
        "FontSize=9\r\n";
    // One section each: the profile functions read only the first of a name.
    for (const char* section : {"Main", "EQ", "3D", "Effect", "Mic", "Virtual7ch1", "About"}) {
        ini += std::string("[") + section + "]\r\n";
        for (const LabelKey& key : LabelKeys()) {
            if (U16ToUtf8(key.section) != section) continue;
            std::string name = U16ToUtf8(key.key);
            std::string value = "\"Text, with comma\",0x0000FF,0xFFFFFF,Arial,9,1,2,3,4";
            if (auto found = overrides.find(name); found != overrides.end()) value = found->second;
            if (!value.empty()) ini += name + "=" + value + "\r\n";
        }
    }
    return ini;
}

class CheckLanguage : public ::testing::Test {
  protected:
    CheckLanguage() : folder(FreshFolder("language")) {}
    ~CheckLanguage() override { fs::remove_all(folder); }
    ToolRun Check(const std::string& text) {
        WriteText(folder / "Language.ini", text);
        return RunToolOn(folder,
                         "check-language " + ShellQuote((folder / "Language.ini").string()));
    }
    fs::path folder;
};

TEST_F(CheckLanguage, CleanFilePasses) {
    ToolRun run = Check(CompleteLanguage({}));
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("Result: OK"), std::string::npos);
}

TEST_F(CheckLanguage, ReportsMissingKeysAndNumberErrors) {
    std::string text = CompleteLanguage({{"LabelWarning", ""},
                                         {"LabelMenu2", "Save, then load,0x0000FF"},
                                         {"LabelMicGain", "Gain,1,2,Arial,nine"}});
    text.replace(text.find("FontSize=9"), 10, "FontSize=9pt");
    ToolRun run = Check(text);
    EXPECT_EQ(run.exitCode, 1);
    const char* expected[] = {
        "[Main] LabelWarning: missing",
        "[Main] LabelMenu2 field 2: ' then load' is not a valid integer value",
        "[Mic] LabelMicGain field 5: 'nine' is not a valid integer value",
        "[GlobalFont] FontSize field 1: '9pt' is not a valid integer value",
        "Result: 4 problems",
    };
    for (const char* line : expected)
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
}

TEST_F(CheckLanguage, MissingFileAndUsage) {
    ToolRun run = RunToolOn(folder, "check-language " + ShellQuote((folder / "none.ini").string()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no such file"), std::string::npos);
    run = RunToolOn(folder, "check-language a b");
    EXPECT_EQ(run.exitCode, 2);
}

}  // namespace
}  // namespace tonedeck
