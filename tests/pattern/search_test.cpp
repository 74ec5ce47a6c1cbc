#include "pattern/rexi_search.h"

#include <gtest/gtest.h>

#include <string>

#include "search_helpers.h"

namespace {

struct SearchCase {
    std::string pattern;
    std::string text;
    Found expected;
};

const Found kNone{};

void RunTable(const SearchCase* begin, const SearchCase* end) {
    for (const SearchCase* c = begin; c != end; ++c) {
        SCOPED_TRACE("pattern \"" + Escaped(c->pattern) + "\" in \"" + Escaped(c->text) + "\"");
        REXI_Search search(0);
        const REXI_Status status = search.SetPattern(c->pattern);
        ASSERT_EQ(status.status, 0) << status.message;
        EXPECT_EQ(FindIn(search, c->text), c->expected);
    }
}

template <std::size_t N> void RunTable(const SearchCase (&cases)[N]) {
    RunTable(cases, cases + N);
}

TEST(PatternSearch, LiteralsAndCaseFolding) {
    const SearchCase cases[] = {
        {"chlor", "dichloromethane", {2, 5}},
        {"chlor", "DICHLOROMETHANE", kNone},
        {"(CHLOR)\\i", "chlor", {0, 5}},
        {"(CHLOR)\\i", "Chlor", {0, 5}},
        {"(CHLOR)\\i", "CHLOR", {0, 5}},
        {"(chlor)\\i", "chlor", {0, 5}},
        {"(chlor)\\i", "Chlor", kNone},
        {"CHLOR\\i", "CHLOr", {0, 5}},
        {"CHLOR\\i", "CHLOR", {0, 5}},
        {"CHLOR\\i", "chlor", kNone},
        {"A\\i", "a", {0, 1}},
        {"a\\i", "A", kNone},
        {"[A-Z]\\i", "q", {0, 1}},
        {"[a-c]\\i", "B", kNone},
        {"[A-C]\\i", "b", {0, 1}},
        {"[A-C]\\i", "B", {0, 1}},
        {"[A-C]\\i", "d", kNone},
        {"(Na)\\i", "na", {0, 2}},
        {"(Na)\\i", "Na", {0, 2}},
        {"(Na)\\i", "NA", kNone},
        {"((N|Cl)\\i)+", "xnCLcl", {1, 1}},
        {"(((N|C)l)\\i)+", "xncLcl", {4, 2}},
        {"abc", "abc", {0, 3}},
        {"abc", "ab", kNone},
        {"abc", "xabcx", {1, 3}},
        {"ab", "aab", {1, 2}},
    };
    RunTable(cases);
}

TEST(PatternSearch, RepetitionAndAlternation) {
    const SearchCase cases[] = {
        {"a*", "", {0, 0}},
        {"a*", "bbb", {0, 0}},
        {"a*", "aab", {0, 2}},
        {"a*", "baa", {0, 0}},
        {"x?", "abc", {0, 0}},
        {"a?", "a", {0, 1}},
        {"a+", "caaad", {1, 3}},
        {"a+", "", kNone},
        {"a?|b?", "", {0, 0}},
        {"a?|b?", "b", {0, 1}},
        {"ab?", "a", {0, 1}},
        {"ab?", "ab", {0, 2}},
        {"(ab)+", "abab", {0, 4}},
        {"(ab)+", "", kNone},
        {"(ab)+", "aab", {1, 2}},
        {"(ab)+", "abaab", {0, 2}},
        {"(ab)*", "x", {0, 0}},
        {"(ab)*", "ab", {0, 2}},
        {"(ab)*", "", {0, 0}},
        {"(ab)*", "ababa", {0, 4}},
        {"xyz|y", "xyq", {1, 1}},
        {"a|ab", "abc", {0, 2}},
        {"(a|ab)(c|bcd)", "abcd", {0, 4}},
        {"(a*b)*", "aab", {0, 3}},
        {"(a*b)*", "aa", {0, 0}},
        {"(a*b)*c", "abaac", {4, 1}},
        {"(a?b)*", "a", {0, 0}},
        {"(a+)+b", "aaab", {0, 4}},
        {"(a|b)*abb", "babaabbx", {0, 7}},
        {".", "", kNone},
        {".", "ab", {0, 1}},
        {"..", "a", kNone},
        {"[^a]", "a", kNone},
        {"[^a]", "ab", {1, 1}},
    };
    RunTable(cases);
}

TEST(PatternSearch, ScannerRulesAtWork) {
    const SearchCase cases[] = {
        {"  ab  ", "xab", {1, 2}},
        {"a b", "ab", {0, 2}},
        {"a b", "a b", kNone},
        {"[a b]", " ", {0, 1}},
        {"a\\x20b", "a b", {0, 3}},
        {"\\x41", "A", {0, 1}},
        {"\\x4a", "J", {0, 1}},
        {"\\x4g", "x4g", {0, 3}},
        {"\\.", "a.b", {1, 1}},
        {"\\t", "a\tb", {1, 1}},
        {"[^abc]", "abcd", {3, 1}},
        {"[\\^a]", "x^", {1, 1}},
        {"[z-a]", "M m", {2, 1}},
        {"[-a]+", "x-a-", {1, 3}},
        {"$", "a$", {1, 1}},
        {"$1", "x$1", {1, 2}},
        {"a\\0b", "a0b", kNone},
        {"[]", "abc", kNone},
        {"[^]", "abc", {0, 1}},
        {"\\xB7", "CuSO4\xB7H2O", {5, 1}},
        {".", "\xE9", {0, 1}},
        {"[\\x80-\\xFF]+", "a\x80\xFFz", {1, 2}},
        // A backslash that ends the pattern is a literal backslash.
        {"ab\\", "xab\\", {1, 3}},
        {"ab\\", "ab", kNone},
    };
    RunTable(cases);
}

// Cases where a construction that lets one piece run into another, or a start state that accepts, would
// give a different match than leftmost-longest.
TEST(PatternSearch, MatchesAreLeftmostLongest) {
    const SearchCase cases[] = {
        // An alternation branch must not be entered after a loop of the other one has run.
        {"a*|b", "aab", {0, 2}},
        {"a*|b", "b", {0, 1}},
        {"a*b|c", "ac", {1, 1}},
        {"a*b|c", "aab", {0, 3}},
        {"(a*b|c)d", "acd", {1, 2}},
        {"x(a+|b)", "xaab", {0, 3}},
        {"(ab)*|c", "abc", {0, 2}},
        // Two pieces that each match the empty text.
        {"a?b?", "xyz", {0, 0}},
        {"a*b*", "xyz", {0, 0}},
        {"a*b*", "aabbc", {0, 4}},
        {"a?b?", "b", {0, 1}},
        {"(a?b?)c", "c", {0, 1}},
        {"(a*b*)+", "ba", {0, 2}},
        // Overlapping classes in one state.
        {"[^a]x|[a-c]y", "ax", kNone},
        {"[^a]x|[a-c]y", "bx", {0, 2}},
        {"[^a]x|[a-c]y", "ay", {0, 2}},
        {"[^a]x|[a-c]y", "by", {0, 2}},
        {"[a-m][l-z]|[k-p]q", "lq", {0, 2}},
        // A start state that accepts gives the empty match where nothing longer starts.
        {"(ab)*", "ac", {0, 0}},
        {"(ab)*", "a", {0, 0}},
        {"(ab)*c", "abac", {3, 1}},
        // A failed attempt that reads up to the end of the text does not end the search.
        {"xyz|y", "xy", {1, 1}},
        {"abc|b", "ab", {1, 1}},
        {"(ab)+", "aab", {1, 2}},
    };
    RunTable(cases);
}

// A search saves work after a failed attempt (no later start, or no start it passed, can succeed) and rules
// out texts without the bytes every match ends with. Each pattern here has such a shortcut or must not take
// it; the texts are those where a wrong one would miss the match or report another.
TEST(PatternSearch, ShortcutsAfterAFailedAttemptMissNoMatch) {
    const SearchCase cases[] = {
        // An attempt that reads to the end without a match: every later start holds a fresh one, or not.
        {".*a..", "xxa", kNone},
        {".*a..", "xaxxa", {0, 4}},
        {"(.*)(ab|c)", "xyz", kNone},
        {"(.*)(ab|c)", "xabyab", {0, 6}},
        {".*a|b", "xb", {1, 1}},
        {".*a|b", "xxbxx", {2, 1}},
        {"a.*", "ba", {1, 1}},
        {"[^x]*a", "bxa", {2, 1}},
        {"[^x]*a", "bab", {0, 2}},
        // An attempt that fails on the way: the starts it passed may or may not still match.
        {"[CS]\\i[a-z]*ate", "Sulfite, sulfate", {9, 7}},
        {"[CS]\\i[a-z]*ate", "ScSulfate", {2, 7}},
        {"a+b", "aaacaab", {4, 3}},
        {"a[a-z]*b", "aXab", {2, 2}},
        {"ab", "aab", {1, 2}},
        {"aab", "aaab", {1, 3}},
        {"aab+", "aaab", {1, 3}},
        {"abab", "abaabab", {3, 4}},
        {"abab", "abacababab", {4, 4}},
        {"(a|b)*a(a|b)(a|b)", "bax baab", {4, 4}},
        {"(a|b)*a(a|b)(a|b)", "bbab", kNone},
        {"a*", "baa", {0, 0}},
        // The bytes every match ends with.
        {"hydrate", "dihydrate", {2, 7}},
        {"hydrate", "hydrat", kNone},
        {"[CS]\\i[a-z]*ate", "chlorate", {0, 8}},
        {"[CS]\\i[a-z]*ate", "sulfite", kNone},
        {"(chlor|brom).*(ide|ate)", "sodium bromate", {7, 7}},
        {"(chlor|brom).*(ide|ate)", "chloride", {0, 8}},
        {"(chlor|brom).*(ide|ate)", "chlorine", kNone},
        {"a+", "baa", {1, 2}},
        {"ab|cb", "xcb", {1, 2}},
        {"x(ab)*", "axaba", {1, 3}},
        {"(ab)?c", "abc", {0, 3}},
        {"(ab)?c", "ac", {1, 1}},
        {"a.c", "abcac", {0, 3}},
        {"a.c", "aac", {0, 3}},
    };
    RunTable(cases);
}

TEST(PatternSearch, ReportsWhereTheSearchStopped) {
    REXI_Search search(0);
    ASSERT_EQ(search.SetPattern("ab").status, 0);

    const std::string text = "aab";
    const char* p = text.c_str();
    int length = -1;
    bool atTerminator = false;
    EXPECT_TRUE(search.Search(p, length, atTerminator));
    EXPECT_EQ(p, text.c_str() + 3);
    EXPECT_EQ(length, 2);
    EXPECT_TRUE(atTerminator);

    const std::string middle = "xabx";
    p = middle.c_str();
    EXPECT_TRUE(search.Search(p, length, atTerminator));
    EXPECT_EQ(p, middle.c_str() + 3);
    EXPECT_EQ(length, 2);
    EXPECT_FALSE(atTerminator);

    // The returned pointer continues the search after the match.
    const std::string twice = "ab-ab";
    p = twice.c_str();
    EXPECT_TRUE(search.Search(p, length, atTerminator));
    EXPECT_TRUE(search.Search(p, length, atTerminator));
    EXPECT_EQ(p - length, twice.c_str() + 3);
    EXPECT_FALSE(search.Search(p, length, atTerminator));
    EXPECT_EQ(p, twice.c_str() + 5);
    EXPECT_EQ(length, 0);
    EXPECT_TRUE(atTerminator);
}

TEST(PatternSearch, NothingMatchesWithoutACompiledPattern) {
    REXI_Search fresh(0);
    EXPECT_EQ(FindIn(fresh, ""), kNone);
    EXPECT_EQ(FindIn(fresh, "abc"), kNone);

    const std::string text = "abc";
    const char* p = text.c_str();
    int length = -1;
    bool atTerminator = false;
    EXPECT_FALSE(fresh.Search(p, length, atTerminator));
    EXPECT_EQ(p, text.c_str() + 3);
    EXPECT_TRUE(atTerminator);

    REXI_Search failed(0);
    EXPECT_EQ(failed.SetPattern("(").status, 2);
    EXPECT_EQ(FindIn(failed, ""), kNone);
    EXPECT_EQ(FindIn(failed, "("), kNone);
}

TEST(PatternSearch, AFailedPatternLeavesTheEarlierOneInForce) {
    REXI_Search search(0);
    ASSERT_EQ(search.SetPattern("ab").status, 0);

    const REXI_Status status = search.SetPattern("(");
    EXPECT_EQ(status.status, 2);
    EXPECT_EQ(status.message, "[,',( or ident expected");
    EXPECT_EQ(status.position, 1);
    EXPECT_EQ(FindIn(search, "cab"), (Found{1, 2}));

    EXPECT_EQ(search.SetPattern(std::string(101, '(') + "a" + std::string(101, ')')).status, 2);
    EXPECT_EQ(FindIn(search, "cab"), (Found{1, 2}));

    ASSERT_EQ(search.SetPattern("b+").status, 0);
    EXPECT_EQ(FindIn(search, "cabb"), (Found{2, 2}));
}

TEST(PatternSearch, StopsAtAnyTerminator) {
    // Texts end with a line feed here; nothing past it is read or matched.
    REXI_Search search('\n');
    ASSERT_EQ(search.SetPattern("b.*").status, 0);
    EXPECT_EQ(FindIn(search, "abc\nbcd"), (Found{1, 2}));
    EXPECT_EQ(FindIn(search, "a\nb"), kNone);

    // Folding never adds the terminator to a class.
    REXI_Search folded('a');
    ASSERT_EQ(folded.SetPattern("(A\\i)+").status, 0);
    const std::string text = "xAAaAA";
    const char* p = text.c_str();
    int length = -1;
    bool atTerminator = false;
    EXPECT_TRUE(folded.Search(p, length, atTerminator));
    EXPECT_EQ(p - length, text.c_str() + 1);
    EXPECT_EQ(length, 2);
    EXPECT_TRUE(atTerminator);

    // A pattern of the terminator alone matches nothing.
    ASSERT_EQ(folded.SetPattern("a|A\\i").status, 0);
    EXPECT_EQ(FindIn(folded, "xa"), kNone);
}

} // namespace
