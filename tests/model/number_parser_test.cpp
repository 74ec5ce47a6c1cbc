#include "model/number_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

struct ParseCase {
    const char* text;
    std::optional<double> value; // nullopt: rejected
    const char* after;           // the text as the parser left it
};

// What a user may leave in a box while typing, and what the box makes of it.
const ParseCase kCases[] = {
    {"", 0.0, ""},
    {"   ", 0.0, "   "},
    {"-", 0.0, "-"},
    {".", 0.0, "."},
    {"???", 0.0, "???"},
    {" \t-", 0.0, " \t-"},
    {"2.5", 2.5, "2.5"},
    {"  1,50", 1.5, "  1.50"},
    {"1,5e3", 1500.0, "1.5e3"},
    {"1e", 1.0, "1e0"},
    {"1e-", 1.0, "1e-0"},
    {"1.5e+", 1.5, "1.5e+0"},
    {"1E", std::nullopt, "1E"}, // only the lower-case e is completed
    {"1-", std::nullopt, "1-0"},
    {"+", 0.0, "+0"},
    {"0", 0.0, "0"},
    {"0 ", 0.0, "0 "},
    {"0.0", 0.0, "0.0"},
    {"0.000", 0.0, "0.000"},
    {"-0", 0.0, "-0"},
    {"-0 ", 0.0, "-0 "},
    {"+0.0\t", 0.0, "+0.0\t"},
    {"2.5 \t", 2.5, "2.5 \t"},
    {"1.2.3", std::nullopt, "1.2.3"},
    {"abc", std::nullopt, "abc"},
    {"-.", std::nullopt, "-."},
    {"0abc", std::nullopt, "0abc"},
    {"12abc", std::nullopt, "12abc"},
    {"- 5", std::nullopt, "- 5"},
    {"-12.5e-2", -0.125, "-12.5e-2"},
    {"1E5", 1e5, "1E5"},
    {".5", 0.5, ".5"},
    {"5.", 5.0, "5."},
    // What strtod takes beyond decimal numbers, and what does not fit a double.
    {"inf", std::nullopt, "inf"},
    {"-Infinity", std::nullopt, "-Infinity"},
    {"nan", std::nullopt, "nan"},
    {"0x1A", std::nullopt, "0x1A"},
    {"0x", std::nullopt, "0x"},
    {"1e999", std::nullopt, "1e999"},
    {"-1e400", std::nullopt, "-1e400"},
    {"1e-999", 0.0, "1e-999"},
    {"1e308", 1e308, "1e308"},
    {"1,5,3", std::nullopt, "1.5.3"},
    {"1 000", std::nullopt, "1 000"},
};

TEST(NumberParser, AcceptsTheLenientSyntaxAndRejectsTheRest) {
    for (const ParseCase& c : kCases) {
        std::string text = c.text;
        double value = 42.0;
        const bool accepted = ParseDouble(text, value);
        EXPECT_EQ(accepted, c.value.has_value()) << '"' << c.text << '"';
        if (c.value)
            EXPECT_DOUBLE_EQ(value, *c.value) << '"' << c.text << '"';
        else
            EXPECT_EQ(value, 42.0) << "a rejected text leaves the value: \"" << c.text << '"';
        EXPECT_EQ(text, c.after) << '"' << c.text << '"';
    }
}

TEST(NumberParser, IgnoresTheUsersLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    // A locale with a decimal comma, when the machine has one; the parser must not care either way.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        std::setlocale(LC_NUMERIC, "C");
    std::string text = "2.5";
    double value = 0.0;
    EXPECT_TRUE(ParseDouble(text, value));
    EXPECT_EQ(value, 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberParser, AnEmbeddedNulEndsNoNumber) {
    std::string withNul("1\0"
                        "5",
                        3);
    double value = 0.0;
    EXPECT_FALSE(ParseDouble(withNul, value));
}

TEST(NumberParser, ABoxHandsOverAtMostThirtyOneCharacters) {
    const std::string typed = "1234567890123456789012345678901234";
    const std::string limited = LimitNumberBoxText(typed);
    EXPECT_EQ(limited, typed.substr(0, 31));
    std::string text = limited;
    double value = 0.0;
    ASSERT_TRUE(ParseDouble(text, value));
    EXPECT_DOUBLE_EQ(value, 1234567890123456789012345678901.0);
    EXPECT_EQ(LimitNumberBoxText("12"), "12");
}

} // namespace
