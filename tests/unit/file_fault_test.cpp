// Profiles on a disk that refuses them: the last profile and the Save button writing into a
// read-only or full folder, and a last profile cut short. Nothing already saved is lost, no error
// reaches the user where the program cannot help it, and the program always starts.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <set>

#include "panel/settings/register_map.h"
#include "panel_world.h"

namespace tonedeck {
namespace {

using test::PanelWorld;

const std::u16string kUserFolder = u"C:\\Users\\user\\AppData\\Roaming\\Tonedeck";
const std::u16string kLastProfile = kUserFolder + u"\\LastProfile.ini";
const std::u16string kProfileFolder = u"C:\\Users\\user\\Tonedeck";

struct FilePanel : PanelWorld {
    void Restart() {
        panel.reset();
        host.errors.clear();
        Panel().Construct();
    }
    void Exit() {
        Panel().OnExit();
        panel.reset();
    }
    std::string Errors() const {
        std::string text;
        for (const auto& error : host.errors) text += U16ToUtf8(error) + "; ";
        return text;
    }
};

struct WriteFault {
    const char* name;
    std::function<void(SimFileSystem&)> inject;
};

TEST(FileFaults, ExitIntoAReadOnlyOrFullFolderKeepsTheLastProfileWhole) {
    const std::vector<WriteFault> faults = {
        {"read-only", [](SimFileSystem& f) { f.MakeReadOnly(kUserFolder); }},
        {"full", [](SimFileSystem& f) { f.LimitFolder(kUserFolder, f.BytesBelow(kUserFolder)); }},
    };
    for (const WriteFault& fault : faults) {
        FilePanel w;
        w.Panel().Construct();
        w.Click(u"EQEQENImage");
        w.Drag(u"EQ60HzSliderImage", 0, 500);  // band 1 of S1 to code 0
        w.Exit();
        const std::vector<uint8_t> saved = w.files.FileBytes(kLastProfile);

        w.Restart();
        w.Click(u"EQEQENImage");                 // the equalizer off: the same length in the file
        w.Drag(u"EQ60HzSliderImage", 0, -500);   // 0x0 to 0xFFF: a longer line
        w.Click(u"LEDImage");                    // the LED off
        fault.inject(w.files);
        w.Exit();
        EXPECT_TRUE(w.host.errors.empty()) << fault.name << ": " << w.Errors();
        EXPECT_EQ(w.firmware().Register(kRegDspControl), 0) << fault.name << ": exit went on";
        EXPECT_EQ(w.world.OpenHandleCount(), 0u) << fault.name;
        if (std::string(fault.name) == "read-only") {
            EXPECT_EQ(w.files.FileBytes(kLastProfile), saved) << fault.name;
        } else {
            EXPECT_LE(w.files.FileBytes(kLastProfile).size(), saved.size()) << fault.name;
        }

        w.files.ClearFaults();
        w.Restart();
        EXPECT_TRUE(w.host.errors.empty()) << fault.name << ": " << w.Errors();
        const SoundSettings& s = w.Panel().Settings();
        // A key is either as saved before or as saved now; a write that needed room kept the
        // old line (the band), the ones rewritten in place took the new values.
        EXPECT_EQ(s.presets.Load(1).bands[0], 0) << fault.name;
        const bool inPlace = std::string(fault.name) == "full";
        EXPECT_EQ(s.eqEnable, !inPlace) << fault.name;
        EXPECT_EQ(s.ledOn, !inPlace) << fault.name;
        w.Exit();
    }
}

TEST(FileFaults, AReadOnlyUserFolderWithoutALastProfileStartsFromTheDefaults) {
    FilePanel w;
    w.files.RemoveFile(kUserFolder + u"\\AudioConfig.cfg");
    ASSERT_TRUE(w.files.RemoveEmptyFolder(kUserFolder));
    w.files.MakeReadOnly(u"C:\\Users\\user\\AppData\\Roaming");
    w.Panel().Construct();
    w.Click(u"EQEQENImage");
    w.Exit();
    EXPECT_FALSE(w.files.DirectoryExists(kUserFolder));
    EXPECT_FALSE(w.files.FileExists(kLastProfile));
    w.Restart();
    EXPECT_TRUE(w.host.errors.empty()) << w.Errors();
    EXPECT_FALSE(w.Panel().Settings().eqEnable);
    w.Exit();
}

TEST(FileFaults, SaveIntoAReadOnlyFolderKeepsTheSavedProfileAndTheRememberedPath) {
    FilePanel w;
    w.Panel().Construct();
    w.Drag(u"EQ60HzSliderImage", 0, -500);
    w.dialogs.answer = kProfileFolder + u"\\mysound";
    w.Click(u"Menu1Label");
    const std::u16string saved = kProfileFolder + u"\\mysound.ini";
    const std::vector<uint8_t> bytes = w.files.FileBytes(saved);
    ASSERT_FALSE(bytes.empty());

    // The user's own folder refuses: the saved file stays as it was.
    w.files.MakeReadOnly(kProfileFolder);
    w.Drag(u"EQ60HzSliderImage", 0, 500);
    w.Click(u"LEDImage");
    w.Click(u"Menu1Label");
    EXPECT_EQ(w.files.FileBytes(saved), bytes);
    EXPECT_TRUE(w.host.errors.empty()) << w.Errors();

    // The program folder refuses: the profile is written, the remembered path keeps its value.
    w.files.ClearFaults();
    w.files.MakeReadOnly(u"C:\\Program Files\\Tonedeck");
    w.dialogs.answer = kProfileFolder + u"\\other";
    w.Click(u"Menu1Label");
    EXPECT_TRUE(w.files.FileExists(kProfileFolder + u"\\other.ini"));
    EXPECT_EQ(w.Panel().Profiles().LastSavedPath(), saved);
    w.Exit();
}

// The keys in the order a load reads them; a missing one ends the load there (the LED may be
// missing).
const std::vector<std::string> kReadOrder = {
    "S1",  "S2",        "S3",            "S4",     "LeftAlpha", "LeftBeta", "RightAlpha",
    "RightBeta", "FBM", "3DEN", "CurrentEffect", "7ch1EN", "L", "R", "C", "SUB", "LS", "RS",
    "LB",  "RB",        "LEDON"};

// Keys with a whole line (ended by its line break) in `text`.
std::set<std::string> WholeKeys(const std::string& text) {
    std::set<std::string> keys;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) keys.insert(line.substr(0, equals));
    }
    return keys;
}

std::vector<uint8_t> AsUtf16(const std::vector<uint8_t>& ansi) {
    std::vector<uint8_t> wide = {0xFF, 0xFE};
    for (uint8_t byte : ansi) wide.insert(wide.end(), {byte, 0});
    return wide;
}

TEST(FileFaults, ALastProfileCutShortLoadsUpToTheBrokenKeyAndTheProgramStarts) {
    FilePanel w;
    w.Panel().Construct();
    w.Click(u"EQS4Image");
    w.Drag(u"EQ60HzSliderImage", 0, -500);  // S4 band 1 to 0xFFF
    w.Click(u"PageEffectLabel");
    w.Click(u"EffectButtonStoneGalleryImage");
    w.Exit();
    const std::vector<uint8_t> whole = w.files.FileBytes(kLastProfile);
    const std::string text(whole.begin(), whole.end());
    ASSERT_EQ(WholeKeys(text).size(), kReadOrder.size());

    // Every line cut in its middle and after its line break, in both encodings; the wide file
    // is cut inside a character.
    struct Cut {
        std::size_t bytes;
        bool wide;
    };
    std::vector<Cut> cuts;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        cuts.push_back({start + (end - start) / 2, false});
        cuts.push_back({end + 2, false});
        cuts.push_back({2 + 2 * (start + (end - start) / 2) + 1, true});
    }
    std::size_t broken = 0;
    for (const Cut& cut : cuts) {
        const std::string what = (cut.wide ? "UTF-16 cut at " : "cut at ") +
                                 std::to_string(cut.bytes);
        std::vector<uint8_t> bytes = cut.wide ? AsUtf16(whole) : whole;
        bytes.resize(cut.bytes);
        w.files.PutFile(kLastProfile, bytes);
        ASSERT_NO_THROW(w.Restart()) << what;
        EXPECT_TRUE(w.Panel().Settings().devicePresent) << what;
        ASSERT_LE(w.host.errors.size(), 1u) << what << ": " << w.Errors();
        if (!w.host.errors.empty()) {
            ++broken;
            EXPECT_NE(w.Errors().find("is not a valid integer value"), std::string::npos) << what;
        }

        const std::size_t kept = cut.wide ? (cut.bytes - 2) / 2 : cut.bytes;
        const std::set<std::string> wholeKeys = WholeKeys(text.substr(0, kept));
        std::size_t firstMissing = 0;
        while (firstMissing < kReadOrder.size() && wholeKeys.count(kReadOrder[firstMissing])) {
            ++firstMissing;
        }
        const SoundSettings& s = w.Panel().Settings();
        // Cut after a line break: the load stops exactly at the first missing key. Cut inside a
        // line, the broken line may still read as a shorter number.
        const bool atLineEnd = !cut.wide && text.compare(cut.bytes - 2, 2, "\r\n") == 0;
        if (atLineEnd) {
            EXPECT_EQ(w.host.errors.empty(), firstMissing >= kReadOrder.size() - 1) << what;
        }
        if (firstMissing >= 4) {
            EXPECT_EQ(s.presets.Load(4).bands[0], 0xFFF) << what;
        }
        if (firstMissing <= 2) {
            EXPECT_EQ(s.presets.Load(4).bands[0], 1024) << what;
        }
        if (firstMissing > 10) {
            EXPECT_EQ(s.currentEffect, 3) << what;
        }

        // The exit writes the whole profile again: the next start is clean and holds the same.
        const int effect = s.currentEffect;
        std::array<EqBlock, kPresetCount> presets;
        for (int p = 1; p <= kPresetCount; ++p) presets[p - 1] = s.presets.Load(p);
        w.Exit();
        w.Restart();
        EXPECT_TRUE(w.host.errors.empty()) << what << " then restarted: " << w.Errors();
        EXPECT_EQ(w.Panel().Settings().currentEffect, effect) << what;
        for (int p = 1; p <= kPresetCount; ++p) {
            EXPECT_EQ(w.Panel().Settings().presets.Load(p), presets[p - 1]) << what << " S" << p;
        }
        w.panel.reset();
    }
    std::printf("[ faults   ] cut last profiles: %zu, of them stopped at a broken key: %zu\n",
                cuts.size(), broken);
}

}  // namespace
}  // namespace tonedeck
