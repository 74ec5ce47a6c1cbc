#include "pattern/rexi_compiler.h"

#include "pattern/rexa_exception.h"
#include "pattern/rexi_limits.h"

#include <algorithm>
#include <unordered_map>

REXI_Compiler::REXI_Compiler(unsigned char terminator) : m_terminator(terminator) {
    // Room for the pieces of a pattern as people type them.
    constexpr std::size_t kUsualStates = 64;
    m_pieceStates.reserve(kUsualStates);
    m_finals.reserve(kUsualStates);
}

REXI_Compiler::~REXI_Compiler() = default;

REXI_State* REXI_Compiler::NewState(int id, bool accepting) {
    if (StateCount() >= REXI_MaxStates)
        FailTooComplex();
    REXI_State& state = m_states.emplace_back();
    state.id = id;
    state.accepting = accepting;
    return &state;
}

void REXI_Compiler::AddTransition(REXI_State* from, const REXI_CharSet& set, REXI_State* to) {
    // A second transition of the same class to the same target changes nothing; nested repetitions
    // would otherwise double their loops at every level.
    for (const REXI_Transition& t : from->transitions) {
        if (t.target == to && t.charSet == set)
            return;
    }
    if (m_transitionCount >= REXI_MaxTransitions)
        FailTooComplex();
    ++m_transitionCount;
    // Most states end up with a few moves: room for them at once.
    constexpr std::size_t kUsualMoves = 4;
    if (from->transitions.capacity() == 0)
        from->transitions.reserve(kUsualMoves);
    from->transitions.push_back({set, to});
}

void REXI_Compiler::CopyTransitions(const REXI_State* from, REXI_State* to) {
    // Copied first, so that no append can disturb the list being read.
    const std::vector<REXI_Transition> copied = from->transitions;
    for (const REXI_Transition& t : copied)
        AddTransition(to, t.charSet, t.target);
}

void REXI_Compiler::FailTooComplex() const {
    throw REXA_Exception(REXI_TooComplexMessage, 0);
}

std::vector<REXI_State*> REXI_Compiler::CollectStates(REXI_State* start) const {
    std::vector<REXI_State*> order;
    CollectStates(start, order);
    return order;
}

void REXI_Compiler::CollectStates(REXI_State* start, std::vector<REXI_State*>& order) const {
    // Every state of a piece was made by the current compile, so its id indexes the marks, which are
    // kept from walk to walk and told apart by a stamp.
    m_seen.resize(static_cast<std::size_t>(m_nextStateId - m_firstStateId));
    if (++m_seenStamp == 0) {
        std::fill(m_seen.begin(), m_seen.end(), 0);
        m_seenStamp = 1;
    }
    const auto mark = [&](const REXI_State* s) {
        unsigned& m = m_seen.at(static_cast<std::size_t>(s->id - m_firstStateId));
        const bool first = m != m_seenStamp;
        m = m_seenStamp;
        return first;
    };
    order.clear();
    order.push_back(start);
    mark(start);
    for (std::size_t i = 0; i < order.size(); ++i) {
        for (const REXI_Transition& t : order[i]->transitions) {
            if (mark(t.target))
                order.push_back(t.target);
        }
    }
}

void REXI_Compiler::CollectFinalTransitions(const std::vector<REXI_State*>& states) {
    m_finals.clear();
    for (REXI_State* s : states) {
        for (const REXI_Transition& t : s->transitions) {
            if (t.target->accepting)
                m_finals.emplace_back(s, t.charSet);
        }
    }
}

std::vector<std::unique_ptr<REXI_State>> REXI_Compiler::CopyGraph(REXI_State* start) const {
    const std::vector<REXI_State*> originals = CollectStates(start);
    std::unordered_map<const REXI_State*, REXI_State*> copyOf;
    std::vector<std::unique_ptr<REXI_State>> copies;
    copies.reserve(originals.size());
    for (const REXI_State* s : originals) {
        auto copy = std::make_unique<REXI_State>();
        copy->id = s->id;
        copy->tokenNumber = s->tokenNumber;
        copy->accepting = s->accepting;
        copyOf[s] = copy.get();
        copies.push_back(std::move(copy));
    }
    for (std::size_t i = 0; i < originals.size(); ++i) {
        copies[i]->transitions.reserve(originals[i]->transitions.size());
        for (const REXI_Transition& t : originals[i]->transitions)
            copies[i]->transitions.push_back({t.charSet, copyOf.at(t.target)});
    }
    return copies;
}

REXI_State* REXI_Compiler::Renumber(REXI_State* start) {
    std::vector<std::unique_ptr<REXI_State>> copies = CopyGraph(start);
    int transitions = 0;
    for (const auto& copy : copies)
        transitions += static_cast<int>(copy->transitions.size());
    if (StateCount() + static_cast<int>(copies.size()) > REXI_MaxStates ||
        m_transitionCount + transitions > REXI_MaxTransitions)
        FailTooComplex();
    m_transitionCount += transitions;
    // The copies move into the arena, their moves led to the arena's states.
    std::unordered_map<const REXI_State*, REXI_State*> placeOf;
    for (auto& copy : copies) {
        REXI_State& placed = m_states.emplace_back(std::move(*copy));
        placed.id = NextStateId();
        placeOf[copy.get()] = &placed;
    }
    for (auto& copy : copies) {
        for (REXI_Transition& t : placeOf.at(copy.get())->transitions)
            t.target = placeOf.at(t.target);
    }
    return placeOf.at(copies.front().get());
}

REXI_State* REXI_Compiler::MakeClass(REXI_CharSet set) {
    set.reset(m_terminator);
    REXI_State* s = NewState(NextStateId(), false);
    REXI_State* f = NewState(NextStateId(), true);
    AddTransition(s, set, f);
    return s;
}

REXI_State* REXI_Compiler::Concatenate(REXI_State* left, REXI_State* right) {
    CollectStates(left, m_pieceStates);
    CollectFinalTransitions(m_pieceStates);
    const bool bothMatchEmpty = left->accepting && right->accepting;
    const bool leftMatchesEmpty = left->accepting;

    // Wherever the left piece can end, the right one can begin.
    for (REXI_State* s : m_pieceStates)
        s->accepting = false;
    for (const auto& [state, set] : m_finals)
        AddTransition(state, set, right);
    if (leftMatchesEmpty)
        CopyTransitions(right, left);
    // The left start has no incoming moves, so staying accepting there means exactly that both pieces
    // matched the empty text. Every other end of the left piece is now reached as the right piece's start.
    if (bothMatchEmpty)
        left->accepting = true;
    return left;
}

REXI_State* REXI_Compiler::Alternate(REXI_State* left, REXI_State* right) {
    CopyTransitions(right, left);
    if (right->accepting)
        left->accepting = true;
    return left;
}

REXI_State* REXI_Compiler::Star(REXI_State* piece) {
    CollectStates(piece, m_pieceStates);
    CollectFinalTransitions(m_pieceStates);
    for (const auto& [state, set] : m_finals)
        AddTransition(state, set, piece);
    piece->accepting = true;
    // The loop now runs back into the piece's start; a fresh start with the same moves keeps the result's
    // start free of incoming moves.
    REXI_State* start = NewState(NextStateId(), true);
    CopyTransitions(piece, start);
    return start;
}

REXI_State* REXI_Compiler::Plus(REXI_State* piece) {
    // X+ is X* that matches the empty text only when X does. Looping back into X itself, rather than
    // into a copy of X concatenated after it, gives the same matches with no copy: copies of one piece
    // combine into ever new state sets, and nested repetitions would blow the automaton up.
    const bool matchesEmpty = piece->accepting;
    REXI_State* start = Star(piece);
    start->accepting = matchesEmpty;
    return start;
}

REXI_State* REXI_Compiler::MakeOptional(REXI_State* piece) {
    piece->accepting = true;
    return piece;
}

REXI_State* REXI_Compiler::CaseFold(REXI_State* piece) {
    CollectStates(piece, m_pieceStates);
    for (REXI_State* s : m_pieceStates) {
        for (REXI_Transition& t : s->transitions) {
            for (unsigned c = 'A'; c <= 'Z'; ++c) {
                const unsigned lower = c - 'A' + 'a';
                if (t.charSet.test(c) && lower != m_terminator)
                    t.charSet.set(lower);
            }
        }
    }
    return piece;
}
