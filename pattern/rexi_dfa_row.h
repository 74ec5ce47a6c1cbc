#pragma once

// One state of the deterministic automaton: the row to go to for each byte value (read as unsigned).
// An entry is never empty in a finished row, except in the shared no-transition row and in final rows,
// which a walk never steps out of.
struct REXI_DfaRow {
    REXI_DfaRow* next[256];
    int tokenNumber;
    bool stop;      // ends a walk: the shared rows and the final rows
    bool accepting; // a match may end here

    // A row with every entry empty.
    constexpr REXI_DfaRow(int token, bool stops, bool accepts)
        : next{}, tokenNumber(token), stop(stops), accepting(accepts) {}

    struct SelfLoop {};
    // A row whose every entry leads back to itself.
    constexpr REXI_DfaRow(SelfLoop, int token, bool stops, bool accepts)
        : next{}, tokenNumber(token), stop(stops), accepting(accepts) {
        for (REXI_DfaRow*& entry : next)
            entry = this;
    }
};

// Shared by every automaton and never freed. An entry leading to the no-transition row means that no
// match can go on with that byte. The initial row is the start row before any pattern has compiled (so
// nothing matches), and the terminator's entry in every row that does not accept.
extern REXI_DfaRow REXI_NoTransitionRow;
extern REXI_DfaRow REXI_InitialRow;
