// The emulated private-profile store against the real functions, file by file.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/text.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_profile_store.h"

namespace tonedeck {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Ansi(const std::string& raw) { return {raw.begin(), raw.end()}; }

Bytes Utf16(std::u16string_view text) {
    Bytes bytes = {0xFF, 0xFE};
    for (char16_t c : text) {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t(c >> 8));
    }
    return bytes;
}

std::string Show(const Bytes& bytes) {
    std::string out;
    for (uint8_t b : bytes) {
        char hex[8];
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out.push_back(char(b));
        } else {
            snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out;
}

std::string Show(const std::u16string& text) { return U16ToUtf8(text); }

// Where Wine, not Windows, is the odd one out: the emulation keeps the documented behaviour and
// the row pins what Wine does instead, so a change on either side shows.
struct WineDeviation {
    std::u16string wineGives;
    const char* reason;
};

struct ReadRow {
    const char* name;
    std::optional<Bytes> file;  // no file at all when empty
    std::u16string section;
    std::u16string key;
    std::size_t bufferChars = 1024;
    std::u16string defaultValue = u"dflt  ";
    std::optional<WineDeviation> deviation = std::nullopt;
};

const std::string k300(300, 'a');

const char* const kWineAsciiCase =
    "Wine ignores case in names for ASCII letters only; the documented functions are not "
    "case-sensitive, which Windows applies to all letters";

const std::vector<ReadRow>& ReadRows() {
    static const std::vector<ReadRow> rows = {
        {"SectionCase", Ansi("[Language]\r\nDefaultLanguage=English\r\n"), u"LANGUAGE",
         u"DefaultLanguage"},
        {"KeyCase", Ansi("[Language]\r\nDefaultLanguage=English\r\n"), u"Language",
         u"dEFAULTlANGUAGE"},
        {"BlanksAroundEquals", Ansi("[S]\r\nk \t= \t v \t\r\n"), u"S", u"k"},
        {"BlanksAroundKeyInFile", Ansi("[S]\r\n \t k \t=v\r\n"), u"S", u"k"},
        {"BlanksAroundAskedNames", Ansi("[S]\r\nk=v\r\n"), u" S\t", u"\tk "},
        {"BlanksInsideHeader", Ansi("  [ \tS\t ]  \r\nk=v\r\n"), u"S", u"k"},
        {"BlanksInsideValueKept", Ansi("[S]\r\nk=a \t b\r\n"), u"S", u"k"},
        {"InnerBlanksOfKey", Ansi("[S]\r\nmy key = 1\r\n"), u"S", u"my key"},
        {"DoubleQuoted", Ansi("[S]\r\nk = \"a b\" \r\n"), u"S", u"k"},
        {"DoubleQuotedInnerBlanks", Ansi("[S]\r\nk=\" a b \"\r\n"), u"S", u"k"},
        {"SingleQuoted", Ansi("[S]\r\nk='x'\r\n"), u"S", u"k"},
        {"OpenQuoteOnly", Ansi("[S]\r\nk=\"x\r\n"), u"S", u"k"},
        {"CloseQuoteOnly", Ansi("[S]\r\nk=x\"\r\n"), u"S", u"k"},
        {"MixedQuotes", Ansi("[S]\r\nk=\"x'\r\n"), u"S", u"k"},
        {"LoneQuote", Ansi("[S]\r\nk=\"\r\n"), u"S", u"k"},
        {"EmptyQuotes", Ansi("[S]\r\nk=''\r\n"), u"S", u"k"},
        {"DoubledQuotes", Ansi("[S]\r\nk=\"\"x\"\"\r\n"), u"S", u"k"},
        {"QuotesInside", Ansi("[S]\r\nk=a\"b\"c\r\n"), u"S", u"k"},
        {"ValueWithEquals", Ansi("[S]\r\nk=a=b\r\n"), u"S", u"k"},
        {"EmptyValue", Ansi("[S]\r\nk=\r\n"), u"S", u"k"},
        {"BlankValue", Ansi("[S]\r\nk= \t \r\n"), u"S", u"k"},
        {"Long256", Ansi("[S]\r\nk=" + k300 + "\r\n"), u"S", u"k", 256},
        {"Long1024", Ansi("[S]\r\nk=" + k300 + "\r\n"), u"S", u"k", 1024},
        {"QuotedLongCut", Ansi("[S]\r\nk=\"" + k300 + "\"\r\n"), u"S", u"k", 256},
        {"QuotedCutShort", Ansi("[S]\r\nk=\"abcdef\"\r\n"), u"S", u"k", 4},
        {"QuotedCutJustBeforeCloseQuote", Ansi("[S]\r\nk=\"abcdef\"\r\n"), u"S", u"k", 7, u"dflt  ",
         WineDeviation{u"abcde",
                       "Wine drops one more character and returns 5; the documented result of "
                       "a cut value is nSize - 1 characters"}},
        {"QuotedFitsExactly", Ansi("[S]\r\nk=\"abcdef\"\r\n"), u"S", u"k", 8},
        {"BufferOfTwo", Ansi("[S]\r\nk=value\r\n"), u"S", u"k", 2},
        {"BufferOfOne", Ansi("[S]\r\nk=value\r\n"), u"S", u"k", 1},
        {"MissingKey", Ansi("[S]\r\nk=1\r\n"), u"S", u"j"},
        {"MissingSection", Ansi("[S]\r\nk=1\r\n"), u"T", u"k"},
        {"MissingFile", std::nullopt, u"S", u"k"},
        {"EmptyFile", Ansi(""), u"S", u"k"},
        {"DefaultCut", Ansi(""), u"S", u"k", 4, u"abcdef"},
        {"DefaultInnerBlanksKept", Ansi(""), u"S", u"k", 1024, u" d  e \t "},
        {"QuotedDefault", Ansi(""), u"S", u"k", 1024, u"\"q\"",
         WineDeviation{u"q",
                       "Wine unquotes the default; the documented behaviour copies it, "
                       "less its trailing blanks"}},
        {"KeyOfNextSection", Ansi("[S]\r\nk=1\r\n[T]\r\nj=2\r\n"), u"S", u"j"},
        {"KeyBeforeAnySection", Ansi("k=0\r\n[S]\r\nk=1\r\n"), u"S", u"k"},
        {"DuplicateKeysFirstWins", Ansi("[S]\r\nk=1\r\nK = 2\r\n"), u"S", u"k"},
        {"DuplicateSectionsFirstWins", Ansi("[S]\r\nk=1\r\n[T]\r\n[s]\r\nk=2\r\n"), u"S", u"k"},
        {"KeyOnlyInSecondDuplicateSection", Ansi("[S]\r\na=1\r\n[T]\r\n[ s ]\r\nb=2\r\n"), u"S",
         u"b"},
        {"CommentLineKey", Ansi("[S]\r\n;k=1\r\nk=2\r\n"), u"S", u";k"},
        {"CommentLineSkipped", Ansi("[S]\r\n; note\r\nk=2\r\n"), u"S", u"k"},
        {"CommentedOutKey", Ansi("[S]\r\n;k=1\r\n"), u"S", u"k"},
        {"LineWithoutEquals", Ansi("[S]\r\nk\r\n"), u"S", u"k"},
        {"LineWithoutEqualsThenKey", Ansi("[S]\r\nk\r\nk=2\r\n"), u"S", u"k"},
        {"HeaderWithTrailingText", Ansi("[S] ; c\r\nk=1\r\n"), u"S", u"k"},
        {"HeaderWithTwoBrackets", Ansi("[a]b]\r\nk=1\r\n"), u"a", u"k"},
        {"HeaderWithTwoBracketsWhole", Ansi("[a]b]\r\nk=1\r\n"), u"a]b", u"k"},
        {"HeaderNotClosed", Ansi("[abc\r\nk=1\r\n"), u"abc", u"k"},
        {"HeaderNotClosedIsAKeyOfTheSectionBefore", Ansi("[S]\r\n[abc\r\nk=1\r\n"), u"S", u"k"},
        {"DefaultTrailingTab", Ansi(""), u"S", u"k", 1024, u"d\t"},
        {"LfOnly", Ansi("[S]\nk=1\nj=2\n"), u"S", u"j"},
        {"CrOnly", Ansi("[S]\rk=1\rj=2\r"), u"S", u"j"},
        {"NoFinalLineBreak", Ansi("[S]\r\nk=1\r\nj=2"), u"S", u"j"},
        {"BlankLinesBetween", Ansi("\r\n[S]\r\n\r\n\r\nk=1\r\n"), u"S", u"k"},
        {"AnsiAccent", Ansi("[S]\r\nk=caf\xe9\r\n"), u"S", u"k"},
        {"AnsiEuro", Ansi("[S]\r\nk=\x80 \x9f\r\n"), u"S", u"k"},
        {"AnsiLatin1NameSameCase", Ansi("[CAF\xc9]\r\nCL\xc9=1\r\n"), u"caf\u00c9", u"cl\u00c9"},
        {"AnsiLatin1NameCase", Ansi("[CAF\xc9]\r\nCL\xc9=1\r\n"), u"caf\u00e9", u"cl\u00e9", 1024,
         u"dflt  ", WineDeviation{u"dflt", kWineAsciiCase}},
        {"Utf16Value", Utf16(u"[S]\r\nk=\u00e9\u0416\u20ac\r\n"), u"S", u"k"},
        {"Utf16NameSameCase", Utf16(u"[\u0421\u0435\u043a]\r\n\u041a\u00c9x=1\r\n"),
         u"\u0421\u0435\u043a", u"\u041a\u00c9X"},
        {"Utf16NameCase", Utf16(u"[\u0421\u0435\u043a]\r\n\u041a\u00c9=1\r\n"),
         u"\u0441\u0415\u041a", u"\u043a\u00e9", 1024, u"dflt  ",
         WineDeviation{u"dflt", kWineAsciiCase}},
        {"Utf16Quoted", Utf16(u"[S]\r\n k = ' x ' \r\n"), u"S", u"k"},
        {"Utf16LfOnly", Utf16(u"[S]\nk=1\nj=2"), u"S", u"j"},
        {"Utf16MarkOnly", Utf16(u""), u"S", u"k"},
        {"Utf8MarkOnFirstSection", Ansi("\xef\xbb\xbf[S]\r\nk=1\r\n"), u"S", u"k", 1024, u"dflt  ",
         WineDeviation{u"1",
                       "Wine reads a file with a UTF-8 mark as UTF-8; Windows knows only the "
                       "UTF-16LE mark and reads the three bytes as part of the first line"}},
        {"Utf8MarkOnOwnLine", Ansi("\xef\xbb\xbf\r\n[S]\r\nk=\xc3\xa9\r\n"), u"S", u"k", 1024,
         u"dflt  ",
         WineDeviation{u"\u00e9", "as above: without a UTF-16LE mark the text is 8-bit"}},
    };
    return rows;
}

class ProfileStoreAgreement : public ::testing::Test {
  protected:
    ProfileStoreAgreement() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        folder_ = FromWide(temp) + u"tonedeck-profile-" +
                  Utf8ToU16(std::to_string(GetCurrentProcessId())) + u"\\";
        files_.CreateFolder(folder_);
    }
    ~ProfileStoreAgreement() override {
        for (const auto& path : made_) DeleteFileW(ToWide(path).c_str());
        RemoveDirectoryW(ToWide(folder_).c_str());
    }

    std::u16string Path(const std::string& name) {
        made_.push_back(folder_ + Utf8ToU16(name));
        return made_.back();
    }

    void Put(const std::u16string& path, const std::optional<Bytes>& bytes) {
        DeleteFileW(ToWide(path).c_str());
        if (bytes) {
            ASSERT_TRUE(files_.WriteWholeFile(path, *bytes)) << Show(path);
        }
    }

    Bytes Contents(const std::u16string& path) {
        Bytes bytes;
        if (files_.ReadWholeFile(path, bytes) != FileReadStatus::Ok) return {};
        return bytes;
    }

    std::u16string folder_;
    std::vector<std::u16string> made_;
    Win32FileSystem files_;
    Win32ProfileStore real_;
    EmulatedProfileStore emulated_{files_};
};

TEST_F(ProfileStoreAgreement, ReadsAgreeRowByRow) {
    int index = 0;
    for (const auto& row : ReadRows()) {
        SCOPED_TRACE(row.name);
        auto path = Path("read" + std::to_string(index++) + ".ini");
        Put(path, row.file);
        auto real = real_.GetString(path, row.section, row.key, row.defaultValue, row.bufferChars);
        auto emulated =
            emulated_.GetString(path, row.section, row.key, row.defaultValue, row.bufferChars);
        if (row.deviation) {
            const char* reason = row.deviation->reason;
            EXPECT_EQ(Show(real), Show(row.deviation->wineGives)) << reason;
            EXPECT_NE(Show(emulated), Show(real)) << reason;
        } else {
            EXPECT_EQ(Show(emulated), Show(real));
        }
    }
}

// The documented results of the deviation rows, where Wine cannot be the judge.
TEST_F(ProfileStoreAgreement, DeviationRowsGiveTheDocumentedResult) {
    const std::vector<std::pair<const char*, std::u16string>> documented = {
        {"QuotedCutJustBeforeCloseQuote", u"abcdef"},
        {"QuotedDefault", u"\"q\""},
        {"Utf8MarkOnFirstSection", u"dflt"},
        {"AnsiLatin1NameCase", u"1"},
        {"Utf16NameCase", u"1"},
        {"Utf8MarkOnOwnLine", u"\u00c3\u00a9"},
    };
    for (const auto& [name, expected] : documented) {
        SCOPED_TRACE(name);
        const ReadRow* row = nullptr;
        for (const auto& candidate : ReadRows()) {
            if (std::string(candidate.name) == name) row = &candidate;
        }
        ASSERT_NE(row, nullptr);
        ASSERT_TRUE(row->deviation.has_value());
        auto path = Path("documented.ini");
        Put(path, row->file);
        EXPECT_EQ(Show(emulated_.GetString(path, row->section, row->key, row->defaultValue,
                                           row->bufferChars)),
                  Show(expected));
    }
}

struct Probe {
    std::u16string section;
    std::u16string key;
};

struct WriteRow {
    const char* name;
    std::optional<Bytes> start;  // no file at all when empty
    std::u16string section;
    std::u16string key;
    std::u16string value;
    // Empty: the final bytes must be equal. Otherwise Wine rewrites the whole file in its own
    // layout where Windows edits in place, so both results are read back through these keys.
    std::vector<Probe> readBack = {};
};

const std::vector<WriteRow>& WriteRows() {
    static const std::vector<WriteRow> rows = {
        {"CreateFile", std::nullopt, u"Language", u"DefaultLanguage", u"English"},
        {"CreateFileAnsiOnly", std::nullopt, u"S", u"k", u"caf\u00e9 \u20ac \u0416"},
        {"CreateSection", Ansi("[A]\r\nx=1\r\n"), u"B", u"y", u"2"},
        {"CreateKeyMidFile", Ansi("[A]\r\nx=1\r\n[B]\r\ny=2\r\n"), u"A", u"z", u"3"},
        {"CreateKeyAfterComment", Ansi("[A]\r\nx=1\r\n; note\r\n[B]\r\ny=2\r\n"), u"A", u"z", u"3"},
        {"CreateKeyInEmptySection", Ansi("[A]\r\n[B]\r\ny=2\r\n"), u"A", u"z", u"3"},
        {"ReplaceValue", Ansi("; top\r\n[A]\r\nx=1\r\nk=old\r\nz=3\r\n[B]\r\nk=b\r\n"), u"A", u"k",
         u"new"},
        {"ReplaceKeepsFileSpelling", Ansi("[Skin]\r\nDefaultSkin=Blue\r\n"), u"SKIN",
         u"defaultskin", u"Red"},
        {"ReplaceWithEmpty", Ansi("[A]\r\nk=old\r\n"), u"A", u"k", u""},
        {"ReplaceQuoted", Ansi("[A]\r\nk=\"old\"\r\n"), u"A", u"k", u"'new'"},
        {"ValueLeadingBlanks", Ansi("[A]\r\nk=1\r\n"), u"A", u"k", u"  v  "},
        {"ReplaceInFirstDuplicateSection", Ansi("[A]\r\nk=1\r\n[A]\r\nk=2\r\n"), u"A", u"k", u"9"},
        {"ReplaceFirstDuplicateKey", Ansi("[A]\r\nk=1\r\nk=2\r\n"), u"A", u"k", u"9"},
        {"AnsiTextElsewhereKept", Ansi("[A]\r\nk=1\r\nt=caf\xe9 \x80\r\n"), u"A", u"k", u"2"},
        {"Utf16Replace", Utf16(u"[A]\r\nk=1\r\n[B]\r\nt=\u0416\r\n"), u"A", u"k", u"\u00e9"},
        {"Utf16CreateSection", Utf16(u"[A]\r\nk=1\r\n"), u"B", u"k", u"\u0416"},
        {"Utf16MarkOnly", Utf16(u""), u"A", u"k", u"\u0416"},
        {"BlanksAroundEquals",
         Ansi("[A]\r\n  k  =  old  \r\nj = 1\r\n"),
         u"A",
         u"k",
         u"new",
         {{u"A", u"k"}, {u"A", u"j"}}},
        {"BlankLinesAndLf",
         Ansi("[A]\nk=1\n\n[B]\nj=2\n"),
         u"B",
         u"n",
         u"3",
         {{u"A", u"k"}, {u"B", u"j"}, {u"B", u"n"}}},
        {"NoFinalLineBreak", Ansi("[A]\r\nk=1"), u"A", u"n", u"3", {{u"A", u"k"}, {u"A", u"n"}}},
        {"NewSectionAfterNoFinalLineBreak",
         Ansi("[A]\r\nk=1"),
         u"B",
         u"n",
         u"3",
         {{u"A", u"k"}, {u"B", u"n"}}},
        {"KeyLineWithoutEquals",
         Ansi("[A]\r\nflag\r\nk=1\r\n"),
         u"A",
         u"flag",
         u"on",
         {{u"A", u"flag"}, {u"A", u"k"}}},
        {"HeaderWithBlanks", Ansi("[ A ]\r\nk=1\r\n"), u"A", u"k", u"2", {{u"A", u"k"}}},
    };
    return rows;
}

TEST_F(ProfileStoreAgreement, WritesAgreeRowByRow) {
    int index = 0;
    for (const auto& row : WriteRows()) {
        SCOPED_TRACE(row.name);
        auto realPath = Path("real" + std::to_string(index) + ".ini");
        auto emulatedPath = Path("emulated" + std::to_string(index) + ".ini");
        ++index;
        Put(realPath, row.start);
        Put(emulatedPath, row.start);
        ASSERT_TRUE(real_.WriteString(realPath, row.section, row.key, row.value));
        ASSERT_TRUE(emulated_.WriteString(emulatedPath, row.section, row.key, row.value));
        Bytes real = Contents(realPath);
        Bytes emulated = Contents(emulatedPath);
        if (row.readBack.empty()) {
            EXPECT_EQ(Show(emulated), Show(real));
            continue;
        }
        auto mark = [](const Bytes& b) { return b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE; };
        EXPECT_EQ(mark(emulated), mark(real));
        for (const auto& probe : row.readBack) {
            SCOPED_TRACE(Show(probe.section + u"/" + probe.key));
            EXPECT_EQ(Show(real_.GetString(emulatedPath, probe.section, probe.key, u"-", 1024)),
                      Show(real_.GetString(realPath, probe.section, probe.key, u"-", 1024)));
        }
    }
}

// No read-only file here: Wine maps that attribute to Unix permissions, which do not stop root,
// so the outcome would depend on the account. The simulated tests cover refused writes.
TEST_F(ProfileStoreAgreement, FailedWritesAgree) {
    auto missing = folder_ + u"no such folder\\a.ini";
    EXPECT_FALSE(real_.WriteString(missing, u"S", u"k", u"v"));
    EXPECT_FALSE(emulated_.WriteString(missing, u"S", u"k", u"v"));
    EXPECT_FALSE(files_.FileExists(missing));
}

}  // namespace
}  // namespace tonedeck
