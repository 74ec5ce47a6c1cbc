#include "pattern/rexi_dfa.h"

#include "pattern/rexi_limits.h"

#include <algorithm>
#include <utility>

namespace {

std::size_t Hash(std::span<const int> set) {
    std::size_t hash = 14695981039346656037ULL;
    for (int s : set)
        hash = (hash ^ static_cast<unsigned>(s)) * 1099511628211ULL;
    return hash;
}

} // namespace

REXI_Dfa::REXI_Dfa(std::shared_ptr<const REXI_MoveTable> table, bool unanchored)
    : m_table(std::move(table)), m_unanchored(unanchored), m_mark(m_table->accepting.size(), 0) {
    // The start row is made first and always keeps slot 0.
    constexpr std::size_t kUsualRows = 64;
    m_slotOf.assign(2 * kUsualRows, -1);
    m_rows.reserve(kUsualRows);
    m_setStart.reserve(kUsualRows + 1);
    m_setStart.push_back(0);
    // A set holds no more than every state; most hold a few.
    const std::size_t states = m_table->accepting.size();
    m_setPool.reserve(kUsualRows * std::min<std::size_t>(states, 8));
    m_targets.reserve(states);
    m_loopTargets.reserve(states);
    AddSlot();
    MakeTemplates();
    m_startRow = RowFor(StateSet{0});
}

REXI_Dfa::~REXI_Dfa() = default;

void REXI_Dfa::FindTargets(SetView from, int alphabetClass, StateSet& targets) {
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
    m_skipOf.emplace_back();
}

REXI_Dfa::SetView REXI_Dfa::SetOf(int slot) const {
    const std::size_t start = m_setStart[static_cast<std::size_t>(slot)];
    return {m_setPool.data() + start, m_setStart[static_cast<std::size_t>(slot) + 1] - start};
}

std::size_t REXI_Dfa::PlaceOf(SetView set) const {
    const std::size_t mask = m_slotOf.size() - 1;
    for (std::size_t place = Hash(set) & mask;; place = (place + 1) & mask) {
        const int slot = m_slotOf[place];
        if (slot < 0 || std::ranges::equal(SetOf(slot), set))
            return place;
    }
}

REXI_DfaRow* REXI_Dfa::RowFor(const StateSet& set) {
    std::size_t place = PlaceOf(set);
    if (m_slotOf[place] >= 0)
        return m_rows[static_cast<std::size_t>(m_slotOf[place])];
    if (m_usedRows >= REXI_MaxCachedRows ||
        static_cast<long>(m_setPool.size() + set.size()) > REXI_MaxCachedStateRefs)
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
    // Slots are used in order, so the new set goes at the end of the pool.
    m_setPool.insert(m_setPool.end(), set.begin(), set.end());
    m_setStart.push_back(m_setPool.size());
    if (2 * static_cast<std::size_t>(m_usedRows) > m_slotOf.size()) {
        // Twice the places, every slot placed again.
        m_slotOf.assign(2 * m_slotOf.size(), -1);
        for (int s = 0; s < m_usedRows; ++s)
            m_slotOf[PlaceOf(SetOf(s))] = s;
    } else {
        m_slotOf[place] = slot;
    }
    FindSelfLoops(row, SetOf(slot));
    return row;
}

void REXI_Dfa::FindSelfLoops(REXI_DfaRow* row, SetView set) {
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
        if (!std::ranges::equal(m_loopTargets, set)) {
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
    FindTargets(SetOf(row->cacheSlot), alphabetClass, m_targets);
    REXI_DfaRow* to = nullptr;
    if (m_targets.empty()) {
        to = row->accepting ? &REXI_FinalRow : &REXI_NoTransitionRow;
    } else {
        to = RowFor(m_targets);
        if (to == nullptr) {
            // The cache is full: start it over with the row being left and the row reached.
            const SetView view = SetOf(row->cacheSlot);
            const StateSet from(view.begin(), view.end());
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
    std::fill(m_slotOf.begin(), m_slotOf.end(), -1);
    m_setPool.clear();
    m_setStart.resize(1);
    m_usedRows = 0;
    ++m_flushes;
    // Slot 0 is made again first, so the start row stays the same row.
    m_startRow = RowFor(StateSet{0});
}
