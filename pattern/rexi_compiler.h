#pragma once

#include "pattern/rexi_scanner.h"
#include "pattern/rexi_state.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Parses a pattern and builds from it a nondeterministic automaton over bytes without empty moves. A
// piece is represented by its start state: the states reachable from it form the piece, its accepting
// states mark where a match may end, and an accepting start means the piece matches the empty text.
//
// Every piece that an operation returns has a start state that no transition leads into. Alternation
// and concatenation rely on that: the start's transitions can then be shared with another piece without
// letting a loop of one piece run into the other.
class REXI_Compiler {
public:
    // terminator: the byte that ends every searched text; no class ever contains it.
    explicit REXI_Compiler(unsigned char terminator);
    REXI_Compiler(const REXI_Compiler&) = delete;
    REXI_Compiler& operator=(const REXI_Compiler&) = delete;
    ~REXI_Compiler();

    // Parses the whole pattern (up to its first NUL) and returns the start of its piece. Throws
    // REXA_Exception for a malformed pattern. The states of the previous compile are freed first.
    REXI_State* ParsePattern(std::string pattern);

    // Construction operations; each takes and returns pieces.
    REXI_State* MakeClass(REXI_CharSet set);
    REXI_State* Concatenate(REXI_State* left, REXI_State* right);
    REXI_State* Alternate(REXI_State* left, REXI_State* right);
    REXI_State* Star(REXI_State* piece);
    REXI_State* Plus(REXI_State* piece);
    REXI_State* MakeOptional(REXI_State* piece);
    REXI_State* CaseFold(REXI_State* piece);
    REXI_State* LookupName(const std::string& name);

    int NextStateId() { return m_nextStateId++; }
    REXI_State* NewState(int id, bool accepting);

    // Walks over the states of a piece of the current compile, each visited once, in breadth-first order.
    std::vector<REXI_State*> CollectStates(REXI_State* start) const;
    // The same into the given list, whose room is kept from walk to walk.
    void CollectStates(REXI_State* start, std::vector<REXI_State*>& order) const;
    // A deep copy of the piece (same ids); element 0 is the copy of the start. Loops survive the copy.
    std::vector<std::unique_ptr<REXI_State>> CopyGraph(REXI_State* start) const;
    // A copy of the piece whose states get fresh ids and belong to this compiler.
    REXI_State* Renumber(REXI_State* start);

    unsigned char Terminator() const { return m_terminator; }
    // States made by the current compile.
    int StateCount() const { return static_cast<int>(m_states.size()); }

private:
    REXI_State* ParseExpr();
    REXI_State* ParseTerm();
    REXI_State* ParseFactor();
    REXI_State* ParseAtom();

    void AddTransition(REXI_State* from, const REXI_CharSet& set, REXI_State* to);
    // Appends to `to` a copy of every transition of `from`, in their order.
    void CopyTransitions(const REXI_State* from, REXI_State* to);
    [[noreturn]] void FailTooComplex() const;
    // Every state of the list with one of its transitions that leads to an accepting state, as the pair of
    // the state and the transition's class, into m_finals.
    void CollectFinalTransitions(const std::vector<REXI_State*>& states);

    unsigned char m_terminator;
    std::string m_pattern;                      // the pattern being compiled; the scanner points into it
    std::map<std::string, REXI_State*> m_names; // never filled: every name reference fails
    REXI_Scanner m_scanner;
    int m_nextStateId = 0;
    int m_firstStateId = 0; // the first id of the current compile
    // The states of the current compile; a deque keeps them in place as it grows.
    std::deque<REXI_State> m_states;
    int m_transitionCount = 0;
    // Marks of CollectStates, by id from the first of the current compile.
    mutable std::vector<unsigned> m_seen;
    mutable unsigned m_seenStamp = 0;
    // Scratch of the construction operations, kept for their room.
    std::vector<REXI_State*> m_pieceStates;
    std::vector<std::pair<REXI_State*, REXI_CharSet>> m_finals;
    int m_groupDepth = 0;
};
