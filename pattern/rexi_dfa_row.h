#pragma once

// One state of the deterministic automaton: the row to go to for each byte value (read as unsigned).
// An entry is never empty in a row a walk can reach, except in the shared rows, which a walk never steps
// out of.
struct REXI_DfaRow {
    REXI_DfaRow* next[256];
    int tokenNumber;
    bool stop;      // a walk leaves its quick loop here: the shared rows end it, a row with skip bytes
                    // lets it jump
    bool accepting; // a match may end here
    int cacheSlot;  // where the automaton that made the row keeps it; -1 for the shared rows
    // When every byte but these (and the terminator) leads back to this row: a walk may jump to the next
    // of them with strcspn. Null otherwise.
    const char* skip;

    // A row with every entry empty.
    constexpr REXI_DfaRow(int token, bool stops, bool accepts)
        : next{}, tokenNumber(token), stop(stops), accepting(accepts), cacheSlot(-1), skip(nullptr) {}

    // A row whose fields its maker fills before any walk reads them.
    REXI_DfaRow() = default;

    struct SelfLoop {};
    // A row whose every entry leads back to itself.
    constexpr REXI_DfaRow(SelfLoop, int token, bool stops, bool accepts)
        : next{}, tokenNumber(token), stop(stops), accepting(accepts), cacheSlot(-1), skip(nullptr) {
        for (REXI_DfaRow*& entry : next)
            entry = this;
    }
};

// Shared by every automaton and never freed:
// - An entry leading to the no-transition row means that no match can go on with that byte.
// - The initial row is the start row before any pattern has compiled (so nothing matches), and the
//   terminator's entry in every row that does not accept.
// - An entry leading to the final row ends a match at the byte read: the row it leaves accepts, and no
//   match goes on with that byte.
// - An entry leading to the unbuilt row has not been worked out yet; the automaton fills it in the first
//   time a walk reads that byte there (REXI_Dfa::Step).
extern REXI_DfaRow REXI_NoTransitionRow;
extern REXI_DfaRow REXI_InitialRow;
extern REXI_DfaRow REXI_FinalRow;
extern REXI_DfaRow REXI_UnbuiltRow;
