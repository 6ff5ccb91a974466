// Runs the real tonedeck-tool binary on files in a temporary folder.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/des.h"

namespace tonedeck {
namespace {

namespace fs = std::filesystem;

constexpr char kAudio[] = "USB\\VID_0C76&PID_16XX&REV_0100&MI_00";
constexpr char kAudioMi01[] = "USB\\VID_0C76&PID_16XX&REV_0100&MI_01";
constexpr char kHid[] = "HID\\VID_0C76&PID_16XX&MI_03";

std::string Entry(const std::string& pattern) { return pattern + "," + MakeEntryCode(pattern); }

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Single quotes for the shell; the patterns hold backslashes and ampersands.
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ConfigText(const std::string& usbGroup, const std::string& hidGroup,
                       const std::string& installExtra = "BackgroundWidth=640\r\n") {
    return "[Language]\r\nLanguageFolderName=Language\r\n"
           "[Skin]\r\nSkinFolderName=Skin\r\nRegionCut=1\r\n"
           "[TrayIconHint]\r\nHintName=Tonedeck\r\n"
           "[Install]\r\nInstallAppTitle=Tonedeck\r\nInstallIconFileName=Tonedeck.ico\r\n"
           "InstallFolderName=Tonedeck Audio\r\nShortcutFolderName=Tonedeck\r\n"
           "AppShortcutName=Tonedeck Control Panel\r\nAPPFileName=Tonedeck\r\n"
           "UserManualShortcutName=Manual\r\n" +
           installExtra +
           "BackgroundHeight=480\r\nInstallBackgroundFileName=Background.png\r\n"
           "[Uninstall]\r\nUninstallShortcutName=Uninstall\r\nPublisher=Tonedeck Audio\r\n"
           "UninstallDisplayName=Tonedeck Audio Driver\r\nUninstallFileName=TonedeckUninstall\r\n"
           "[MultiLanguageFolderMap]\r\nEnglish=English\r\nDeutsch=Deutsch\r\n"
           "[USB_VID_PID]\r\n" +
           usbGroup + "[HID_VID_PID]\r\n" + hidGroup;
}

std::string GoodConfig() {
    return ConfigText("Audio1 = " + Entry(kAudio) + "\r\n", "Hid1=" + Entry(kHid) + "\r\n");
}

class TonedeckToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tonedeck-tool-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(dir, error);
    }

    fs::path Write(const std::string& name, const std::string& bytes) {
        fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    ToolRun Tool(const std::vector<std::string>& args) {
        std::string command = ShellQuoted(TONEDECK_TOOL);
        for (const auto& arg : args) command += " " + ShellQuoted(arg);
        command += " >" + ShellQuoted((dir / "stdout").string()) + " 2>" +
                   ShellQuoted((dir / "stderr").string());
        int status = std::system(command.c_str());
        ToolRun run;
        // A crash is not an exit code; it must show as a failure of its own.
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
        run.out = ReadText(dir / "stdout");
        run.err = ReadText(dir / "stderr");
        return run;
    }

    ToolRun Check(const std::string& bytes) {
        return Tool({"check-config", Write("AudioConfig.cfg", bytes).string()});
    }

    fs::path dir;
};

TEST_F(TonedeckToolTest, EntryCodePrintsOneEntryPerPattern) {
    ToolRun run = Tool({"entry-code", kAudio, kHid});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, Entry(kAudio) + "\n" + Entry(kHid) + "\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(TonedeckToolTest, EntryCodeAgreesWithOpenssl) {
    std::string opensslOut = (dir / "openssl").string();
    std::string command = "printf %s " + ShellQuoted(kAudio) +
                          " | openssl enc -des-cbc -K 56656c6d6f726978 -iv 0000000000000000"
                          " -provider legacy -provider default | base64 -w0 >" +
                          ShellQuoted(opensslOut) + " && test -s " + ShellQuoted(opensslOut);
    // bash for pipefail: a missing openssl must fail here, not yield the Base64 of nothing.
    int status = std::system(("bash -o pipefail -c " + ShellQuoted(command)).c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "openssl (with its legacy provider) is needed for this test";
    std::string expected = ReadText(opensslOut);

    ToolRun run = Tool({"entry-code", kAudio});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, std::string(kAudio) + "," + expected + "\n");
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* message;  // expected in stderr
};

TEST_F(TonedeckToolTest, UsageErrorsExitWithTwo) {
    const std::vector<UsageCase> cases = {
        {"NoCommand", {}, "no command given"},
        {"UnknownCommand", {"frobnicate"}, "unknown command \"frobnicate\""},
        {"EntryCodeWithoutPattern", {"entry-code"}, "at least one pattern"},
        {"CheckConfigWithoutFile", {"check-config"}, "exactly one file"},
        {"CheckConfigWithTwoFiles", {"check-config", "a", "b"}, "exactly one file"},
        {"PatternWithComma", {"entry-code", kAudio, "USB\\A,B"}, "would not be accepted"},
        {"PatternWithOuterSpace", {"entry-code", " USB\\A"}, "would not be accepted"},
        {"EmptyPattern", {"entry-code", ""}, "would not be accepted"},
        {"PatternBeyondLatin1", {"entry-code", "USB\\\xC4\x80"}, "beyond U+00FF"},
        {"PatternWithLineBreak", {"entry-code", "USB\\A\nB"}, "control character"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ToolRun run = Tool(c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");  // nothing half-done on stdout
    }
}

TEST_F(TonedeckToolTest, GoodConfigPasses) {
    ToolRun run = Check(GoodConfig());
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("[USB_VID_PID] LoadGroup 0: loaded; 1 of 1 entries accepted"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("1. Audio1 : accepted " + std::string(kAudio)), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("[HID_VID_PID] LoadGroup 0"), std::string::npos);
    EXPECT_NE(run.out.find("Result: OK"), std::string::npos);
}

TEST_F(TonedeckToolTest, GoodConfigInUtf16Passes) {
    std::string text = GoodConfig();
    std::string bytes = "\xFF\xFE";
    for (char c : text) bytes += std::string{c, '\0'};
    ToolRun run = Check(bytes);
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("UTF-16 little-endian"), std::string::npos);
}

struct ProblemCase {
    const char* name;
    std::string fileText;
    std::vector<std::string> expectedLines;
};

TEST_F(TonedeckToolTest, ProblemsAreNamedAndExitWithOne) {
    const std::vector<ProblemCase> cases = {
        {"BadEntries",
         ConfigText("A=" + Entry(kAudio) + "\r\nB=" + kAudioMi01 + "," + MakeEntryCode(kAudio) +
                        "\r\nC=no comma\r\nD=" + kAudio + ",AAAAAAAAAA==\r\nE=" + kAudio +
                        ",*\r\nF=" + Entry(kAudio) + "\r\n",
                    "H=" + Entry(kHid) + "\r\n"),
         {"[USB_VID_PID] LoadGroup 0: loaded; 1 of 6 entries accepted",
          "1. A: accepted " + std::string(kAudio),
          "2. B: rejected: the code was made for another pattern: \"" + std::string(kAudio) + "\"",
          "3. C: rejected: no comma between pattern and code\n       entry \"no comma\"",
          "4. D: rejected: the code does not decrypt (DES failure)",
          "5. E: rejected: the code is not valid Base64",
          "6. F: rejected: duplicate of a pattern accepted before", "Result: 5 problems"}},
        {"EmptyCodeStops",
         ConfigText("A=" + Entry(kAudio) + "\r\nB=" + kAudioMi01 + ",\r\nC=" + Entry(kHid) + "\r\n",
                    "H=" + Entry(kHid) + "\r\n"),
         {"[USB_VID_PID] LoadGroup 4: an entry with an empty pattern or code stopped the "
          "authentication; 1 of 3 entries accepted",
          "2. B: rejected: empty code", "3. C: not checked (authentication stopped at entry 2)"}},
        {"MissingGroupAndEmptyGroup",
         ConfigText("", "").substr(0, ConfigText("", "").find("[HID_VID_PID]")),
         {"[USB_VID_PID] LoadGroup 3: the section has no keys",
          "[HID_VID_PID] LoadGroup 2: the file has no such section"}},
        {"MissingAndEmptyKeys",
         [] {
             std::string text =
                 ConfigText("A=" + Entry(kAudio) + "\r\n", "H=" + Entry(kHid) + "\r\n", "");
             text.replace(text.find("Publisher=Tonedeck Audio"), 24, "Publisher=  ");
             text.replace(text.find("English=English\r\nDeutsch=Deutsch"), 32, "English=");
             return text;
         }(),
         {"missing or empty: [Install] BackgroundWidth", "missing or empty: [Uninstall] Publisher",
          "missing or empty: [MultiLanguageFolderMap] (no language entry)", "Result: 3 problems"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ToolRun run = Check(c.fileText);
        EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
        for (const auto& line : c.expectedLines) {
            EXPECT_NE(run.out.find(line), std::string::npos) << "no \"" << line << "\" in\n"
                                                             << run.out;
        }
    }
}

TEST_F(TonedeckToolTest, UnusableFilesGiveAMessageNotACrash) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919 + 13) % 256));
    std::string utf32 = std::string("\xFF\xFE\0\0", 4);
    for (char c : GoodConfig()) utf32 += std::string{c, '\0', '\0', '\0'};
    fs::create_directory(dir / "folder.cfg");

    struct Case {
        const char* name;
        std::string path;
        const char* message;
        bool onStdout;
    };
    const std::vector<Case> cases = {
        {"MissingFile", (dir / "absent.cfg").string(), "no such file", false},
        {"Directory", (dir / "folder.cfg").string(), "it is a directory", false},
        {"BinaryGarbage", Write("garbage.cfg", garbage).string(), "are not 7-bit text", true},
        {"Utf32", Write("utf32.cfg", utf32).string(),
         "UTF-32 little-endian is not read by the private-profile functions", true},
        {"BadUtf8", Write("utf8.cfg", "\xEF\xBB\xBF[USB_VID_PID]\r\nA=\xFF\xFF\r\n").string(),
         "the INI reader cannot load the file", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ToolRun run = Tool({"check-config", c.path});
        EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
        const std::string& text = c.onStdout ? run.out : run.err;
        EXPECT_NE(text.find(c.message), std::string::npos) << run.out << run.err;
        EXPECT_EQ(run.out.find("Result: OK"), std::string::npos);
    }
}

TEST_F(TonedeckToolTest, RelativePathIsTheCurrentFolders) {
    Write("AudioConfig.cfg", GoodConfig());
    std::string command = "cd " + ShellQuoted(dir.string()) + " && " + ShellQuoted(TONEDECK_TOOL) +
                          " check-config AudioConfig.cfg >/dev/null 2>&1";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace tonedeck
