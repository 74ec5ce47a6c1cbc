#include "pattern/rexi_dfa.h"

#include "pattern/rexi_limits.h"

#include <algorithm>
#include <bit>
#include <map>
#include <unordered_map>

bool REXI_ClassLess::operator()(const REXI_CharSet& a, const REXI_CharSet& b) const {
    // The first differing byte value, found 64 values at a time.
    const REXI_CharSet differ = a ^ b;
    const REXI_CharSet low64(~0ULL);
    for (std::size_t base = 0; base < differ.size(); base += 64) {
        const unsigned long long word = ((differ >> base) & low64).to_ullong();
        if (word != 0)
            return b.test(base + static_cast<std::size_t>(std::countr_zero(word)));
    }
    return false;
}

std::size_t REXI_Dfa::SetHash::operator()(const StateSet& set) const {
    std::size_t hash = 14695981039346656037ULL;
    for (int s : set)
        hash = (hash ^ static_cast<unsigned>(s)) * 1099511628211ULL;
    return hash;
}

REXI_Dfa::REXI_Dfa(const REXI_State* start, unsigned char terminator) : m_terminator(terminator) {
    CollectStates(start);
    m_startRow = RowFor(StateSet{0});
}

REXI_Dfa::~REXI_Dfa() = default;

void REXI_Dfa::CollectStates(const REXI_State* start) {
    // Only transitions that can consume a byte lead anywhere. The start gets index 0.
    std::vector<const REXI_State*> states{start};
    std::unordered_map<const REXI_State*, int> indexOf{{start, 0}};
    for (std::size_t i = 0; i < states.size(); ++i) {
        for (const REXI_Transition& t : states[i]->transitions) {
            if (t.charSet.any() && indexOf.try_emplace(t.target, static_cast<int>(states.size())).second)
                states.push_back(t.target);
        }
    }
    MakeAlphabet(states);

    m_accepting.reserve(states.size());
    for (const REXI_State* s : states)
        m_accepting.push_back(s->accepting);
    // Transitions of one state to one target merge into one move that any of their classes takes.
    std::map<REXI_CharSet, std::bitset<256>, REXI_ClassLess> classesIn;
    std::vector<int> moveTo(states.size(), -1);
    m_firstMove.reserve(states.size() + 1);
    for (const REXI_State* s : states) {
        const int first = static_cast<int>(m_moves.size());
        m_firstMove.push_back(first);
        for (const REXI_Transition& t : s->transitions) {
            if (t.charSet.none())
                continue;
            auto [entry, added] = classesIn.try_emplace(t.charSet);
            if (added) {
                for (std::size_t i = 0; i < m_alphabet.size(); ++i)
                    entry->second[i] = (m_alphabet[i] & t.charSet).any();
            }
            const int target = indexOf.at(t.target);
            if (moveTo[target] < first) {
                moveTo[target] = static_cast<int>(m_moves.size());
                m_moves.push_back({target, {}});
            }
            m_moves[moveTo[target]].classes |= entry->second;
        }
    }
    m_firstMove.push_back(static_cast<int>(m_moves.size()));
    m_mark.assign(states.size(), 0);
}

void REXI_Dfa::MakeAlphabet(const std::vector<const REXI_State*>& states) {
    std::vector<REXI_CharSet> classes;
    for (const REXI_State* s : states) {
        for (const REXI_Transition& t : s->transitions)
            classes.push_back(t.charSet);
    }
    std::sort(classes.begin(), classes.end(), REXI_ClassLess());
    classes.erase(std::unique(classes.begin(), classes.end()), classes.end());

    // Split the bytes the pattern can consume until every part lies wholly inside or wholly outside each
    // class. Overlapping classes such as [^a] and [a-c] then never share an alphabet class, so every byte
    // follows exactly the transitions whose class holds it. No class holds the terminator; should one
    // ever do, its byte is left out here, so that its entry stays what the rows give it.
    REXI_CharSet all;
    for (const REXI_CharSet& set : classes)
        all |= set;
    all.reset(m_terminator);
    std::vector<REXI_CharSet> parts;
    if (all.any())
        parts.push_back(all);
    for (const REXI_CharSet& set : classes) {
        std::vector<REXI_CharSet> split;
        split.reserve(parts.size() * 2);
        for (const REXI_CharSet& part : parts) {
            const REXI_CharSet inside = part & set;
            const REXI_CharSet outside = part & ~set;
            if (inside.any())
                split.push_back(inside);
            if (outside.any())
                split.push_back(outside);
        }
        parts = std::move(split);
    }
    std::sort(parts.begin(), parts.end(), REXI_ClassLess());
    m_alphabet = std::move(parts);

    m_classOf.fill(-1);
    m_bytesOf.resize(m_alphabet.size());
    for (std::size_t i = 0; i < m_alphabet.size(); ++i) {
        for (unsigned b = 0; b < 256; ++b) {
            if (m_alphabet[i].test(b)) {
                m_classOf[b] = static_cast<short>(i);
                m_bytesOf[i].push_back(static_cast<unsigned char>(b));
            }
        }
    }
}

void REXI_Dfa::FindTargets(const StateSet& from, int alphabetClass) {
    m_targets.clear();
    if (++m_generation == 0) {
        std::fill(m_mark.begin(), m_mark.end(), 0);
        m_generation = 1;
    }
    for (int s : from) {
        for (int m = m_firstMove[s]; m < m_firstMove[s + 1]; ++m) {
            const Move& move = m_moves[m];
            if (move.classes.test(static_cast<std::size_t>(alphabetClass)) &&
                m_mark[move.target] != m_generation) {
                m_mark[move.target] = m_generation;
                m_targets.push_back(move.target);
            }
        }
    }
    std::sort(m_targets.begin(), m_targets.end());
}

void REXI_Dfa::InitRow(REXI_DfaRow* row, bool accepting) const {
    row->tokenNumber = -2;
    row->stop = false;
    row->accepting = accepting;
    // A byte that no class holds ends the walk here: with a match when the row accepts.
    REXI_DfaRow* rest = accepting ? &REXI_FinalRow : &REXI_NoTransitionRow;
    for (int b = 0; b < 256; ++b)
        row->next[b] = m_classOf[b] >= 0 ? &REXI_UnbuiltRow : rest;
    row->next[m_terminator] = accepting ? &REXI_FinalRow : &REXI_InitialRow;
}

REXI_DfaRow* REXI_Dfa::RowFor(const StateSet& set) {
    const auto found = m_rowOf.find(set);
    if (found != m_rowOf.end())
        return found->second;
    if (m_usedRows >= REXI_MaxCachedRows ||
        m_stateRefs + static_cast<long>(set.size()) > REXI_MaxCachedStateRefs)
        return nullptr;

    const int slot = m_usedRows++;
    if (slot == static_cast<int>(m_rows.size())) {
        m_rows.push_back(std::make_unique<REXI_DfaRow>(-2, false, false));
        m_setOf.push_back(nullptr);
    }
    REXI_DfaRow* row = m_rows[slot].get();
    row->cacheSlot = slot;
    InitRow(row, std::any_of(set.begin(), set.end(), [this](int s) { return m_accepting[s] != 0; }));
    m_setOf[slot] = &m_rowOf.emplace(set, row).first->first;
    m_stateRefs += static_cast<long>(set.size());
    return row;
}

REXI_DfaRow* REXI_Dfa::Step(REXI_DfaRow* row, unsigned char byte) {
    const int alphabetClass = m_classOf[byte];
    FindTargets(*m_setOf[row->cacheSlot], alphabetClass);
    REXI_DfaRow* to = nullptr;
    if (m_targets.empty()) {
        to = row->accepting ? &REXI_FinalRow : &REXI_NoTransitionRow;
    } else {
        to = RowFor(m_targets);
        if (to == nullptr) {
            // The cache is full: start it over with the row being left and the row reached.
            const StateSet from = *m_setOf[row->cacheSlot];
            FreeRows();
            row = RowFor(from);
            to = RowFor(m_targets);
        }
    }
    for (unsigned char b : m_bytesOf[alphabetClass])
        row->next[b] = to;
    return to;
}

void REXI_Dfa::FreeRows() {
    m_rowOf.clear();
    m_usedRows = 0;
    m_stateRefs = 0;
    ++m_flushes;
    // Slot 0 is made again first, so the start row stays the same row.
    m_startRow = RowFor(StateSet{0});
}
