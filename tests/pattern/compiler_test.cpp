#include "pattern/rexi_compiler.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// Alternation and concatenation share a piece's start moves with another piece; that is sound only while
// no move leads back into a start, which every construction must keep so.
TEST(PatternCompiler, NoMoveLeadsIntoAPieceStart) {
    const std::string patterns[] = {
        "a*",    "a*|b",    "a*b|c",    "(ab)*",    "(ab)+",  "a?b?",          "(a*b*)+",
        "a+|b+", "((a)*)*", "(a|b*)+c", "x(a+)*|y", "(a?)*b", "(([^a]x)*)\\i", "a*b*c*",
    };
    for (const std::string& pattern : patterns) {
        SCOPED_TRACE(pattern);
        REXI_Compiler compiler(0);
        REXI_State* start = compiler.ParsePattern(pattern);
        for (const REXI_State* s : compiler.CollectStates(start)) {
            for (const REXI_Transition& t : s->transitions)
                EXPECT_NE(t.target, start) << "from state " << s->id;
        }
    }
}

TEST(PatternCompiler, StartAcceptsExactlyWhenTheEmptyTextMatches) {
    const std::pair<std::string, bool> cases[] = {
        {"a", false},    {"a*", true},   {"a?b?", true}, {"a?b", false},       {"(ab)+", false},
        {"(a?)+", true}, {"a|b?", true}, {"a*|b", true}, {"(a*)(b*)c", false}, {"((a?)(b?))*", true},
    };
    for (const auto& [pattern, empty] : cases) {
        SCOPED_TRACE(pattern);
        REXI_Compiler compiler(0);
        EXPECT_EQ(compiler.ParsePattern(pattern)->accepting, empty);
    }
}

TEST(PatternCompiler, RepetitionsDoNotCopyTheirPiece) {
    // Nested repetitions grow the automaton by a state or so per level, not by doubling it.
    REXI_Compiler compiler(0);
    compiler.ParsePattern(Repeat("(", 40) + "ab" + Repeat(")+", 40));
    EXPECT_LT(compiler.StateCount(), 100);
    compiler.ParsePattern(Repeat("(", 40) + "a|b" + Repeat(")*", 40));
    EXPECT_LT(compiler.StateCount(), 100);
}

TEST(PatternCompiler, ClassesNeverHoldTheTerminator) {
    REXI_Compiler compiler('a');
    REXI_State* start = compiler.ParsePattern("([^x]|A\\i)");
    for (const REXI_State* s : compiler.CollectStates(start)) {
        for (const REXI_Transition& t : s->transitions) {
            EXPECT_FALSE(t.charSet.test('a'));
            EXPECT_TRUE(t.charSet.test('A'));
        }
    }
}

TEST(PatternCompiler, RenumberCopiesLoopsWithFreshIds) {
    REXI_Compiler compiler(0);
    REXI_State* piece = compiler.ParsePattern("(ab)*c");
    const std::vector<REXI_State*> original = compiler.CollectStates(piece);
    const int before = compiler.StateCount();

    REXI_State* copy = compiler.Renumber(piece);
    const std::vector<REXI_State*> copied = compiler.CollectStates(copy);
    EXPECT_EQ(copied.size(), original.size());
    EXPECT_EQ(compiler.StateCount(), before + static_cast<int>(original.size()));

    std::set<const REXI_State*> originals(original.begin(), original.end());
    std::set<int> originalIds;
    for (const REXI_State* s : original)
        originalIds.insert(s->id);
    for (std::size_t i = 0; i < copied.size(); ++i) {
        EXPECT_EQ(originals.count(copied[i]), 0u);
        EXPECT_EQ(originalIds.count(copied[i]->id), 0u);
        EXPECT_EQ(copied[i]->accepting, original[i]->accepting);
        ASSERT_EQ(copied[i]->transitions.size(), original[i]->transitions.size());
        for (std::size_t k = 0; k < copied[i]->transitions.size(); ++k)
            EXPECT_EQ(copied[i]->transitions[k].charSet, original[i]->transitions[k].charSet);
    }
}

} // namespace
