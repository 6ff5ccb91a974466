#include "panel/window/value_rules.h"

#include <gtest/gtest.h>

#include "common/text.h"

namespace tonedeck {
namespace {

struct SplitCase {
    std::u16string value;
    std::vector<std::u16string> fields;
};

TEST(ValueRules, SplitsFieldsKeepingBlanksAndQuotedCommas) {
    const SplitCase cases[] = {
        {u"", {}},
        {u"bg.png", {u"bg.png"}},
        {u"b.png, 5,7", {u"b.png", u" 5", u"7"}},
        {u"b.png,5 ,7", {u"b.png", u"5 ", u"7"}},
        {u"a,", {u"a", u""}},
        {u",", {u"", u""}},
        {u"a,,c", {u"a", u"", u"c"}},
        {u"\"Hello, world\",0x0000FF", {u"Hello, world", u"0x0000FF"}},
        {u"\"say \"\"hi\"\"\",1", {u"say \"hi\"", u"1"}},
        {u"\"open, never closed", {u"open, never closed"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitFields(c.value), c.fields) << U16ToUtf8(c.value);
    }
}

TEST(ValueRules, ParsesDecimalAndHexadecimalIntegers) {
    const std::pair<std::u16string, int32_t> cases[] = {
        {u"0", 0},
        {u" 5", 5},
        {u"  -12", -12},
        {u"+7", 7},
        {u"2147483647", 2147483647},
        {u"-2147483648", INT32_MIN},
        {u"0x0000FF", 255},
        {u"0XfF", 255},
        {u"$10", 16},
        {u"x10", 16},
        {u"-$10", -16},
        {u"0xFF00000F", static_cast<int32_t>(0xFF00000F)},
        {u"0xFFFFFFFF", -1},
        {u"007", 7},
    };
    for (const auto& [field, expected] : cases) {
        EXPECT_EQ(ParseInteger(field), expected) << U16ToUtf8(field);
    }
    EXPECT_LT(ParseInteger(u"0xFF00000F"), 0);
}

TEST(ValueRules, RejectsWhatIsNoIntegerWithTheFieldInTheText) {
    const std::u16string bad[] = {
        u"",  u" ",           u"5 ",         u"1.5",         u"12a", u"0x",   u"$",
        u"-", u"0x123456789", u"2147483648", u"-2147483649", u"\t5", u"0x-5", u"1 2"};
    for (const auto& field : bad) {
        try {
            ParseInteger(field);
            ADD_FAILURE() << "accepted '" << U16ToUtf8(field) << "'";
        } catch (const InvalidIntegerError& error) {
            EXPECT_EQ(error.Text(), u"'" + field + u"' is not a valid integer value");
            EXPECT_EQ(std::string(error.what()),
                      "'" + U16ToUtf8(field) + "' is not a valid integer value");
        }
    }
}

TEST(ValueRules, FieldGivenMeansPresentAndNotEmpty) {
    auto fields = SplitFields(u"a,,c");
    EXPECT_TRUE(FieldGiven(fields, 0));
    EXPECT_FALSE(FieldGiven(fields, 1));
    EXPECT_TRUE(FieldGiven(fields, 2));
    EXPECT_FALSE(FieldGiven(fields, 3));
    EXPECT_EQ(FieldOrEmpty(fields, 7), u"");
}

}  // namespace
}  // namespace tonedeck
