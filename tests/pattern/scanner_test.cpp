#include "pattern/rexa_exception.h"
#include "pattern/rexi_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search_helpers.h"

namespace {

REXI_CharSet Members(const std::string& bytes) {
    REXI_CharSet set;
    for (unsigned char c : bytes)
        set.set(c);
    return set;
}

REXI_CharSet AllBut(const std::string& bytes) {
    return ~Members(bytes);
}

REXI_CharSet Range(unsigned char lo, unsigned char hi) {
    REXI_CharSet set;
    for (unsigned v = lo; v <= hi; ++v)
        set.set(v);
    return set;
}

struct ReadCharCase {
    std::string input;
    unsigned value;
    bool escaped;
    int consumed;
};

TEST(PatternScanner, ReadsEveryEscape) {
    const ReadCharCase cases[] = {
        {"a", 'a', false, 1},
        {"", 0, false, 0},
        {"\xB7", 0xB7, false, 1},
        {"\\a", 7, true, 2},
        {"\\b", 8, true, 2},
        {"\\n", 10, true, 2},
        {"\\r", 13, true, 2},
        {"\\t", 9, true, 2},
        {"\\v", 11, true, 2},
        // \0 yields 0 and leaves the cursor on the `0`.
        {"\\0", 0, true, 1},
        {"\\x41", 'A', true, 4},
        {"\\x4a", 74, true, 4},
        {"\\x4A", 74, true, 4},
        {"\\xfF7", 255, true, 4},
        // Without two hexadecimal digits the escape is the letter x alone.
        {"\\x4g", 'x', true, 2},
        {"\\xg4", 'x', true, 2},
        {"\\x4", 'x', true, 2},
        {"\\x", 'x', true, 2},
        {"\\.", '.', true, 2},
        {"\\\\", '\\', true, 2},
        {"\\]", ']', true, 2},
        {"\\i", 'i', true, 2},
        {"\\ ", ' ', true, 2},
        // A backslash that ends the pattern stands for itself and reads nothing past the end.
        {"\\", '\\', true, 1},
    };
    for (const ReadCharCase& c : cases) {
        SCOPED_TRACE(Escaped(c.input));
        const char* cursor = c.input.c_str();
        bool escaped = !c.escaped;
        EXPECT_EQ(REXI_Scanner::ReadChar(cursor, escaped), c.value);
        EXPECT_EQ(escaped, c.escaped);
        EXPECT_EQ(cursor - c.input.c_str(), c.consumed);
    }
}

TEST(PatternScanner, RangesRunEitherWay) {
    REXI_CharSet forward, backward;
    REXI_Scanner::AddRange('a', 'z', forward);
    REXI_Scanner::AddRange('z', 'a', backward);
    EXPECT_EQ(forward, Range('a', 'z'));
    EXPECT_EQ(backward, forward);
    REXI_CharSet high;
    REXI_Scanner::AddRange(0xFF, 0x80, high);
    EXPECT_EQ(high, Range(0x80, 0xFF));
}

struct ClassCase {
    std::string pattern;
    REXI_CharSet members;
};

TEST(PatternScanner, ReadsClasses) {
    // clang-format off
    const ClassCase cases[] = {
        {"a", Members("a")},
        {".", ~REXI_CharSet()},
        {"\\.", Members(".")},
        {"]", Members("]")},
        {"-", Members("-")},
        {"^", Members("^")},
        {"$", Members("$")},
        {"\\x41", Members("A")},
        {"[abc]", Members("abc")},
        {"[^abc]", AllBut("abc")},
        {"[\\^a]", Members("^a")},
        {"[a^]", Members("^a")},
        {"[z-a]", Range('a', 'z')},
        {"[a-z]", Range('a', 'z')},
        {"[-a]", Members("-a")},
        {"[a\\-]", Members("-a")},
        {"[a b]", Members("a b")},
        {"[a\\]b]", Members("a]b")},
        {"[\\x41-\\x43]", Members("ABC")},
        {"[a-c-e]", Members("abc-e")},
        {"[\\i]", Members("i")},
        {"[\\t\\n]", Members("\t\n")},
        {"[a-\\]]", Range(']', 'a')},
        {"[.]", Members(".")},
        {"[$x]", Members("$x")},
        {"[]", REXI_CharSet()},
        {"[^]", ~REXI_CharSet()},
    };
    // clang-format on
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(c.pattern);
        REXI_Scanner scanner;
        scanner.Reset(c.pattern.c_str());
        ASSERT_EQ(scanner.NextToken(), REXI_Class);
        EXPECT_EQ(scanner.Class(), c.members);
        EXPECT_EQ(scanner.NextToken(), REXI_EndOfPattern);
    }
}

struct TokenCase {
    std::string pattern;
    std::vector<int> codes;  // up to and including the end of the pattern
    std::vector<int> starts; // the token start of each
};

TEST(PatternScanner, CutsTokens) {
    const TokenCase cases[] = {
        {"", {1}, {0}},
        {"   ", {1}, {3}},
        {"  a b ", {1024, 1024, 1}, {2, 4, 6}},
        {"(a|b)*+?=\\i",
         {2048, 1024, 512, 1024, 4096, 32, 64, 256, 128, 8192, 1},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}},
        {"$ab1_x+", {4, 64, 1}, {0, 6, 7}},
        {"$_+", {4, 64, 1}, {0, 2, 3}},
        {"$1", {1024, 1024, 1}, {0, 1, 2}},
        {"$", {1024, 1}, {0, 1}},
        {"$ a", {1024, 1024, 1}, {0, 2, 3}},
        {"a\\0b", {1024, 1024, 1024, 1024, 1}, {0, 1, 2, 3, 4}},
        {"[ab] \\i", {1024, 8192, 1}, {0, 5, 7}},
        {"\tx\r\n\v\f", {1024, 1}, {1, 6}},
        {"ab\\", {1024, 1024, 1024, 1}, {0, 1, 2, 3}},
    };
    for (const TokenCase& c : cases) {
        SCOPED_TRACE(Escaped(c.pattern));
        REXI_Scanner scanner;
        scanner.Reset(c.pattern.c_str());
        EXPECT_EQ(scanner.Token(), REXI_EndOfPattern);
        for (std::size_t i = 0; i < c.codes.size(); ++i) {
            EXPECT_EQ(scanner.NextToken(), c.codes[i]) << "token " << i;
            EXPECT_EQ(scanner.TokenStart() - scanner.PatternStart(), c.starts[i]) << "token " << i;
        }
    }
}

TEST(PatternScanner, NameTokenHoldsTheWholeName) {
    REXI_Scanner scanner;
    const char pattern[] = "x$a_b1+";
    scanner.Reset(pattern);
    scanner.NextToken();
    ASSERT_EQ(scanner.NextToken(), REXI_Name);
    EXPECT_EQ(scanner.TokenText(), "$a_b1");
}

TEST(PatternScanner, TokenNames) {
    EXPECT_EQ(REXI_TokenText(REXI_EndOfPattern), "end of string");
    EXPECT_EQ(REXI_TokenText(REXI_IllegalChar), "illegal character");
    EXPECT_EQ(REXI_TokenText(REXI_Class), "[<characters>]");
    EXPECT_EQ(REXI_TokenText(REXI_CloseParen), ")");
    EXPECT_EQ(REXI_TokenText(REXI_Name), "");
    EXPECT_EQ(REXI_TokenText(REXI_CaseFold), "");
    EXPECT_EQ(REXI_TokenText(3), "");

    const char pattern[] = "(a b";
    const REXA_Exception e(REXI_CloseParen, pattern + 4, pattern);
    EXPECT_EQ(e.Message(), ") expected\r\n  ");
    EXPECT_EQ(e.Position(), 4);
    EXPECT_EQ(REXA_Exception(REXI_EndOfPattern, pattern, pattern).Message(), "end of string expected\r\n  ");
}

TEST(PatternScanner, ExpectDoesNotAdvance) {
    REXI_Scanner scanner;
    const char pattern[] = "a)";
    scanner.Reset(pattern);
    scanner.NextToken();
    try {
        scanner.Expect(REXI_CloseParen);
        FAIL() << "no exception";
    } catch (const REXA_Exception& e) {
        EXPECT_EQ(e.Message(), ") expected\r\n  ");
        EXPECT_EQ(e.Position(), 0);
    }
    EXPECT_EQ(scanner.Token(), REXI_Class);
    EXPECT_EQ(scanner.NextToken(), REXI_CloseParen);
    EXPECT_NO_THROW(scanner.Expect(REXI_CloseParen));
    EXPECT_EQ(scanner.Token(), REXI_CloseParen);
}

} // namespace
