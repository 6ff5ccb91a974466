// tonedeck-tool simulate, run as the real binary: golden outputs for whole scripts and the
// messages of scripts that cannot run.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tonedeck {
namespace {

namespace fs = std::filesystem;

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

class SimulateTool : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(TONEDECK_TOOL)) << TONEDECK_TOOL;
        dir_ = fs::temp_directory_path() /
               ("tonedeck-simulate-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    ToolRun Simulate(const fs::path& script) {
        const fs::path out = dir_ / "out.txt";
        const fs::path err = dir_ / "err.txt";
        const std::string command = std::string("'") + TONEDECK_TOOL + "' simulate '" +
                                    script.string() + "' >'" + out.string() + "' 2>'" +
                                    err.string() + "'";
        const int status = std::system(command.c_str());
        ToolRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadText(out);
        run.err = ReadText(err);
        return run;
    }

    ToolRun SimulateText(const std::string& text) {
        const fs::path script = dir_ / "script.txt";
        std::ofstream(script, std::ios::binary) << text;
        return Simulate(script);
    }

    fs::path dir_;
};

const fs::path kData = fs::path(TONEDECK_SOURCE_DIR) / "tests/unit/data/simulate";

TEST_F(SimulateTool, ScriptsPrintTheirGoldenTraffic) {
    for (const char* name : {"start_present_exit", "hotplug_in_tray", "buttons", "pages"}) {
        const fs::path golden = kData / (std::string(name) + ".expected");
        ASSERT_TRUE(fs::exists(golden)) << golden;
        const ToolRun run = Simulate(kData / (std::string(name) + ".txt"));
        EXPECT_EQ(run.exitCode, 0) << name << "\n" << run.err;
        EXPECT_EQ(run.err, "") << name;
        EXPECT_EQ(run.out, ReadText(golden)) << name;
    }
}

struct ErrorRow {
    const char* script;
    std::string message;  // after "tonedeck-tool: <file>"
    bool printsTraffic;
};

TEST_F(SimulateTool, ScriptsThatCannotRunSayWhyWithTheLineNumber) {
    const std::vector<ErrorRow> rows = {
        {"start\nfly away\n", ", line 2: unknown command \"fly\"\n", false},
        {"# comment\n\nstart\ntick\n", ", line 4: tick needs an argument: milliseconds\n", false},
        {"start\ntick 12ms\n",
         ", line 2: tick needs milliseconds from 0 to 86400000, not \"12ms\"\n", false},
        {"start\ntick 99999999999\n",
         ", line 2: tick needs milliseconds from 0 to 86400000, not \"99999999999\"\n", false},
        {"start\ntick -5\n", ", line 2: tick needs milliseconds from 0 to 86400000, not \"-5\"\n",
         false},
        {"start\npress 256\n", ", line 2: press needs a tag number from 0 to 255, not \"256\"\n",
         false},
        {"start\nplug now\n", ", line 2: plug takes no argument, not \"now\"\n", false},
        {"plug\nstart\n", ", line 1: plug before start: the panel is not running yet\n", false},
        {"exit\n", ", line 1: exit before start: the panel is not running yet\n", false},
        {"start\ndevice absent\n", ", line 2: device must come before start\n", false},
        {"device maybe\nstart\n",
         ", line 1: device must be \"present\" or \"absent\", not \"maybe\"\n", false},
        {"device absent\ndevice present\nstart\n", ", line 2: device given a second time\n", false},
        {"start\nstart\n", ", line 2: start a second time: the panel already runs\n", false},
        {"start\nexit\nplug\n", ", line 3: plug after exit: the panel has ended\n", false},
        {"device present\n", ": the script never starts the panel (no start command)\n", false},
        {"", ": the script never starts the panel (no start command)\n", false},
        {"start\ndrag 29\n",
         ", line 2: drag needs a tag number and the movement: DY, or DX DY\n", false},
        {"start\ndrag 29 1 2 3\n",
         ", line 2: drag needs a tag number and the movement: DY, or DX DY\n", false},
        {"start\ndrag 29 up\n", ", line 2: drag needs pixels from -10000 to 10000, not \"up\"\n",
         false},
        {"start\npage 5\n", ", line 2: page needs a page number from 0 to 4, not \"5\"\n", false},
        {"start\nsave\n", ", line 2: save needs an argument: a file\n", false},
        // Checked only when they run: the traffic before them has been printed.
        {"profile no-such-profile.ini\nstart\n",
         ", line 1: cannot read \"" + (dir_ / "no-such-profile.ini").string() + "\"\n", true},
        {"start\npress 16\n",
         ", line 2: EffectButtonNonImage (tag 16) is not showing on page 0\n", true},
        {"start\npress 99\n", ", line 2: no control carries tag 99\n", true},
        {"start\nload missing.ini\n",
         ", line 2: cannot read \"" + (dir_ / "missing.ini").string() + "\"\n", true},
    };
    for (const ErrorRow& row : rows) {
        const ToolRun run = SimulateText(row.script);
        const std::string script = (dir_ / "script.txt").string();
        EXPECT_EQ(run.exitCode, 1) << row.script;
        EXPECT_EQ(run.err, "tonedeck-tool: " + script + row.message) << row.script;
        EXPECT_EQ(!run.out.empty(), row.printsTraffic) << row.script << run.out;
    }
}

TEST_F(SimulateTool, LockedPressesWithoutTheDeviceOnlyWarn) {
    const ToolRun run = SimulateText("device absent\nstart\npress 7\npress 25\npress 30\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::size_t warnings = 0;
    for (std::size_t at = 0; (at = run.out.find("warning message box", at)) != std::string::npos;
         ++at) {
        ++warnings;
    }
    EXPECT_EQ(warnings, 3u) << run.out;
    EXPECT_EQ(run.out.find("hid out"), std::string::npos) << run.out;
}

TEST_F(SimulateTool, MissingScriptAndWrongArgumentsFail) {
    const ToolRun missing = Simulate(dir_ / "no-such-script.txt");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("the script cannot be read"), std::string::npos) << missing.err;

    const ToolRun folder = Simulate(dir_);
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find("it is a directory"), std::string::npos) << folder.err;

    const std::string command = std::string("'") + TONEDECK_TOOL + "' simulate >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
}

}  // namespace
}  // namespace tonedeck
