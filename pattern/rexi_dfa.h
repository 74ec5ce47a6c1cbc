#pragma once

#include "pattern/rexi_charset.h"
#include "pattern/rexi_dfa_row.h"
#include "pattern/rexi_state.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The deterministic automaton of one compiled pattern, made as searches reach it. Each row stands for a
// set of states of the nondeterministic automaton; a row is made the first time a walk reaches its set,
// and its entry for a byte is worked out the first time a walk reads that byte there (until then it leads
// to REXI_UnbuiltRow). Rows are kept in a cache of bounded size: when it is full, every row but the start
// row is dropped and the walks refill it, so memory stays bounded on any pattern and any text.
class REXI_Dfa {
public:
    // Takes from the piece all it needs, so the compiler's states may be freed afterwards.
    REXI_Dfa(const REXI_State* start, unsigned char terminator);
    REXI_Dfa(const REXI_Dfa&) = delete;
    REXI_Dfa& operator=(const REXI_Dfa&) = delete;
    ~REXI_Dfa();

    // The automaton that, walked from a position to the end of the text, tells whether a match starts
    // anywhere from there on: its rows stand for the sets of this one with the start state added after
    // every byte. A walk in it never leads to REXI_NoTransitionRow.
    std::unique_ptr<REXI_Dfa> MakeUnanchored() const;

    // The start row stays the same row for the automaton's whole life.
    REXI_DfaRow* StartRow() const { return m_startRow; }

    // Works out the entry of `row` for `byte`, which leads to REXI_UnbuiltRow, fills it (and the entries of
    // every byte that behaves the same) and returns the row it leads to. Making a row may flush the cache:
    // every row but the start row is then dropped, so a walk must go on from the returned row only.
    REXI_DfaRow* Step(REXI_DfaRow* row, unsigned char byte);

    // The bytes a match can begin with, as a NUL-terminated string, when they are few enough for a search
    // to jump from one to the next with strcspn: the texts end with NUL and the empty text is no match.
    // Null otherwise.
    const char* FirstBytes() const { return m_firstBytesUsable ? m_firstBytes.c_str() : nullptr; }

    // Drops every row but the start row, whose entries are then all worked out again.
    void FreeRows();

    // The byte classes the rows distinguish: pairwise disjoint, every transition class a union of whole
    // alphabet classes, in the order of their smallest byte.
    const std::vector<REXI_CharSet>& Alphabet() const { return m_alphabet; }
    // Rows in the cache, the start row included, and how often the cache has been flushed.
    int RowCount() const { return m_usedRows; }
    int FlushCount() const { return m_flushes; }

private:
    // A set of automaton states by their indices, sorted without repeats.
    using StateSet = std::vector<int>;
    struct SetHash {
        std::size_t operator()(const StateSet& set) const;
    };
    // The moves of one state to one target, with every alphabet class (by index) that takes them.
    struct Move {
        int target;
        std::bitset<256> classes;
    };

    REXI_Dfa() = default;
    void CollectStates(const REXI_State* start);
    void FindFirstBytes();
    void MakeAlphabet(const std::vector<const REXI_State*>& states);
    void ResolveMoves(const std::vector<const REXI_State*>& states);
    // The states that the states of the set lead to with a byte of the alphabet class, into m_targets.
    void FindTargets(const StateSet& from, int alphabetClass);
    // The row of a set, made when there is none yet; null when the cache has no room for it.
    REXI_DfaRow* RowFor(const StateSet& set);
    void InitRow(REXI_DfaRow* row, bool accepting) const;

    unsigned char m_terminator = 0;
    bool m_unanchored = false; // every set holds the start state
    std::vector<REXI_CharSet> m_alphabet;
    std::array<short, 256> m_classOf{};                // alphabet class of each byte value, -1 for none
    std::vector<std::vector<unsigned char>> m_bytesOf; // the byte values of each alphabet class
    std::vector<char> m_accepting;                     // by state index; the start is index 0
    std::vector<int> m_firstMove;                      // by state index, one past the end for the last
    std::vector<Move> m_moves;
    std::string m_firstBytes;
    bool m_firstBytesUsable = false;

    std::unordered_map<StateSet, REXI_DfaRow*, SetHash> m_rowOf;
    std::vector<const StateSet*> m_setOf;             // by cache slot
    std::vector<std::unique_ptr<REXI_DfaRow>> m_rows; // by cache slot; kept for reuse after a flush
    int m_usedRows = 0;
    long m_stateRefs = 0;
    int m_flushes = 0;
    REXI_DfaRow* m_startRow = nullptr;

    // Scratch of FindTargets.
    StateSet m_targets;
    std::vector<unsigned> m_mark;
    unsigned m_generation = 0;
};
