#pragma once

#include "pattern/rexi_charset.h"
#include "pattern/rexi_dfa_row.h"
#include "pattern/rexi_state.h"

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

// Orders classes by the smallest byte value whose membership differs: the class without it comes first.
struct REXI_ClassLess {
    bool operator()(const REXI_CharSet& a, const REXI_CharSet& b) const;
};

// Turns the automaton piece of one compile into deterministic rows. Alive only during that compile.
class REXI_Dfa {
public:
    REXI_Dfa(const REXI_State* start, unsigned char terminator);

    // Builds the rows and returns the start row; the caller owns them from then on (FreeRows). Throws
    // REXA_Exception when the automaton would need more than REXI_MaxRows rows.
    REXI_DfaRow* Build();

    // Frees every row reachable from the start row, except the two shared rows.
    static void FreeRows(REXI_DfaRow* start);

    // The byte classes the rows distinguish: pairwise disjoint, every transition class a union of whole
    // alphabet classes, in REXI_ClassLess order. Valid after Build.
    const std::vector<REXI_CharSet>& Alphabet() const { return m_alphabet; }

private:
    // A set of automaton states, sorted by id without repeats.
    using StateSet = std::vector<const REXI_State*>;
    struct Targets {
        std::vector<const StateSet*> next; // one per alphabet class
        REXI_DfaRow* row = nullptr;        // none for the empty set
    };
    using TransitionMap = std::map<StateSet, Targets>;
    // A transition with the alphabet classes it consumes.
    struct Move {
        const REXI_State* target;
        const std::vector<int>* classes;
    };

    void CollectClasses();
    void MakeAlphabet();
    void ResolveMoves();
    void BuildTransitionMap();
    REXI_DfaRow* BuildRows();
    // Records a state set met for the first time (and queues it); returns its map entry either way.
    TransitionMap::iterator Record(StateSet set, std::vector<TransitionMap::iterator>& worklist);

    const REXI_State* m_start;
    unsigned char m_terminator;
    std::map<REXI_CharSet, std::vector<int>, REXI_ClassLess> m_classes; // each to the alphabet classes in it
    std::vector<REXI_CharSet> m_alphabet;
    std::vector<const REXI_State*> m_reachable;
    std::unordered_map<const REXI_State*, std::vector<Move>> m_moves;
    TransitionMap m_transitions;
    int m_rowCount = 0;
};
