#include "common/device_id_mgr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/des.h"
#include "common/text.h"
#include "platform/sim/sim_file_system.h"

namespace tonedeck {
namespace {

constexpr char kAudio[] = "USB\\VID_0C76&PID_16XX&REV_0100&MI_00";
constexpr char kAudioMi01[] = "USB\\VID_0C76&PID_16XX&REV_0100&MI_01";
constexpr char kHid[] = "HID\\VID_0C76&PID_16XX&MI_03";
const std::u16string kPath = u"C:\\Setup\\AudioConfig.cfg";

std::string Code(const std::string& pattern) { return MakeEntryCode(pattern); }
std::string Entry(const std::string& pattern) { return pattern + "," + Code(pattern); }

std::vector<std::u16string> U16List(const std::vector<std::string>& items) {
    std::vector<std::u16string> out;
    for (const auto& item : items) out.push_back(AnsiToU16(item));
    return out;
}

std::vector<std::u16string> AcceptedPatterns(const CDeviceIdMgr& group) {
    std::vector<std::u16string> patterns;
    for (const auto& [pattern, code] : group.accepted()) patterns.push_back(pattern);
    return patterns;
}

std::vector<uint8_t> Utf16LeWithMark(const std::u16string& text) {
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

class DeviceIdGroupTest : public ::testing::Test {
  protected:
    int Load(const std::string& fileText, const std::u16string& section = kUsbGroupSection) {
        files.PutFile(kPath, fileText);
        return group.LoadGroup(kPath, section);
    }

    SimFileSystem files;
    CDeviceIdMgr group{files};
};

struct GroupCase {
    const char* name;
    std::string fileText;
    int expectedCode;
    std::vector<std::string> expectedAccepted;  // in map order
};

std::vector<GroupCase> GroupCases() {
    const std::string header = "[USB_VID_PID]\r\n";
    return {
        {"AllAuthentic",
         header + "A=" + Entry(kAudio) + "\r\nB=" + Entry(kHid) + "\r\n",
         0,
         {kHid, kAudio}},
        {"CodeOfAnotherPatternIsRejectedOthersStay",
         header + "A=" + Entry(kAudio) + "\r\nB=" + kAudioMi01 + "," + Code(kAudio) +
             "\r\nC=" + Entry(kHid) + "\r\n",
         0,
         {kHid, kAudio}},
        {"EntryWithoutCommaIsSkipped",
         header + "A=no comma here\r\nB=" + Entry(kAudio) + "\r\n",
         0,
         {kAudio}},
        {"EmptyCodeStopsButKeepsEarlierEntries",
         header + "A=" + Entry(kAudio) + "\r\nB=" + kHid + " ,  \r\nC=" + Entry(kAudioMi01) +
             "\r\n",
         4,
         {kAudio}},
        {"EmptyPatternStops",
         header + "A= ," + Code(kAudio) + "\r\nB=" + Entry(kAudio) + "\r\n",
         4,
         {}},
        {"SpacesAroundEqualsAndCommaAreHarmless",
         header + "A  =   " + kAudio + "  ,   " + Code(kAudio) + "   \r\n",
         0,
         {kAudio}},
        {"UndecodableCodesAreSkippedSilently",
         header + "A=" + kAudio + ",not*base64\r\nB=" + kAudio +
             ",AAAAAAAAAA==\r\nC=" + Entry(kHid) + "\r\n",
         0,
         {kHid}},
        {"PatternsCompareWithCase",
         header + "A=usb\\vid_0c76&pid_16xx&rev_0100&mi_00," + Code(kAudio) + "\r\n",
         0,
         {}},
        {"SamePatternTwiceKeepsTheFirstCode",
         header + "A=" + Entry(kAudio) + "\r\nB=" + kAudio + "," +
             Code(std::string(kAudio) + std::string(1, '\0') + "tail") + "\r\n",
         0,
         {kAudio}},
        {"LfOnlyLineEnds", "[USB_VID_PID]\nA=" + Entry(kAudio) + "\n", 0, {kAudio}},
        {"NoSuchSection", "[HID_VID_PID]\r\nA=" + Entry(kHid) + "\r\n", 2, {}},
        {"SectionNameDiffersInCase", "[usb_vid_pid]\r\nA=" + Entry(kAudio) + "\r\n", 2, {}},
        {"SectionWithoutKeys",
         header + "; only a comment\r\nno equals sign\r\n[Next]\r\nA=b\r\n",
         3,
         {}},
    };
}

TEST_F(DeviceIdGroupTest, LoadResultsAndAcceptedEntries) {
    for (const auto& c : GroupCases()) {
        SCOPED_TRACE(c.name);
        CDeviceIdMgr fresh(files);
        files.PutFile(kPath, c.fileText);
        EXPECT_EQ(fresh.LoadGroup(kPath, kUsbGroupSection), c.expectedCode);
        EXPECT_EQ(AcceptedPatterns(fresh), U16List(c.expectedAccepted));
    }
}

TEST_F(DeviceIdGroupTest, MissingFileReportsOne) {
    EXPECT_EQ(group.LoadGroup(u"C:\\Nowhere\\AudioConfig.cfg", kUsbGroupSection), kGroupFileFailed);
    EXPECT_TRUE(group.accepted().empty());
}

TEST_F(DeviceIdGroupTest, TheFirstOfTwoAuthenticCodesIsKept) {
    std::string second = Code(std::string(kAudio) + std::string(1, '\0') + "tail");
    ASSERT_NE(second, Code(kAudio));
    Load("[USB_VID_PID]\r\nA=" + Entry(kAudio) + "\r\nB=" + kAudio + "," + second + "\r\n");
    ASSERT_EQ(group.checks().size(), 2u);
    EXPECT_EQ(group.checks()[1].verdict, EntryVerdict::kDuplicate);
    EXPECT_EQ(group.accepted().at(AnsiToU16(kAudio)), AnsiToU16(Code(kAudio)));
}

TEST_F(DeviceIdGroupTest, RepeatedKeyYieldsItsFirstValueTwice) {
    EXPECT_EQ(Load("[USB_VID_PID]\r\nA=" + Entry(kAudio) + "\r\nA=" + Entry(kHid) + "\r\n"), 0);
    EXPECT_EQ(group.entries(), U16List({Entry(kAudio), Entry(kAudio)}));
    EXPECT_EQ(AcceptedPatterns(group), U16List({kAudio}));
}

TEST_F(DeviceIdGroupTest, EntriesAfterAnEmptyPartAreNotLookedAt) {
    EXPECT_EQ(Load("[USB_VID_PID]\r\nA=" + Entry(kAudio) + "\r\nB=,\r\nC=" + Entry(kHid) + "\r\n"),
              kGroupEmptyPart);
    EXPECT_EQ(group.entries().size(), 3u);
    ASSERT_EQ(group.checks().size(), 2u);
    EXPECT_EQ(group.checks()[0].verdict, EntryVerdict::kAccepted);
    EXPECT_EQ(group.checks()[1].verdict, EntryVerdict::kEmptyPattern);
}

TEST_F(DeviceIdGroupTest, MapIsOrderedByCodeUnits) {
    // Code-unit order puts upper case before "_" before lower case, and Latin-1 letters last.
    const std::vector<std::string> patterns = {"usb\\b", "USB\\\xE9", "USB\\a", "USB\\_", "USB\\B"};
    std::u16string text = u"[USB_VID_PID]\r\n";
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        text +=
            u"K" + AnsiToU16(std::to_string(i)) + u"=" + AnsiToU16(Entry(patterns[i])) + u"\r\n";
    }
    files.PutFile(kPath, Utf16LeWithMark(text));
    ASSERT_EQ(group.LoadGroup(kPath, kUsbGroupSection), 0);
    EXPECT_EQ(AcceptedPatterns(group), (std::vector<std::u16string>{u"USB\\B", u"USB\\_", u"USB\\a",
                                                                    u"USB\\\u00E9", u"usb\\b"}));
}

TEST_F(DeviceIdGroupTest, FailedReloadKeepsTheGroupAndOtherReloadsReplaceIt) {
    ASSERT_EQ(Load("[USB_VID_PID]\r\nA=" + Entry(kAudio) + "\r\n"), 0);

    files.FailReads(kPath, FileReadStatus::ReadFailed);
    EXPECT_EQ(group.LoadGroup(kPath, kUsbGroupSection), kGroupFileFailed);
    EXPECT_EQ(AcceptedPatterns(group), U16List({kAudio}));
    EXPECT_EQ(group.entries().size(), 1u);
    files.ClearFaults();

    EXPECT_EQ(Load("[USB_VID_PID]\r\nA=" + Entry(kHid) + "\r\n"), 0);
    EXPECT_EQ(AcceptedPatterns(group), U16List({kHid}));

    EXPECT_EQ(Load("[Other]\r\nA=b\r\n"), kGroupNoSection);
    EXPECT_TRUE(group.accepted().empty());
    EXPECT_TRUE(group.entries().empty());
}

TEST_F(DeviceIdGroupTest, SectionChoosesTheGroup) {
    const std::string text =
        "[USB_VID_PID]\r\nA=" + Entry(kAudio) + "\r\n[HID_VID_PID]\r\nH=" + Entry(kHid) + "\r\n";
    EXPECT_EQ(Load(text, kHidGroupSection), 0);
    EXPECT_EQ(AcceptedPatterns(group), U16List({kHid}));
}

struct EntryCase {
    const char* name;
    std::u16string entry;
    EntryVerdict verdict;
    std::u16string pattern;
};

TEST(DeviceIdEntryTest, VerdictAndReason) {
    const std::u16string audio = AnsiToU16(kAudio);
    const std::u16string audioCode = AnsiToU16(Code(kAudio));
    // The high byte of a character must not vanish when the code is narrowed.
    std::u16string widenedCode = audioCode;
    widenedCode[0] = static_cast<char16_t>(0x100 | widenedCode[0]);
    const std::vector<EntryCase> cases = {
        {"Accepted", audio + u"," + audioCode, EntryVerdict::kAccepted, audio},
        {"NoComma", u"USB\\VID_0C76", EntryVerdict::kNoComma, u""},
        {"EmptyPattern", u"   ," + audioCode, EntryVerdict::kEmptyPattern, u""},
        {"EmptyCode", audio + u",   ", EntryVerdict::kEmptyCode, audio},
        {"LengthNotMultipleOfFour", audio + u",abc", EntryVerdict::kBadBase64, audio},
        {"CharacterOutsideAlphabet", audio + u",ab*d", EntryVerdict::kBadBase64, audio},
        {"WideCharacterInCode", audio + u"," + widenedCode, EntryVerdict::kBadBase64, audio},
        {"SevenBytesAreNoDesData", audio + u",AAAAAAAAAA==", EntryVerdict::kDesFailed, audio},
        {"CodeOfAnotherPattern", AnsiToU16(kAudioMi01) + u"," + audioCode,
         EntryVerdict::kOtherPattern, AnsiToU16(kAudioMi01)},
        {"SecondCommaBelongsToTheCode", audio + u"," + audioCode + u",x", EntryVerdict::kBadBase64,
         audio},
        {"PlainIsCutAtZeroByte",
         audio + u"," + AnsiToU16(Code(std::string(kAudio) + std::string(1, '\0') + "x")),
         EntryVerdict::kAccepted, audio},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EntryCheck check = AuthenticateEntry(c.entry, {});
        EXPECT_EQ(check.verdict, c.verdict);
        EXPECT_EQ(check.pattern, c.pattern);
    }
}

TEST(DeviceIdEntryTest, ReportsWhatACodeForAnotherPatternDecodesTo) {
    EntryCheck check =
        AuthenticateEntry(AnsiToU16(kAudioMi01 + std::string(",") + Code(kAudio)), {});
    EXPECT_EQ(check.verdict, EntryVerdict::kOtherPattern);
    EXPECT_EQ(check.decoded, AnsiToU16(kAudio));
}

TEST(DeviceIdEntryTest, PatternAcceptedBeforeIsADuplicate) {
    std::map<std::u16string, std::u16string> accepted = {{AnsiToU16(kAudio), u"first"}};
    EXPECT_EQ(AuthenticateEntry(AnsiToU16(Entry(kAudio)), accepted).verdict,
              EntryVerdict::kDuplicate);
    EXPECT_EQ(AuthenticateEntry(AnsiToU16(Entry(kHid)), accepted).verdict, EntryVerdict::kAccepted);
}

struct MatchCase {
    const char* deviceId;
    bool matches;
};

class DeviceIdMatchTest : public DeviceIdGroupTest {};

TEST_F(DeviceIdMatchTest, WildcardsStandForExactlyOneCharacter) {
    ASSERT_EQ(Load("[USB_VID_PID]\r\nA=" + Entry(kAudio) + "\r\n"), 0);
    const std::vector<MatchCase> cases = {
        {"USB\\VID_0C76&PID_161B&REV_0100&MI_00", true},
        {"usb\\vid_0c76&pid_161b&rev_0100&mi_00", true},
        {"USB\\VID_0C76&PID_16XX&REV_0100&MI_00", true},
        {"USB\\VID_0C76&PID_16ff&REV_0100&MI_00", true},
        {"USB\\VID_0C76&PID_161B&REV_0101&MI_00", false},
        {"USB\\VID_0C76&PID_171B&REV_0100&MI_00", false},
        {"USB\\VID_0C76&PID_161B&REV_0100&MI_01", false},
        {"USB\\VID_0C76&PID_161&REV_0100&MI_00", false},
        {"USB\\VID_0C76&PID_161BB&REV_0100&MI_00", false},
        {"USB\\VID_0C76&PID_161B&REV_0100&MI_00&COL01", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deviceId);
        EXPECT_EQ(group.Matches(AnsiToU16(c.deviceId)), c.matches);
    }
}

TEST_F(DeviceIdMatchTest, LowerCaseXInAPatternIsAWildcardToo) {
    const std::string lower = "usb\\vid_0c76&pid_16xx&rev_0100&mi_00";
    ASSERT_EQ(Load("[USB_VID_PID]\r\nA=" + Entry(lower) + "\r\n"), 0);
    EXPECT_TRUE(group.Matches(u"USB\\VID_0C76&PID_16AB&REV_0100&MI_00"));
    EXPECT_FALSE(group.Matches(u"USB\\VID_0C76&PID_17AB&REV_0100&MI_00"));
}

TEST_F(DeviceIdMatchTest, AnyAcceptedPatternMayMatchAndRejectedOnesNever) {
    ASSERT_EQ(Load("[USB_VID_PID]\r\nA=" + Entry(kAudio) + "\r\nB=" + kHid + "," + Code(kAudio) +
                   "\r\nC=" + Entry("USB\\VID_0C76&PID_15XX")),
              0);
    EXPECT_TRUE(group.Matches(u"USB\\VID_0C76&PID_1501"));
    EXPECT_TRUE(group.Matches(u"USB\\VID_0C76&PID_1601&REV_0100&MI_00"));
    EXPECT_FALSE(group.Matches(u"HID\\VID_0C76&PID_1601&MI_03"));
}

TEST(DeviceIdEmptyGroupTest, MatchesNothing) {
    SimFileSystem files;
    CDeviceIdMgr group(files);
    EXPECT_FALSE(group.Matches(u""));
    EXPECT_FALSE(group.Matches(u"USB\\VID_0C76&PID_161B&REV_0100&MI_00"));
}

}  // namespace
}  // namespace tonedeck
