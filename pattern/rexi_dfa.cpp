#include "pattern/rexi_dfa.h"

#include "pattern/rexi_limits.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace {

// A class as four words of 64 byte values each, for quick whole-class operations.
using Words = std::array<std::uint64_t, 4>;

Words ToWords(const REXI_CharSet& set) {
    const REXI_CharSet low64(~0ULL);
    Words words;
    for (std::size_t k = 0; k < words.size(); ++k)
        words[k] = ((set >> (64 * k)) & low64).to_ullong();
    return words;
}

} // namespace

std::size_t REXI_Dfa::SetHash::operator()(const StateSet& set) const {
    std::size_t hash = 14695981039346656037ULL;
    for (int s : set)
        hash = (hash ^ static_cast<unsigned>(s)) * 1099511628211ULL;
    return hash;
}

REXI_Dfa::REXI_Dfa(const REXI_State* start, unsigned char terminator) : m_terminator(terminator) {
    CollectStates(start);
    FindFirstBytes();
    m_startRow = RowFor(StateSet{0});
}

REXI_Dfa::~REXI_Dfa() = default;

std::unique_ptr<REXI_Dfa> REXI_Dfa::MakeUnanchored() const {
    std::unique_ptr<REXI_Dfa> dfa(new REXI_Dfa);
    dfa->m_terminator = m_terminator;
    dfa->m_unanchored = true;
    dfa->m_alphabet = m_alphabet;
    dfa->m_classOf = m_classOf;
    dfa->m_bytesOf = m_bytesOf;
    dfa->m_accepting = m_accepting;
    dfa->m_firstMove = m_firstMove;
    dfa->m_moves = m_moves;
    dfa->m_mark.assign(m_mark.size(), 0);
    dfa->m_startRow = dfa->RowFor(StateSet{0});
    return dfa;
}

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
    // Transitions of one state to one target merge into one move that any of their classes takes. A
    // transition class holds every byte of an alphabet class or none, so one byte of each tells.
    std::vector<int> moveTo(states.size(), -1);
    m_firstMove.reserve(states.size() + 1);
    for (const REXI_State* s : states) {
        const int first = static_cast<int>(m_moves.size());
        m_firstMove.push_back(first);
        for (const REXI_Transition& t : s->transitions) {
            if (t.charSet.none())
                continue;
            const int target = indexOf.at(t.target);
            if (moveTo[target] < first) {
                moveTo[target] = static_cast<int>(m_moves.size());
                m_moves.push_back({target, {}});
            }
            std::bitset<256>& classes = m_moves[moveTo[target]].classes;
            for (std::size_t i = 0; i < m_bytesOf.size(); ++i) {
                if (t.charSet[m_bytesOf[i].front()])
                    classes.set(i);
            }
        }
    }
    m_firstMove.push_back(static_cast<int>(m_moves.size()));
    m_mark.assign(states.size(), 0);
}

void REXI_Dfa::MakeAlphabet(const std::vector<const REXI_State*>& states) {
    // Split the bytes the pattern can consume until every part lies wholly inside or wholly outside each
    // class: two bytes share a part exactly when every class holds both or neither. Overlapping classes
    // such as [^a] and [a-c] then never share an alphabet class, so every byte follows exactly the
    // transitions whose class holds it. No class holds the terminator; should one ever do, its byte is
    // left out here, so that its entry stays what the rows give it.
    std::unordered_set<REXI_CharSet> distinct;
    for (const REXI_State* s : states) {
        for (const REXI_Transition& t : s->transitions)
            distinct.insert(t.charSet);
    }
    std::vector<Words> classes;
    classes.reserve(distinct.size());
    Words all{};
    for (const REXI_CharSet& set : distinct) {
        classes.push_back(ToWords(set));
        for (std::size_t k = 0; k < all.size(); ++k)
            all[k] |= classes.back()[k];
    }
    all[m_terminator / 64] &= ~(std::uint64_t{1} << (m_terminator % 64));

    std::vector<Words> parts;
    if (all != Words{})
        parts.push_back(all);
    std::vector<Words> split;
    for (const Words& set : classes) {
        split.clear();
        for (const Words& part : parts) {
            Words inside, outside;
            for (std::size_t k = 0; k < part.size(); ++k) {
                inside[k] = part[k] & set[k];
                outside[k] = part[k] & ~set[k];
            }
            if (inside != Words{})
                split.push_back(inside);
            if (outside != Words{})
                split.push_back(outside);
        }
        parts.swap(split);
    }

    // Alphabet classes are numbered in the order of their smallest byte.
    const auto smallest = [](const Words& w) {
        std::size_t k = 0;
        while (w[k] == 0)
            ++k;
        return 64 * k + static_cast<std::size_t>(std::countr_zero(w[k]));
    };
    std::sort(parts.begin(), parts.end(),
              [&](const Words& a, const Words& b) { return smallest(a) < smallest(b); });
    m_classOf.fill(-1);
    m_alphabet.resize(parts.size());
    m_bytesOf.resize(parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        for (std::size_t k = 0; k < parts[i].size(); ++k) {
            for (std::uint64_t w = parts[i][k]; w != 0; w &= w - 1) {
                const std::size_t b = 64 * k + static_cast<std::size_t>(std::countr_zero(w));
                m_classOf[b] = static_cast<short>(i);
                m_alphabet[i].set(b);
                m_bytesOf[i].push_back(static_cast<unsigned char>(b));
            }
        }
    }
}

void REXI_Dfa::FindFirstBytes() {
    // strcspn looks for up to 16 bytes at a time in the C library on common machines; beyond that a
    // table look-up per byte is as fast.
    constexpr std::size_t kMaxFirstBytes = 16;
    std::bitset<256> classes;
    for (int m = m_firstMove[0]; m < m_firstMove[1]; ++m)
        classes |= m_moves[m].classes;
    for (std::size_t i = 0; i < m_bytesOf.size(); ++i) {
        if (classes.test(i))
            m_firstBytes.append(m_bytesOf[i].begin(), m_bytesOf[i].end());
    }
    m_firstBytesUsable = m_terminator == 0 && !m_accepting[0] && m_firstBytes.size() <= kMaxFirstBytes;
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
    // Unanchored, a match may also begin after the byte.
    if (m_unanchored && m_mark[0] != m_generation)
        m_targets.push_back(0);
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
    if (!m_unanchored)
        return;
    // Unanchored, the walk has found what it looks for once a row accepts; until then a byte that no
    // class holds leads back to the start, where the next match may begin.
    for (int b = 0; b < 256; ++b) {
        if (accepting)
            row->next[b] = &REXI_FinalRow;
        else if (m_classOf[b] < 0 && b != m_terminator)
            row->next[b] = m_rows.front().get();
    }
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
