#include "pattern/rexi_limits.h"
#include "pattern/rexi_search.h"

#include <gtest/gtest.h>

#include <string>

#include "search_helpers.h"

namespace {

const std::string kAtomExpected = "[,',( or ident expected";
const std::string kCloseExpected = ") expected\r\n  ";
const std::string kUnexpected = "unexpected symbol";
const std::string kBracketMissing = "closing ] missing";

struct ErrorCase {
    std::string pattern;
    std::string message;
    int position;
};

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

TEST(PatternErrors, MessagesAndPositions) {
    const ErrorCase cases[] = {
        // A term needs a factor.
        {"", kAtomExpected, 0},
        {"   ", kAtomExpected, 3},
        {"a|", kAtomExpected, 2},
        {"|a", kAtomExpected, 0},
        {"()", kAtomExpected, 1},
        {"(|a)", kAtomExpected, 1},
        {"*a", kAtomExpected, 0},
        {"a|*", kAtomExpected, 2},
        {"(", kAtomExpected, 1},
        {"\\i", kAtomExpected, 0},
        {"(\\i)", kAtomExpected, 1},
        {"a| ?", kAtomExpected, 3},
        // A group must be closed.
        {"(ab", kCloseExpected, 3},
        {"( a b  ", kCloseExpected, 7},
        {"(a=", kCloseExpected, 2},
        {"((a)", kCloseExpected, 4},
        // The pattern ends before its end.
        {"ab)", kUnexpected, 2},
        {"a=b", kUnexpected, 1},
        {"(a))", kUnexpected, 3},
        {"a**", kUnexpected, 2},
        {"a*?", kUnexpected, 2},
        {"a+ +", kUnexpected, 3},
        {"a\\i*", kUnexpected, 3},
        {"(ab)*\\i", kUnexpected, 5},
        {"=", kAtomExpected, 0},
        // Brackets.
        {"x [", kBracketMissing, 2},
        {"[", kBracketMissing, 0},
        {"[^", kBracketMissing, 0},
        {"[abc", kBracketMissing, 0},
        {"ab [a-", kBracketMissing, 3},
        {"[a-]", kBracketMissing, 0},
        {"[a\\0]", kBracketMissing, 0},
        {"[\\0]", kBracketMissing, 0},
        {"[^\\0]", kBracketMissing, 0},
        {"[a\\]", kBracketMissing, 0},
        {"[a\\", kBracketMissing, 0},
        {"([a)", kBracketMissing, 1},
        // Names are recognised, never defined.
        {"$acid", "$acid not found in name dictionary", 0},
        {"x $a_b1", "$a_b1 not found in name dictionary", 2},
        {"a|$x", "$x not found in name dictionary", 2},
        {"($x)", "$x not found in name dictionary", 1},
        {"$_*", "$_ not found in name dictionary", 0},
        // Too deep, or far longer than anyone types.
        {Repeat("(", 101) + "a" + Repeat(")", 101), REXI_TooComplexMessage, 100},
        {Repeat("a?", 300), REXI_TooComplexMessage, 0},
        {Repeat("a|", 3000) + "a", REXI_TooComplexMessage, 0},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(Escaped(c.pattern.substr(0, 60)));
        REXI_Search search(0);
        const REXI_Status status = search.SetPattern(c.pattern);
        EXPECT_EQ(status.status, 2);
        EXPECT_EQ(status.message, c.message);
        EXPECT_EQ(status.position, c.position);
    }
}

TEST(PatternErrors, WellFormedPatternsCompile) {
    const std::string patterns[] = {
        "a",
        "  ab  ",
        "ab\\",
        "$",
        "$1",
        "a\\0b",
        "[]",
        "[^]",
        "(a|b)*c+d?",
        "(CHLOR)\\i",
        "((a*)*)*",
        "(a+)+",
        Repeat("(", 100) + "a" + Repeat(")", 100),
        // Automata of thousands of rows, made only as far as searches reach them.
        ".*a" + Repeat(".", 20),
        "(a|b)*a" + Repeat("(a|b)", 12),
        // The largest automata that patterns of 255 bytes make.
        Repeat("a?", 127),
        Repeat(".*", 127),
        "(" + Repeat("a*", 126) + ")+",
        // Nested repetitions stay small.
        Repeat("(", 40) + "ab" + Repeat(")+", 40),
        Repeat("(", 40) + "a|b" + Repeat(")*", 40) + "c",
        Repeat("a?", 60),
        Repeat("[a-z]", 1000),
    };
    for (const std::string& pattern : patterns) {
        SCOPED_TRACE(pattern.substr(0, 60));
        REXI_Search search(0);
        const REXI_Status status = search.SetPattern(pattern);
        EXPECT_EQ(status.status, 0);
        EXPECT_EQ(status.message, "");
        EXPECT_EQ(status.position, 0);
    }
}

} // namespace
