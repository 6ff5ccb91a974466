#include "platform/sim/emulated_profile_store.h"

#include <gtest/gtest.h>

#include <optional>

#include "common/profile_io.h"
#include "common/text.h"
#include "platform/sim/sim_file_system.h"

namespace tonedeck {
namespace {

const std::u16string kFile = u"C:\\cfg\\test.ini";

std::vector<uint8_t> Bytes(const std::string& raw) { return {raw.begin(), raw.end()}; }

std::vector<uint8_t> Utf16File(std::u16string_view text) {
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (char16_t c : text) {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t(c >> 8));
    }
    return bytes;
}

struct ReadCase {
    const char* name;
    std::vector<uint8_t> file;
    std::u16string section;
    std::u16string key;
    std::size_t bufferChars;
    std::u16string expected;
};

void PrintTo(const ReadCase& row, std::ostream* os) { *os << row.name; }

const std::string kLong300(300, 'v');

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, ReadsWhatWindowsReads) {
    const auto& row = GetParam();
    SimFileSystem files;
    files.PutFile(kFile, row.file);
    EmulatedProfileStore store(files);
    EXPECT_EQ(U16ToUtf8(store.GetString(kFile, row.section, row.key, u"dflt  ", row.bufferChars)),
              U16ToUtf8(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProfileReadTest,
    ::testing::Values(
        ReadCase{"NamesIgnoreCase", Bytes("[Language]\r\nDefaultLanguage=English\r\n"), u"LANGUAGE",
                 u"defaultlanguage", 1024, u"English"},
        ReadCase{"BlanksAroundNamesAndValue", Bytes("[Skin]\r\n \tRegionCut \t=\t 1 \t\r\n"),
                 u" Skin ", u"RegionCut ", 1024, u"1"},
        ReadCase{"BlanksInsideHeader", Bytes("  [ Skin\t]\r\nA=b\r\n"), u"Skin", u"A", 1024, u"b"},
        ReadCase{"HeaderRunsToLastBracket", Bytes("[a]b]\r\nk=1\r\n"), u"a]b", u"k", 1024, u"1"},
        ReadCase{"UnclosedHeaderIsNoHeader", Bytes("[S]\r\n[T\r\nk=1\r\n"), u"S", u"k", 1024, u"1"},
        ReadCase{"InnerBlanksKept", Bytes("[S]\r\nk = a  b \r\n"), u"S", u"k", 1024, u"a  b"},
        ReadCase{"DoubleQuotesRemoved", Bytes("[S]\r\nk = \" a b \" \r\n"), u"S", u"k", 1024,
                 u" a b "},
        ReadCase{"SingleQuotesRemoved", Bytes("[S]\r\nk='x'\r\n"), u"S", u"k", 1024, u"x"},
        ReadCase{"OnlyOnePairRemoved", Bytes("[S]\r\nk=\"\"x\"\"\r\n"), u"S", u"k", 1024, u"\"x\""},
        ReadCase{"MixedQuotesKept", Bytes("[S]\r\nk=\"x'\r\n"), u"S", u"k", 1024, u"\"x'"},
        ReadCase{"LoneQuoteKept", Bytes("[S]\r\nk=\"\r\n"), u"S", u"k", 1024, u"\""},
        ReadCase{"EmptyQuotesEmpty", Bytes("[S]\r\nk=''\r\n"), u"S", u"k", 1024, u""},
        ReadCase{"EmptyValueIsNotDefault", Bytes("[S]\r\nk=\r\n"), u"S", u"k", 1024, u""},
        ReadCase{"MissingKeyGivesDefault", Bytes("[S]\r\nk=1\r\n"), u"S", u"j", 1024, u"dflt"},
        ReadCase{"MissingSectionGivesDefault", Bytes("[S]\r\nk=1\r\n"), u"T", u"k", 1024, u"dflt"},
        ReadCase{"KeyOfOtherSectionNotSeen", Bytes("[S]\r\nk=1\r\n[T]\r\nj=2\r\n"), u"S", u"j",
                 1024, u"dflt"},
        ReadCase{"LineWithoutEqualsHasNoValue", Bytes("[S]\r\nk\r\nk=2\r\n"), u"S", u"k", 1024,
                 u"dflt"},
        ReadCase{"CommentLineIsJustAKey", Bytes("[S]\r\n;k=1\r\nk=2\r\n"), u"S", u";k", 1024, u"1"},
        ReadCase{"DuplicateKeyFirstWins", Bytes("[S]\r\nk=1\r\nK=2\r\n"), u"S", u"k", 1024, u"1"},
        ReadCase{"SecondDuplicateSectionIgnored", Bytes("[S]\r\na=1\r\n[T]\r\n[s]\r\nb=2\r\n"),
                 u"S", u"b", 1024, u"dflt"},
        ReadCase{"LfLines", Bytes("[S]\nk=1\nj=2"), u"S", u"j", 1024, u"2"},
        ReadCase{"CrLines", Bytes("[S]\rk=1\rj=2\r"), u"S", u"j", 1024, u"2"},
        ReadCase{"CutAtBuffer", Bytes("[S]\r\nk=" + kLong300 + "\r\n"), u"S", u"k", 256,
                 std::u16string(255, u'v')},
        ReadCase{"LongValueFitsLargeBuffer", Bytes("[S]\r\nk=" + kLong300 + "\r\n"), u"S", u"k",
                 1024, std::u16string(300, u'v')},
        ReadCase{"QuotedValueCutAtBuffer", Bytes("[S]\r\nk=\"abcdef\"\r\n"), u"S", u"k", 7,
                 u"abcdef"},
        ReadCase{"QuotedValueCutShorter", Bytes("[S]\r\nk=\"abcdef\"\r\n"), u"S", u"k", 4, u"abc"},
        ReadCase{"DefaultCutAtBuffer", Bytes(""), u"S", u"k", 3, u"df"},
        ReadCase{"BufferOfOneGivesNothing", Bytes("[S]\r\nk=1\r\n"), u"S", u"k", 1, u""},
        ReadCase{"AnsiFileIsWindows1252", Bytes("[S]\r\nk=caf\xe9 \x80\r\n"), u"S", u"k", 1024,
                 u"caf\u00e9 \u20ac"},
        ReadCase{"Latin1NamesIgnoreCase", Bytes("[CAF\xc9]\r\nCL\xc9=1\r\n"), u"caf\u00e9",
                 u"cl\u00e9", 1024, u"1"},
        ReadCase{"Utf16File", Utf16File(u"[\u0421\u0435\u043a]\r\n\u041a=\u00e9\u0416\r\n"),
                 u"\u0441\u0415\u041a", u"\u043a", 1024, u"\u00e9\u0416"},
        ReadCase{"Utf16BytesReadAsAnsiWithoutMark", Bytes(std::string("[\0S\0]\0\r\0\n\0", 10)),
                 u"S", u"k", 1024, u"dflt"},
        // A UTF-8 mark is not recognised: it sticks to the first line.
        ReadCase{"Utf8MarkHidesFirstSection", Bytes("\xef\xbb\xbf[S]\r\nk=1\r\n"), u"S", u"k", 1024,
                 u"dflt"},
        ReadCase{"Utf8FileReadAsAnsi", Bytes("\xef\xbb\xbf\r\n[S]\r\nk=\xc3\xa9\r\n"), u"S", u"k",
                 1024, u"\u00c3\u00a9"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EmulatedProfileStore, MissingOrUnreadableFileGivesDefault) {
    SimFileSystem files;
    EmulatedProfileStore store(files);
    EXPECT_EQ(store.GetString(kFile, u"S", u"k", u"d", 1024), u"d");
    EXPECT_EQ(store.GetString(kFile, u"S", u"k", u" \"d\"\t ", 1024), u" \"d\"\t");
    files.PutFile(kFile, "[S]\r\nk=1\r\n");
    files.FailReads(kFile, FileReadStatus::ReadFailed);
    EXPECT_EQ(store.GetString(kFile, u"S", u"k", u"d", 1024), u"d");
}

struct WriteCase {
    const char* name;
    std::optional<std::vector<uint8_t>> start;  // no file at all when empty
    std::u16string section;
    std::u16string key;
    std::u16string value;
    std::vector<uint8_t> expected;
};

void PrintTo(const WriteCase& row, std::ostream* os) { *os << row.name; }

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, ChangesOnlyWhatItMust) {
    const auto& row = GetParam();
    SimFileSystem files;
    ASSERT_TRUE(files.CreateFolder(u"C:\\cfg"));
    if (row.start) files.PutFile(kFile, *row.start);
    EmulatedProfileStore store(files);
    ASSERT_TRUE(store.WriteString(kFile, row.section, row.key, row.value));
    auto text = [](const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); };
    EXPECT_EQ(text(files.FileBytes(kFile)), text(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProfileWriteTest,
    ::testing::Values(
        WriteCase{"NewFileIsAnsi", std::nullopt, u"Language", u"DefaultLanguage",
                  u"Fran\u00e7ais \u0416",
                  Bytes("[Language]\r\nDefaultLanguage=Fran\xe7"
                        "ais ?\r\n")},
        WriteCase{"NewSectionAppended", Bytes("[A]\r\nx=1\r\n"), u"B", u"y", u"2",
                  Bytes("[A]\r\nx=1\r\n[B]\r\ny=2\r\n")},
        WriteCase{"NewSectionAfterUnfinishedLine", Bytes("[A]\nx=1"), u"B", u"y", u"2",
                  Bytes("[A]\nx=1\n[B]\ny=2\n")},
        WriteCase{"NewKeyEndsItsSection",
                  Bytes("; top\r\n[A]\r\nx=1\r\n; note\r\n\r\n[B]\r\ny=2\r\n"), u"a", u"z", u"3",
                  Bytes("; top\r\n[A]\r\nx=1\r\n; note\r\nz=3\r\n\r\n[B]\r\ny=2\r\n")},
        WriteCase{"NewKeyInEmptyLastSection", Bytes("[A]"), u"A", u"z", u"3",
                  Bytes("[A]\r\nz=3\r\n")},
        WriteCase{"ValueReplacedInPlace",
                  Bytes("# x\n[A]\n  Key  =  old  ; not a comment\nnext = 1\n[B]\nKey=b\n"), u"a",
                  u"KEY", u"new", Bytes("# x\n[A]\n  Key  =new\nnext = 1\n[B]\nKey=b\n")},
        WriteCase{"LeadingBlanksOfValueDropped", Bytes("[A]\r\nk=1\r\n"), u"A", u"k", u"  v  ",
                  Bytes("[A]\r\nk=v  \r\n")},
        WriteCase{"LineWithoutEqualsGetsValue", Bytes("[A]\r\nflag  \r\n"), u"A", u"flag", u"on",
                  Bytes("[A]\r\nflag=on\r\n")},
        WriteCase{"FirstDuplicateSectionChanged", Bytes("[A]\r\nk=1\r\n[A]\r\nk=2\r\n"), u"A", u"k",
                  u"9", Bytes("[A]\r\nk=9\r\n[A]\r\nk=2\r\n")},
        WriteCase{"Utf16FileStaysUtf16", Utf16File(u"[A]\r\nk=1\r\n[B]\r\n"), u"A", u"k", u"\u0416",
                  Utf16File(u"[A]\r\nk=\u0416\r\n[B]\r\n")},
        WriteCase{"MarkOnlyFileBecomesUtf16", Utf16File(u""), u"A", u"k", u"\u0416",
                  Utf16File(u"[A]\r\nk=\u0416\r\n")},
        WriteCase{"AnsiBytesOutsideTheEditKept",
                  Bytes("[A]\r\nk=1\r\nraw=\x81\x8d\x8f\x90\x9d\xff\r\n"), u"A", u"k", u"2",
                  Bytes("[A]\r\nk=2\r\nraw=\x81\x8d\x8f\x90\x9d\xff\r\n")},
        WriteCase{"Utf8MarkKeptAsBytes", Bytes("\xef\xbb\xbf[A]\r\nk=1\r\n"), u"A", u"k", u"\u00e9",
                  Bytes("\xef\xbb\xbf[A]\r\nk=1\r\n[A]\r\nk=\xe9\r\n")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EmulatedProfileStore, WriteFailsWithoutTouchingAnything) {
    SimFileSystem files;
    EmulatedProfileStore store(files);
    EXPECT_FALSE(store.WriteString(u"C:\\missing\\a.ini", u"S", u"k", u"v"));
    EXPECT_FALSE(files.FileExists(u"C:\\missing\\a.ini"));

    files.PutFile(kFile, "[S]\r\nk=1\r\n");
    files.MakeReadOnly(u"C:\\cfg");
    EXPECT_FALSE(store.WriteString(kFile, u"S", u"k", u"2"));
    EXPECT_FALSE(store.WriteString(u"C:\\cfg\\new.ini", u"S", u"k", u"2"));
    files.ClearFaults();

    files.FailReads(kFile, FileReadStatus::ReadFailed);
    EXPECT_FALSE(store.WriteString(kFile, u"S", u"k", u"2"));
    files.ClearFaults();
    EXPECT_EQ(files.FileBytes(kFile), Bytes("[S]\r\nk=1\r\n"));
    EXPECT_FALSE(files.FileExists(u"C:\\cfg\\new.ini"));
}

TEST(EmulatedProfileStore, WrittenValueReadsBack) {
    SimFileSystem files;
    ASSERT_TRUE(files.CreateFolder(u"C:\\cfg"));
    EmulatedProfileStore store(files);
    ASSERT_TRUE(store.WriteString(kFile, u"LastINI", u"Path", u"C:\\Users\\me\\p1.ini"));
    ASSERT_TRUE(store.WriteString(kFile, u"Skin", u"DefaultSkin", u"Blue"));
    ASSERT_TRUE(store.WriteString(kFile, u"lastini", u"path", u"C:\\p2.ini"));
    EXPECT_EQ(store.GetString(kFile, u"LastINI", u"Path", u"", 1024), u"C:\\p2.ini");
    EXPECT_EQ(store.GetString(kFile, u"Skin", u"DefaultSkin", u"", 1024), u"Blue");
}

class ProfileWrapperTest : public ::testing::Test {
  protected:
    ProfileWrapperTest() {
        files.PutFile(kFile, "[S]\r\nfull=value\r\nempty=\r\nlong=" + std::string(300, 'x') +
                                 "\r\nhuge=" + std::string(1500, 'y') + "\r\n");
    }
    SimFileSystem files;
    EmulatedProfileStore store{files};
};

TEST_F(ProfileWrapperTest, ReadProfileStringSetsOnlyNonEmptyValues) {
    std::u16string value = u"before";
    EXPECT_EQ(ReadProfileString(store, kFile, u"s", u"FULL", value), 0);
    EXPECT_EQ(value, u"value");
    for (const char16_t* key : {u"empty", u"absent"}) {
        value = u"before";
        EXPECT_EQ(ReadProfileString(store, kFile, u"S", key, value), 1) << U16ToUtf8(key);
        EXPECT_EQ(value, u"before") << U16ToUtf8(key);
    }
    value = u"before";
    EXPECT_EQ(ReadProfileString(store, u"C:\\cfg\\none.ini", u"S", u"full", value), 1);
    EXPECT_EQ(value, u"before");
    EXPECT_EQ(ReadProfileString(store, kFile, u"S", u"huge", value), 0);
    EXPECT_EQ(value, std::u16string(1023, u'y'));
}

TEST_F(ProfileWrapperTest, ReadToBufferCutsAndClears) {
    std::u16string value = u"before";
    EXPECT_EQ(ReadProfileStringToBuffer(store, "C:\\cfg\\test.ini", u"S", u"long", value), 0);
    EXPECT_EQ(value, std::u16string(255, u'x'));
    EXPECT_EQ(ReadProfileStringToBuffer(store, "C:\\cfg\\test.ini", u"S", u"absent", value), 0);
    EXPECT_EQ(value, u"");
}

TEST_F(ProfileWrapperTest, EightBitFileNamesUseTheCodePage) {
    files.PutFile(u"C:\\cfg\\caf\u00e9.ini", "[S]\r\nk=1\r\n");
    std::u16string value;
    EXPECT_EQ(ReadProfileStringToBuffer(store, "C:\\cfg\\caf\xe9.ini", u"S", u"k", value), 0);
    EXPECT_EQ(value, u"1");
    EXPECT_EQ(WriteProfileString(store, std::string("C:\\cfg\\caf\xe9.ini"), u"S", u"k", u"2"), 0);
    EXPECT_EQ(files.FileBytes(u"C:\\cfg\\caf\u00e9.ini"), Bytes("[S]\r\nk=2\r\n"));
}

TEST_F(ProfileWrapperTest, EightBitFileNameTooLongForItsBufferReachesNoFile) {
    // Cut to 255 characters it would name another file; such a name is refused instead.
    std::string name = "C:\\cfg\\" + std::string(250, 'n') + ".ini";
    ASSERT_GE(name.size(), kProfileBufferChars);
    files.PutFile(AnsiToU16(name), "[S]\r\nk=1\r\n");
    std::u16string value = u"before";
    EXPECT_EQ(ReadProfileStringToBuffer(store, name, u"S", u"k", value), 0);
    EXPECT_EQ(value, u"");
    EXPECT_EQ(WriteProfileString(store, name, u"S", u"k", u"2"), 0);
    EXPECT_EQ(files.FileBytes(AnsiToU16(name)), Bytes("[S]\r\nk=1\r\n"));
}

TEST_F(ProfileWrapperTest, WritersReportFailureOnlyInTheInstallerVariant) {
    EXPECT_EQ(WriteProfileString(store, kFile, u"S", u"full", u"new"), 0);
    EXPECT_EQ(store.GetString(kFile, u"S", u"full", u"", 1024), u"new");
    files.MakeReadOnly(u"C:\\cfg");
    EXPECT_EQ(WriteProfileString(store, kFile, u"S", u"full", u"newer"), 1);
    EXPECT_EQ(WriteProfileString(store, std::string("C:\\cfg\\test.ini"), u"S", u"full", u"newer"),
              0);
    EXPECT_EQ(store.GetString(kFile, u"S", u"full", u"", 1024), u"new");
}

}  // namespace
}  // namespace tonedeck
