#include "model/editable_double.h"
#include "model/number_box_text.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

namespace {

struct LeavingCase {
    const char* typed;
    const char* shown; // nullptr: rejected, the text stays as typed
    int digits;
};

// What a box shows after the focus leaves it.
const LeavingCase kLeaving[] = {
    {"  1,50", "1.50", 3},
    {"1,5e3", "1.5e+03", 2},
    {"2.50", "2.50", 3},
    {"2.5", "2.5", 2},
    {"0", "0", 0},
    {"0.000", "0", 0},
    {"-", "0", 0},
    {".", "0", 0},
    {"???", "0", 0},
    {"", "0", 0},
    {"1e", "1", 1},
    {"1e-", "1", 1},
    {"+", "0", 0},
    {"0.05", "0.05", 1},
    {" 0.05", "0.0500", 3}, // the count sees the leading blank
    {"101325", "1.01325e+05", 6},
    {"1.2.3", nullptr, 0},
    {"abc", nullptr, 0},
    {"-0 ", "0", 0},
    {"1e999", nullptr, 0},
};

TEST(NumberBoxText, LeavingABoxRewritesItToTheDigitsTyped) {
    ScopedTestModelHost host;
    for (const LeavingCase& c : kLeaving) {
        const auto result = ReformatNumberBoxText(c.typed);
        if (!c.shown) {
            EXPECT_FALSE(result.has_value()) << '"' << c.typed << '"';
            continue;
        }
        ASSERT_TRUE(result.has_value()) << '"' << c.typed << '"';
        EXPECT_EQ(result->text, c.shown) << '"' << c.typed << '"';
        EXPECT_EQ(result->digits, c.digits) << '"' << c.typed << '"';
    }
}

TEST(NumberBoxText, ShownTextsOfPlainAndCountedNumbers) {
    ScopedTestModelHost host;
    EXPECT_EQ(NumberBoxText(101325.0), "1.013e+05");
    EXPECT_EQ(NumberBoxText(1.0), "1");
    EXPECT_EQ(NumberBoxText(CEditableDouble(2.5, 3)), "2.50");
    EXPECT_EQ(NumberBoxText(CEditableDouble(2.5, 0)), "2.5");
    EXPECT_EQ(NumberBoxText(CEditableDouble(2.5, -1)), "");
    host.SetDisplayDigits(6);
    EXPECT_EQ(NumberBoxText(101325.0), "1.01325e+05");
    EXPECT_EQ(NumberBoxText(0.12345678), "0.123457");
}

TEST(NumberBoxText, ACountedNumberKeepsTheDigitsTyped) {
    ScopedTestModelHost host;
    const auto number = ReadCountedNumber("2.50");
    ASSERT_TRUE(number.has_value());
    EXPECT_EQ(number->value, 2.5);
    EXPECT_EQ(number->digits, 3);
    EXPECT_FALSE(ReadCountedNumber("2,5,0").has_value());

    CEditableDouble target(7.0, 5);
    std::string text = "1,5";
    ASSERT_TRUE(ParseEditableDouble(text, target));
    EXPECT_EQ(target.value, 1.5);
    EXPECT_EQ(target.digits, 5) << "the parser leaves the count alone";
    EXPECT_EQ(text, "1.5");
}

} // namespace
