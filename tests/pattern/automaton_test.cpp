#include "pattern/rexi_compiler.h"
#include "pattern/rexi_dfa.h"
#include "pattern/rexi_limits.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace {

std::shared_ptr<const REXI_MoveTable> TableOf(REXI_Compiler& compiler, const std::string& pattern) {
    return std::make_shared<const REXI_MoveTable>(compiler.CollectStates(compiler.ParsePattern(pattern)),
                                                  compiler.Terminator());
}

// Follows the automaton over the text as a search does, working out entries as it goes; returns the row
// that stopped the walk, or the last row.
REXI_DfaRow* Walk(REXI_Dfa& dfa, const std::string& text, int& maxRows) {
    REXI_DfaRow* row = dfa.StartRow();
    for (unsigned char byte : text) {
        REXI_DfaRow* next = row->next[byte];
        if (next == &REXI_UnbuiltRow)
            next = dfa.Step(row, byte);
        maxRows = std::max(maxRows, dfa.RowCount());
        if (next->stop && next->skip == nullptr)
            return next;
        row = next;
    }
    return row;
}

TEST(PatternDfaCache, StaysWithinItsBoundAndKeepsTheStartRow) {
    // After `a` the automaton remembers which of the next twelve bytes were `a`: thousands of rows.
    REXI_Compiler compiler(0);
    REXI_Dfa dfa(TableOf(compiler, "(a|b)*a(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)"),
                 false);
    REXI_DfaRow* const start = dfa.StartRow();
    std::mt19937 rng(7);
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "ab"[rng() % 2];

    int maxRows = 0;
    const REXI_DfaRow* last = Walk(dfa, text, maxRows);
    EXPECT_LE(maxRows, REXI_MaxCachedRows);
    EXPECT_GT(dfa.FlushCount(), 0);
    EXPECT_EQ(dfa.StartRow(), start);
    // The text ends with an `a` twelve bytes back exactly when the last row accepts.
    EXPECT_EQ(last->accepting, text[text.size() - 13] == 'a');
}

TEST(PatternDfaCache, UnanchoredWalkTellsWhetherAMatchStartsLater) {
    REXI_Compiler compiler(0);
    const auto table = TableOf(compiler, "ab|cd");
    const std::pair<std::string, bool> cases[] = {
        {"", false}, {"xxab", true}, {"acbd", false}, {"xcdy", true}, {"aab", true}, {"abab", true},
    };
    for (const auto& [text, found] : cases) {
        SCOPED_TRACE(text);
        REXI_Dfa dfa(table, true);
        int maxRows = 0;
        const REXI_DfaRow* row = Walk(dfa, text + '\0', maxRows);
        EXPECT_EQ(row->accepting, found);
    }
}

} // namespace
