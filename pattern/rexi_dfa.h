#pragma once

#include "pattern/rexi_dfa_row.h"
#include "pattern/rexi_move_table.h"

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

// The deterministic automaton of one compiled pattern, made as searches reach it. Each row stands for a
// set of states of the move table; a row is made the first time a walk reaches its set, and its entry for
// a byte is worked out the first time a walk reads that byte there (until then it leads to
// REXI_UnbuiltRow). Rows are kept in a cache of bounded size: when it is full, every row but the start
// row is dropped and the walks refill it, so memory stays bounded on any pattern and any text.
class REXI_Dfa {
public:
    // unanchored: the automaton that, walked from a position to the end of the text, tells whether a
    // match starts anywhere from there on: the start state joins every set after every byte, so a walk
    // never leads to REXI_NoTransitionRow, and every entry of an accepting row leads to REXI_FinalRow.
    REXI_Dfa(std::shared_ptr<const REXI_MoveTable> table, bool unanchored);
    REXI_Dfa(const REXI_Dfa&) = delete;
    REXI_Dfa& operator=(const REXI_Dfa&) = delete;
    ~REXI_Dfa();

    const std::shared_ptr<const REXI_MoveTable>& Table() const { return m_table; }

    // The start row stays the same row for the automaton's whole life.
    REXI_DfaRow* StartRow() const { return m_startRow; }

    // Works out the entry of `row` for `byte`, which leads to REXI_UnbuiltRow, fills it (and the entries of
    // every byte that behaves the same) and returns the row it leads to. Making a row may flush the cache:
    // every row but the start row is then dropped, so a walk must go on from the returned row only.
    REXI_DfaRow* Step(REXI_DfaRow* row, unsigned char byte);

    // Drops every row but the start row, whose entries are then all worked out again.
    void FreeRows();

    // Rows in the cache, the start row included; how often the cache has been flushed.
    int RowCount() const { return m_usedRows; }
    int FlushCount() const { return m_flushes; }

private:
    // A set of states by their numbers, sorted without repeats.
    using StateSet = std::vector<int>;
    using SetView = std::span<const int>;

    // The states that the states of the set lead to with a byte of the alphabet class.
    void FindTargets(SetView from, int alphabetClass, StateSet& targets);
    // The set a cache slot stands for; it stays valid until the next row is made.
    SetView SetOf(int slot) const;
    // The place in m_slotOf where the set's slot is, or the empty place where it would go.
    std::size_t PlaceOf(SetView set) const;
    // The row of a set, made when there is none yet; null when the cache has no room for it.
    REXI_DfaRow* RowFor(const StateSet& set);
    // The entries a new row starts with, for a row that does not accept and one that does.
    void MakeTemplates();
    // Makes room for one more cache slot.
    void AddSlot();
    // When every byte but a few leads from the row back to it, makes those few the row's skip bytes.
    void FindSelfLoops(REXI_DfaRow* row, SetView set);

    std::shared_ptr<const REXI_MoveTable> m_table;
    bool m_unanchored;

    // The sets of the rows in the cache, one after the other, and where each slot's set lies there.
    std::vector<int> m_setPool;
    std::vector<std::size_t> m_setStart; // by cache slot, and the end
    // The cache slot of each set, by hash with linear probing; -1 for an empty place. Never more than
    // half full.
    std::vector<int> m_slotOf;
    std::deque<std::string> m_skipOf; // by cache slot; a deque keeps them in place
    // Rows by cache slot, kept for reuse after a flush; made a few at a time.
    std::vector<REXI_DfaRow*> m_rows;
    std::vector<std::unique_ptr<REXI_DfaRow[]>> m_rowBlocks;
    std::array<REXI_DfaRow*, 256> m_templates[2];
    int m_usedRows = 0;
    int m_flushes = 0;
    REXI_DfaRow* m_startRow = nullptr;

    // Scratch of FindTargets.
    StateSet m_targets;
    StateSet m_loopTargets;
    std::vector<unsigned> m_mark;
    unsigned m_generation = 0;
};
