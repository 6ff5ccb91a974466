#include "common/ini_mgr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "platform/sim/sim_file_system.h"
#include "tests/unit/alloc_fault.h"

namespace tonedeck {
namespace {

const std::u16string kPath = u"C:\\Program Files\\Tonedeck\\AudioConfig.cfg";

std::vector<uint8_t> Raw(const std::string& bytes) {
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<uint8_t> Encode(const std::u16string& text, IniEncoding encoding) {
    std::vector<uint8_t> out;
    auto unit = [&](uint32_t value, int width, bool bigEndian) {
        for (int k = 0; k < width; ++k) {
            const int shift = 8 * (bigEndian ? width - 1 - k : k);
            out.push_back(static_cast<uint8_t>(value >> shift));
        }
    };
    switch (encoding) {
        case kIniEncodingNone:
            return Raw(U16ToAnsi(text));
        case kIniEncodingUtf8:
            out = {0xEF, 0xBB, 0xBF};
            for (char c : U16ToUtf8(text)) out.push_back(static_cast<uint8_t>(c));
            return out;
        case kIniEncodingUtf16Le:
        case kIniEncodingUtf16Be: {
            const bool big = encoding == kIniEncodingUtf16Be;
            unit(0xFEFF, 2, big);
            for (char16_t c : text) unit(c, 2, big);
            return out;
        }
        case kIniEncodingUtf32Le:
        case kIniEncodingUtf32Be: {
            const bool big = encoding == kIniEncodingUtf32Be;
            unit(0xFEFF, 4, big);
            for (char16_t c : text) unit(c, 4, big);
            return out;
        }
    }
    return out;
}

// The whole model as readable text, so two loads compare field by field.
std::string Describe(const CIniMgr& ini) {
    std::string text;
    for (const auto& line : ini.lines()) text += "line {" + U16ToUtf8(line) + "}\n";
    for (const auto& define : ini.sections()) {
        text += "section {" + U16ToUtf8(define->name) + "} parsed {" +
                U16ToUtf8(define->section.name) + "}\n";
        for (const auto& line : define->lines) text += "  line {" + U16ToUtf8(line) + "}\n";
        for (const auto& [key, value] : define->section.pairs) {
            text += "  pair {" + U16ToUtf8(key) + "}={" + U16ToUtf8(value) + "}\n";
        }
    }
    return text;
}

class IniMgrTest : public ::testing::Test {
  protected:
    int Load(const std::vector<uint8_t>& bytes) {
        files.PutFile(kPath, bytes);
        return ini.LoadFile(kPath);
    }
    int Load(const std::string& bytes) { return Load(Raw(bytes)); }

    std::vector<std::u16string> Keys(const std::u16string& section) {
        std::vector<std::u16string> keys;
        ini.GetKeyNames(section, keys);
        return keys;
    }

    SimFileSystem files;
    CIniMgr ini{files};
};

const std::string kSample =
    "; leading comment\r\n"
    "orphan=before any header\r\n"
    "[Group]\r\n"
    "a=1\r\n"
    ";b=2\r\n"
    "c = 3\r\n"
    "   \r\n"
    "k=v=w\r\n"
    "no equals sign\r\n"
    "=no key\r\n"
    "e=5 \r\n"
    "\r\n"
    "[ Group ]\r\n"
    "x=9\r\n"
    "[Group]\r\n"
    "a=second\r\n"
    "d=4\r\n"
    "[Other]\r\n"
    "a=first\r\n"
    "a=again\r\n";

TEST_F(IniMgrTest, ParsesPairsAsWritten) {
    ASSERT_EQ(Load(kSample), kIniLoaded);
    EXPECT_EQ(ini.encoding(), kIniEncodingNone);
    EXPECT_EQ(ini.filePath(), kPath);

    struct Lookup {
        std::u16string section, key, value;
    };
    const Lookup lookups[] = {
        {u"Group", u"a", u"1"},     {u"Group", u"b", u""},  // commented out
        {u"Group", u"c ", u" 3"},  // spaces around "=" belong to key and value
        {u"Group", u"c", u""},      {u"Group", u"k", u"v=w"},  // split at the first "="
        {u"Group", u"e", u"5"},     {u"Group", u"d", u""},     // only the first [Group] answers
        {u"Group", u"", u""},       {u"group", u"a", u""},     // names compare with case
        {u" Group ", u"x", u"9"},    // nothing inside the brackets is trimmed
        {u"Other", u"a", u"first"},  // the first of duplicate keys
        {u"Missing", u"a", u""},
    };
    for (const auto& l : lookups) {
        SCOPED_TRACE(U16ToUtf8(l.section) + "/" + U16ToUtf8(l.key));
        EXPECT_EQ(ini.GetValue(l.section, l.key), l.value);
    }

    EXPECT_EQ(Keys(u"Group"), (std::vector<std::u16string>{u"a", u"c ", u"k", u"e"}));
    EXPECT_EQ(Keys(u"Other"), (std::vector<std::u16string>{u"a", u"a"}));
    EXPECT_TRUE(ini.HasSection(u" Group "));
    EXPECT_FALSE(ini.HasSection(u"Missing"));
    EXPECT_FALSE(ini.HasSection(u"orphan"));
    ASSERT_EQ(ini.sections().size(), 4u);
    EXPECT_EQ(ini.sections()[0]->lines,
              (std::vector<std::u16string>{u"[Group]", u"a=1", u"c = 3", u"k=v=w",
                                           u"no equals sign", u"=no key", u"e=5 "}));
    EXPECT_EQ(ini.sections()[0]->section.name, u"Group");
}

TEST_F(IniMgrTest, GetKeyNamesLeavesTheListAloneForAMissingSection) {
    ASSERT_EQ(Load(kSample), kIniLoaded);
    std::vector<std::u16string> keys = {u"kept"};
    ini.GetKeyNames(u"Missing", keys);
    EXPECT_EQ(keys, std::vector<std::u16string>{u"kept"});
    ini.GetKeyNames(u"Other", keys);
    EXPECT_EQ(keys, (std::vector<std::u16string>{u"a", u"a"}));
}

TEST_F(IniMgrTest, LineEndsDoNotChangeTheSections) {
    const std::string body = "[Group]\na=1\n;b=2\nc = 3\n[Next]\nk=v\n";
    auto replace = [&](const std::string& with, bool alternate) {
        std::string out;
        bool flip = false;
        for (char c : body) {
            if (c == '\n') {
                out += alternate && (flip = !flip) ? "\n" : with;
            } else {
                out += c;
            }
        }
        return out;
    };
    ASSERT_EQ(Load(body), kIniLoaded);
    const std::string reference = Describe(ini);
    for (const auto& variant : {replace("\r\n", false), replace("\r\n", true),
                                replace("\n\n\n", false), replace("\r\n\r\n", true)}) {
        SCOPED_TRACE(variant);
        ASSERT_EQ(Load(variant), kIniLoaded);
        std::string sections = Describe(ini);
        // Blank CRLF lines leave empty entries in the line list; the sections are identical.
        EXPECT_EQ(sections.substr(sections.find("section")),
                  reference.substr(reference.find("section")));
    }
}

TEST_F(IniMgrTest, CarriageReturnsAloneDoNotEndLines) {
    ASSERT_EQ(Load("[Group]\ra=1\rb=2"), kIniLoaded);
    ASSERT_EQ(ini.lines().size(), 1u);
    EXPECT_EQ(ini.lines()[0], u"[Group]\ra=1\rb=2");
    EXPECT_FALSE(ini.HasSection(u"Group"));
    EXPECT_TRUE(ini.sections().empty());
}

TEST_F(IniMgrTest, EveryMarkedEncodingGivesTheModelOfTheAnsiText) {
    const std::u16string text =
        u"[Group]\r\na=1\r\nc = 3\r\n[Caf\u00E9]\r\nname=Gr\u00FC\u00DFe \u20AC5\r\n";
    ASSERT_EQ(Load(Encode(text, kIniEncodingNone)), kIniLoaded);
    ASSERT_EQ(ini.GetValue(u"Caf\u00E9", u"name"), u"Gr\u00FC\u00DFe \u20AC5");
    const std::string reference = Describe(ini);

    for (IniEncoding encoding : {kIniEncodingUtf8, kIniEncodingUtf16Le, kIniEncodingUtf16Be,
                                 kIniEncodingUtf32Le, kIniEncodingUtf32Be}) {
        SCOPED_TRACE(encoding);
        ASSERT_EQ(Load(Encode(text, encoding)), kIniLoaded);
        EXPECT_EQ(ini.encoding(), encoding);
        EXPECT_EQ(Describe(ini), reference);
    }
}

TEST_F(IniMgrTest, UnmarkedHighBytesReadAsWindows1252) {
    ASSERT_EQ(Load("[S]\r\nk=\x80\x81\x9F\xA0\xE9\xFF\r\n"), kIniLoaded);
    EXPECT_EQ(ini.GetValue(u"S", u"k"), u"\u20AC\u0081\u0178\u00A0\u00E9\u00FF");
}

TEST_F(IniMgrTest, EncodingComesFromTheFirstBytes) {
    struct Case {
        std::string bytes;
        IniEncoding encoding;
    };
    const Case cases[] = {
        {"", kIniEncodingNone},
        {"\xFF", kIniEncodingNone},
        {"\xEF\xBB", kIniEncodingNone},
        {"\xFF\xFE", kIniEncodingUtf16Le},
        {"\xFE\xFF", kIniEncodingUtf16Be},
        {"\xEF\xBB\xBF", kIniEncodingUtf8},
        {"\xFF\xFE"
         "A\0",
         kIniEncodingUtf16Le},
        {std::string("\xFF\xFE\0\0", 4), kIniEncodingUtf32Le},
        {std::string("\0\0\xFE\xFF", 4), kIniEncodingUtf32Be},
        {std::string("\0\0\xFE", 3), kIniEncodingNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(Load(c.bytes), kIniLoaded);
        EXPECT_EQ(ini.encoding(), c.encoding);
    }
}

TEST_F(IniMgrTest, Utf8AcceptsLongAndOverLongForms) {
    struct Case {
        const char* name;
        std::string sequence;
        std::u16string value;
    };
    const Case cases[] = {
        {"two bytes", "\xC3\xA9", u"\u00E9"},
        {"three bytes, highest", "\xEF\xBF\xBF", u"\uFFFF"},
        {"over-long two bytes", "\xC1\x81", u"A"},
        {"over-long three bytes", "\xE0\x81\x81", u"A"},
        {"over-long four bytes", "\xF0\x80\x81\x81", u"A"},
        {"five bytes", "\xF8\x80\x80\x81\x81", u"A"},
        {"six bytes", "\xFC\x80\x80\x80\x81\x81", u"A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Load("\xEF\xBB\xBF[S]\nk=" + c.sequence + "\n"), kIniLoaded);
        EXPECT_EQ(ini.GetValue(u"S", u"k"), c.value);
    }
}

TEST_F(IniMgrTest, UndecodableTextFailsWithFiveAndEmptiesTheModel) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"UTF-8 above U+FFFF", "\xEF\xBB\xBF[S]\nk=\xF0\x9F\x8E\xB5\n"},
        {"UTF-8 six bytes above U+FFFF", "\xEF\xBB\xBF[S]\nk=\xFC\x80\x80\x90\x80\x80\n"},
        {"UTF-8 lone continuation byte", "\xEF\xBB\xBF[S]\nk=\x80\n"},
        {"UTF-8 lead byte FE", "\xEF\xBB\xBF[S]\nk=\xFE\n"},
        {"UTF-8 lead byte FF", "\xEF\xBB\xBF[S]\nk=\xFF\n"},
        {"UTF-8 bad continuation", "\xEF\xBB\xBF[S]\nk=\xE2\x82x\n"},
        {"UTF-8 cut off at the end", "\xEF\xBB\xBF[S]\nk=\xE2\x82"},
        {"UTF-32LE above U+FFFF", std::string("\xFF\xFE\0\0"
                                              "A\0\0\0"
                                              "\xB5\xF3\x01\0",
                                              12)},
        {"UTF-32LE partial unit", std::string("\xFF\xFE\0\0"
                                              "A\0\0\0"
                                              "B\0",
                                              10)},
        {"UTF-32BE partial unit", std::string("\0\0\xFE\xFF"
                                              "\0\0\0A"
                                              "\0",
                                              9)},
        {"UTF-32BE above U+FFFF", std::string("\0\0\xFE\xFF"
                                              "\0\x01\xF3\xB5",
                                              8)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Load("[Old]\r\nk=v\r\n"), kIniLoaded);
        EXPECT_EQ(Load(c.bytes), kIniDecodeFailed);
        EXPECT_TRUE(ini.lines().empty());
        EXPECT_TRUE(ini.sections().empty());
        EXPECT_FALSE(ini.HasSection(u"Old"));
    }
}

TEST_F(IniMgrTest, ReadFailuresKeepThePreviousContent) {
    struct Case {
        const char* name;
        FileReadStatus status;
        int expected;
    };
    const Case cases[] = {
        {"cannot open", FileReadStatus::OpenFailed, kIniOpenFailed},
        {"length unknown", FileReadStatus::LengthUnknown, kIniLengthUnknown},
        {"read failed", FileReadStatus::ReadFailed, kIniReadFailed},
    };
    const std::u16string other = u"C:\\Other.ini";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Load(kSample), kIniLoaded);
        const std::string before = Describe(ini);
        files.PutFile(other, std::string("[New]\r\nk=v\r\n"));
        files.FailReads(other, c.status);

        EXPECT_EQ(ini.LoadFile(other), c.expected);

        EXPECT_EQ(Describe(ini), before);
        EXPECT_EQ(ini.filePath(), other);
        files.ClearFaults();
    }
}

TEST_F(IniMgrTest, MissingFileFailsWithOne) {
    ASSERT_EQ(Load(kSample), kIniLoaded);
    EXPECT_EQ(ini.LoadFile(u"C:\\nowhere\\AudioConfig.cfg"), kIniOpenFailed);
    EXPECT_EQ(ini.GetValue(u"Group", u"a"), u"1");
}

TEST_F(IniMgrTest, NoMemoryForTheBytesFailsWithThreeAndKeepsTheContent) {
    ASSERT_EQ(Load(kSample), kIniLoaded);
    const std::string before = Describe(ini);
    const std::u16string other = u"C:\\Other.ini";
    // A size no other allocation of the load has.
    files.PutFile(other, "[New]\r\nk=v\r\n" + std::string(1237, ';'));

    int result;
    {
        test::ScopedAllocFault fault(1249);
        result = ini.LoadFile(other);
        ASSERT_TRUE(fault.Fired());
    }
    EXPECT_EQ(result, kIniNoMemoryForBytes);
    EXPECT_EQ(Describe(ini), before);
}

TEST_F(IniMgrTest, NoMemoryForASectionKeepsLinesAndEarlierSectionsUnparsed) {
    ASSERT_EQ(Load(kSample), kIniLoaded);
    int result;
    {
        test::ScopedAllocFault fault(sizeof(CIniSectionDefine), 1);
        result = Load("[First]\r\na=1\r\n[Second]\r\nb=2\r\n[Third]\r\nc=3\r\n");
        ASSERT_TRUE(fault.Fired());
    }
    EXPECT_EQ(result, kIniNoMemoryForSection);
    EXPECT_EQ(ini.lines().size(), 6u);
    ASSERT_EQ(ini.sections().size(), 1u);
    EXPECT_EQ(ini.sections()[0]->name, u"First");
    EXPECT_EQ(ini.sections()[0]->lines, (std::vector<std::u16string>{u"[First]", u"a=1"}));
    EXPECT_TRUE(ini.sections()[0]->section.pairs.empty());
    EXPECT_EQ(ini.GetValue(u"First", u"a"), u"");
}

TEST_F(IniMgrTest, ReloadReplacesEverything) {
    ASSERT_EQ(Load(kSample), kIniLoaded);
    ASSERT_EQ(Load("[Fresh]\r\nk=v\r\n"), kIniLoaded);
    EXPECT_FALSE(ini.HasSection(u"Group"));
    EXPECT_EQ(ini.GetValue(u"Fresh", u"k"), u"v");
    EXPECT_EQ(ini.lines(), (std::vector<std::u16string>{u"[Fresh]", u"k=v"}));

    ini.Clear();
    EXPECT_TRUE(ini.lines().empty());
    EXPECT_FALSE(ini.HasSection(u"Fresh"));
}

}  // namespace
}  // namespace tonedeck
