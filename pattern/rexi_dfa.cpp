#include "pattern/rexi_dfa.h"

#include "pattern/rexi_limits.h"

#include <algorithm>
#include <utility>

std::size_t REXI_Dfa::SetHash::operator()(const StateSet& set) const {
    std::size_t hash = 14695981039346656037ULL;
    for (int s : set)
        hash = (hash ^ static_cast<unsigned>(s)) * 1099511628211ULL;
    return hash;
}

REXI_Dfa::REXI_Dfa(std::shared_ptr<const REXI_MoveTable> table, bool unanchored)
    : m_table(std::move(table)), m_unanchored(unanchored), m_mark(m_table->accepting.size(), 0) {
    // The start row is made first and always keeps slot 0.
    m_rowOf.reserve(64);
    AddSlot();
    MakeTemplates();
    m_startRow = RowFor(StateSet{0});
}

REXI_Dfa::~REXI_Dfa() = default;

void REXI_Dfa::FindTargets(const StateSet& from, int alphabetClass, StateSet& targets) {
    const REXI_MoveTable& table = *m_table;
    targets.clear();
    if (++m_generation == 0) {
        std::fill(m_mark.begin(), m_mark.end(), 0);
        m_generation = 1;
    }
    table.CollectTargets(from, alphabetClass, m_mark, m_generation, targets);
    // Unanchored, a match may also begin after the byte.
    if (m_unanchored && m_mark[0] != m_generation)
        targets.push_back(0);
    std::sort(targets.begin(), targets.end());
}

void REXI_Dfa::MakeTemplates() {
    const REXI_MoveTable& table = *m_table;
    for (bool accepting : {false, true}) {
        std::array<REXI_DfaRow*, 256>& entries = m_templates[accepting];
        if (m_unanchored && accepting) {
            // A match has been found: the walk ends at once.
            entries.fill(&REXI_FinalRow);
            continue;
        }
        // A byte that no class holds ends the walk here, with a match when the row accepts; unanchored,
        // it leads back to the start, where the next match may begin.
        REXI_DfaRow* rest = accepting      ? &REXI_FinalRow
                            : m_unanchored ? m_rows.front()
                                           : &REXI_NoTransitionRow;
        for (int b = 0; b < 256; ++b)
            entries[b] = table.classOf[b] >= 0 ? &REXI_UnbuiltRow : rest;
        entries[table.terminator] = accepting ? &REXI_FinalRow : &REXI_InitialRow;
    }
}

void REXI_Dfa::AddSlot() {
    // Rows are large: a few at a time, their fields left for RowFor to fill.
    constexpr std::size_t kRowsPerBlock = 8;
    if (m_rows.size() % kRowsPerBlock == 0)
        m_rowBlocks.push_back(std::make_unique_for_overwrite<REXI_DfaRow[]>(kRowsPerBlock));
    m_rows.push_back(&m_rowBlocks.back()[m_rows.size() % kRowsPerBlock]);
    m_setOf.push_back(nullptr);
    m_skipOf.emplace_back();
}

REXI_DfaRow* REXI_Dfa::RowFor(const StateSet& set) {
    const auto found = m_rowOf.find(set);
    if (found != m_rowOf.end())
        return found->second;
    if (m_usedRows >= REXI_MaxCachedRows ||
        m_stateRefs + static_cast<long>(set.size()) > REXI_MaxCachedStateRefs)
        return nullptr;

    const int slot = m_usedRows++;
    if (slot == static_cast<int>(m_rows.size()))
        AddSlot();
    REXI_DfaRow* row = m_rows[slot];
    const std::vector<char>& accepting = m_table->accepting;
    row->tokenNumber = -2;
    row->stop = false;
    row->accepting = std::any_of(set.begin(), set.end(), [&](int s) { return accepting[s] != 0; });
    row->cacheSlot = slot;
    row->skip = nullptr;
    const std::array<REXI_DfaRow*, 256>& entries = m_templates[row->accepting];
    std::copy(entries.begin(), entries.end(), row->next);
    m_setOf[slot] = &m_rowOf.emplace(set, row).first->first;
    m_stateRefs += static_cast<long>(set.size());
    FindSelfLoops(row, *m_setOf[slot]);
    return row;
}

void REXI_Dfa::FindSelfLoops(REXI_DfaRow* row, const StateSet& set) {
    // A walk jumps with strcspn, which stops only at NUL. The search for loops is bounded for rows of
    // large sets, where it would cost more than the jumps save.
    constexpr std::size_t kMaxWork = 4096;
    const REXI_MoveTable& table = *m_table;
    std::size_t moves = 0;
    for (int s : set)
        moves += static_cast<std::size_t>(table.firstMove[s + 1] - table.firstMove[s]);
    if (table.terminator != 0 || (m_unanchored && row->accepting) ||
        moves * static_cast<std::size_t>(table.ClassCount()) > kMaxWork)
        return;

    // Bytes that no class holds leave every row but the unanchored start row.
    std::string& skip = m_skipOf[row->cacheSlot];
    skip.clear();
    if (!m_unanchored || row->cacheSlot != 0) {
        if (table.otherBytes.size() > REXI_MaxJumpBytes)
            return;
        skip = table.otherBytes;
    }
    // The largest classes first: one of them that leaves the row settles it soonest. The entries of the
    // bytes that loop are never read: the walk jumps over them.
    for (int c : table.classesBySize) {
        FindTargets(set, c, m_loopTargets);
        if (m_loopTargets != set) {
            if (skip.size() + static_cast<std::size_t>(table.ClassEnd(c) - table.ClassBegin(c)) >
                REXI_MaxJumpBytes)
                return;
            skip.append(table.ClassBegin(c), table.ClassEnd(c));
        }
    }
    row->skip = skip.c_str();
    row->stop = true;
}

REXI_DfaRow* REXI_Dfa::Step(REXI_DfaRow* row, unsigned char byte) {
    const int alphabetClass = m_table->classOf[byte];
    FindTargets(*m_setOf[row->cacheSlot], alphabetClass, m_targets);
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
    for (const unsigned char* b = m_table->ClassBegin(alphabetClass); b != m_table->ClassEnd(alphabetClass);
         ++b)
        row->next[*b] = to;
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
