#include "pattern/rexi_dfa.h"

#include "pattern/rexa_exception.h"
#include "pattern/rexi_limits.h"

#include <algorithm>
#include <bit>
#include <unordered_set>

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

REXI_Dfa::REXI_Dfa(const REXI_State* start, unsigned char terminator)
    : m_start(start), m_terminator(terminator) {}

REXI_DfaRow* REXI_Dfa::Build() {
    CollectClasses();
    MakeAlphabet();
    ResolveMoves();
    BuildTransitionMap();
    return BuildRows();
}

void REXI_Dfa::CollectClasses() {
    // Only transitions that can consume a byte lead anywhere.
    m_reachable = {m_start};
    std::unordered_set<const REXI_State*> seen{m_start};
    for (std::size_t i = 0; i < m_reachable.size(); ++i) {
        for (const REXI_Transition& t : m_reachable[i]->transitions) {
            if (t.charSet.none())
                continue;
            m_classes.try_emplace(t.charSet);
            if (seen.insert(t.target).second)
                m_reachable.push_back(t.target);
        }
    }
}

void REXI_Dfa::MakeAlphabet() {
    // Split the bytes the pattern can consume until every part lies wholly inside or wholly outside each
    // class. Overlapping classes such as [^a] and [a-c] then never share an alphabet class, so every byte
    // follows exactly the transitions whose class holds it.
    REXI_CharSet all;
    for (const auto& [set, members] : m_classes)
        all |= set;
    std::vector<REXI_CharSet> parts;
    if (all.any())
        parts.push_back(all);
    for (const auto& [set, members] : m_classes) {
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

    for (auto& [set, members] : m_classes) {
        for (std::size_t i = 0; i < m_alphabet.size(); ++i) {
            if ((m_alphabet[i] & set).any())
                members.push_back(static_cast<int>(i));
        }
    }
}

void REXI_Dfa::ResolveMoves() {
    for (const REXI_State* s : m_reachable) {
        std::vector<Move>& moves = m_moves[s];
        for (const REXI_Transition& t : s->transitions) {
            if (t.charSet.any())
                moves.push_back({t.target, &m_classes.at(t.charSet)});
        }
    }
}

REXI_Dfa::TransitionMap::iterator REXI_Dfa::Record(StateSet set,
                                                   std::vector<TransitionMap::iterator>& worklist) {
    const bool empty = set.empty();
    const bool accepting =
        std::any_of(set.begin(), set.end(), [](const REXI_State* s) { return s->accepting; });
    auto [entry, added] = m_transitions.try_emplace(std::move(set));
    if (!added)
        return entry;
    // Each non-empty set becomes a row, and an accepting one also gets its final row.
    if (!empty) {
        m_rowCount += accepting ? 2 : 1;
        if (m_rowCount > REXI_MaxRows)
            throw REXA_Exception(REXI_TooComplexMessage, 0);
    }
    worklist.push_back(entry);
    return entry;
}

void REXI_Dfa::BuildTransitionMap() {
    std::vector<TransitionMap::iterator> worklist;
    Record(StateSet{m_start}, worklist);
    std::vector<StateSet> next(m_alphabet.size());
    while (!worklist.empty()) {
        const TransitionMap::iterator entry = worklist.back();
        worklist.pop_back();
        for (StateSet& targets : next)
            targets.clear();
        for (const REXI_State* s : entry->first) {
            for (const Move& move : m_moves.at(s)) {
                for (int i : *move.classes)
                    next[i].push_back(move.target);
            }
        }
        std::vector<const StateSet*> found;
        found.reserve(next.size());
        for (StateSet& targets : next) {
            std::sort(targets.begin(), targets.end(),
                      [](const REXI_State* a, const REXI_State* b) { return a->id < b->id; });
            targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
            found.push_back(&Record(targets, worklist)->first);
        }
        entry->second.next = std::move(found);
    }
}

REXI_DfaRow* REXI_Dfa::BuildRows() {
    // Rows are held here until every one is complete, so that nothing leaks if making one fails.
    std::vector<std::unique_ptr<REXI_DfaRow>> rows;
    for (auto& [set, targets] : m_transitions) {
        if (set.empty())
            continue;
        rows.push_back(std::make_unique<REXI_DfaRow>(-2, false, false));
        targets.row = rows.back().get();
    }
    // The alphabet class of each byte value, or -1 for a byte that no class holds.
    int classOf[256];
    for (int b = 0; b < 256; ++b) {
        classOf[b] = -1;
        for (std::size_t i = 0; i < m_alphabet.size(); ++i) {
            if (m_alphabet[i].test(b))
                classOf[b] = static_cast<int>(i);
        }
    }
    std::vector<REXI_DfaRow*> children(m_alphabet.size());
    for (auto& [set, targets] : m_transitions) {
        REXI_DfaRow* row = targets.row;
        if (row == nullptr)
            continue;
        for (std::size_t i = 0; i < m_alphabet.size(); ++i)
            children[i] = m_transitions.find(*targets.next[i])->second.row;
        for (int b = 0; b < 256; ++b) {
            if (classOf[b] >= 0)
                row->next[b] = children[classOf[b]];
        }
        row->accepting =
            std::any_of(set.begin(), set.end(), [](const REXI_State* s) { return s->accepting; });
        REXI_DfaRow* rest = &REXI_NoTransitionRow;
        if (row->accepting) {
            rows.push_back(std::make_unique<REXI_DfaRow>(-2, true, true));
            rest = rows.back().get();
        }
        for (REXI_DfaRow*& entry : row->next) {
            if (entry == nullptr)
                entry = rest;
        }
        // No class holds the terminator; setting its entry here whatever the classes say guarantees that
        // every walk stops at the end of the text.
        row->next[m_terminator] = row->accepting ? rest : &REXI_InitialRow;
    }
    REXI_DfaRow* start = m_transitions.find(StateSet{m_start})->second.row;
    for (auto& row : rows)
        row.release();
    return start;
}

void REXI_Dfa::FreeRows(REXI_DfaRow* start) {
    std::vector<REXI_DfaRow*> stack{start};
    std::unordered_set<REXI_DfaRow*> seen{start};
    std::vector<REXI_DfaRow*> found;
    while (!stack.empty()) {
        REXI_DfaRow* row = stack.back();
        stack.pop_back();
        found.push_back(row);
        const REXI_DfaRow* previous = nullptr;
        for (REXI_DfaRow* entry : row->next) {
            // Entries come in long runs of one row; only a change needs the look-up.
            if (entry == previous)
                continue;
            previous = entry;
            if (entry != nullptr && seen.insert(entry).second)
                stack.push_back(entry);
        }
    }
    for (REXI_DfaRow* row : found) {
        if (row != &REXI_NoTransitionRow && row != &REXI_InitialRow)
            delete row;
    }
}
