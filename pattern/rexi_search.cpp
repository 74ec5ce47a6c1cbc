#include "pattern/rexi_search.h"

#include "pattern/rexa_exception.h"
#include "pattern/rexi_compiler.h"
#include "pattern/rexi_dfa.h"

#include <cstring>
#include <memory>
#include <utility>

namespace {

const char kEmptyText[] = "";

unsigned char At(const char* p) {
    return static_cast<unsigned char>(*p);
}

// The table, when a search can jump from one byte a match can begin with to the next with strcspn: texts
// end with NUL, the empty text is no match, and those bytes are few.
const REXI_MoveTable* JumpTable(const REXI_MoveTable& table) {
    return table.terminator == 0 && !table.accepting[0] && table.jumpable ? &table : nullptr;
}

// The bytes every match ends with, when they are enough to rule out most texts in one look with strstr
// (texts end with NUL) and the pattern is not that text alone.
const char* CommonSuffix(const REXI_MoveTable& table) {
    constexpr std::size_t kMinSuffix = 3;
    const bool usable =
        table.terminator == 0 && table.literal.empty() && table.commonSuffix.size() >= kMinSuffix;
    return usable ? table.commonSuffix.c_str() : nullptr;
}

// The one text the pattern matches, when strstr can look for it (texts end with NUL).
const char* Literal(const REXI_MoveTable& table) {
    return table.terminator == 0 && !table.literal.empty() ? table.literal.c_str() : nullptr;
}

} // namespace

REXI_Base::REXI_Base(unsigned char terminator)
    : m_terminator(terminator), m_textStart(kEmptyText), m_matchStart(kEmptyText), m_cursor(kEmptyText),
      m_compiler(std::make_unique<REXI_Compiler>(terminator)) {}

REXI_Base::~REXI_Base() = default;

std::unique_ptr<REXI_Dfa> REXI_Base::CompileToDfa(std::string pattern) {
    REXI_State* piece = m_compiler->ParsePattern(std::move(pattern));
    auto table = std::make_shared<const REXI_MoveTable>(m_compiler->CollectStates(piece), m_terminator);
    return std::make_unique<REXI_Dfa>(std::move(table), false);
}

REXI_Status REXI_Base::SetPattern(std::string pattern) {
    REXI_Status result;
    try {
        m_dfa = CompileToDfa(std::move(pattern));
        m_startRow = m_dfa->StartRow();
        m_jumpTable = JumpTable(*m_dfa->Table());
        m_laterStartsCovered = m_dfa->Table()->laterStartsCovered;
        m_passedStartsCovered = m_dfa->Table()->passedStartsCovered;
        m_commonSuffix = CommonSuffix(*m_dfa->Table());
        m_literal = Literal(*m_dfa->Table());
        m_literalLength = m_dfa->Table()->literal.size();
        m_anyMatch.reset();
    } catch (const REXA_Exception& e) {
        result.status = 2;
        result.message = e.Message();
        result.position = e.Position();
    }
    return result;
}

REXI_Search::REXI_Search(unsigned char terminator) : REXI_Base(terminator) {}

REXI_Search::~REXI_Search() = default;

namespace {

// Walks the automaton from the row at the cursor until a row stops the walk, working out the entries it
// meets that are not worked out yet; last is set after every accepting row. Returns the row that stopped
// the walk; the cursor is on the byte that led there.
inline REXI_DfaRow* Walk(REXI_Dfa* dfa, REXI_DfaRow* from, const char*& cursor, const char*& last) {
    // Copies in locals: a byte read through a char pointer might otherwise be taken to alias them.
    const char* p = cursor;
    const char* accepted = last;
    REXI_DfaRow* row = from->next[At(p)];
    for (;;) {
        while (!row->stop) {
            ++p;
            if (row->accepting)
                accepted = p;
            from = row;
            row = row->next[At(p)];
        }
        if (row->skip != nullptr) {
            // Every byte up to the next skip byte leads back to this row.
            ++p;
            p += std::strcspn(p, row->skip);
            if (row->accepting)
                accepted = p;
            from = row;
            row = row->next[At(p)];
        } else if (row == &REXI_UnbuiltRow) {
            // Only an automaton has entries still to work out.
            row = dfa->Step(from, At(p));
        } else {
            break;
        }
    }
    cursor = p;
    last = accepted;
    return row;
}

} // namespace

inline bool REXI_Search::MatchAt(const char*& cursor) {
    // An accepting start row allows the empty match here, should nothing longer succeed.
    const char* last = m_startRow->accepting ? cursor : nullptr;
    if (Walk(m_dfa.get(), m_startRow, cursor, last)->accepting)
        return true;
    if (last != nullptr) {
        cursor = last;
        return true;
    }
    return false;
}

bool REXI_Search::AnyMatchFrom(const char* text) {
    if (m_anyMatch == nullptr)
        m_anyMatch = std::make_unique<REXI_Dfa>(m_dfa->Table(), true);
    const char* last = nullptr;
    return Walk(m_anyMatch.get(), m_anyMatch->StartRow(), text, last)->accepting || last != nullptr;
}

inline const char* REXI_Search::SkipToCandidate(const char* cursor) const {
    // A byte that no match can start with is skipped; the terminator's entry never leads there.
    if (m_jumpTable == nullptr) {
        REXI_DfaRow* const* const first = m_startRow->next;
        while (first[At(cursor)] == &REXI_NoTransitionRow)
            ++cursor;
        return cursor;
    }
    // So is one that no match can start with together with the byte after it.
    const REXI_MoveTable& table = *m_jumpTable;
    for (;;) {
        cursor += std::strcspn(cursor, table.firstBytes.c_str());
        const unsigned char byte = At(cursor);
        if (byte == m_terminator || table.secondBytes[table.firstIndex[byte]][At(cursor + 1)])
            return cursor;
        ++cursor;
    }
}

bool REXI_Search::Search(const char*& text, int& length, bool& atTerminator) {
    const char* matchStart = text;
    const char* cursor = text;
    bool found = false;
    if (m_literal != nullptr) {
        // The leftmost match of a single text is its first occurrence.
        const char* at = std::strstr(text, m_literal);
        found = at != nullptr;
        matchStart = found ? at : text + std::strlen(text);
        cursor = found ? at + m_literalLength : matchStart;
    } else if (m_commonSuffix != nullptr && std::strstr(text, m_commonSuffix) == nullptr) {
        // No match can end without the bytes every match ends with.
        cursor = matchStart = text + std::strlen(text);
    } else {
        int failedAtEnd = 0;
        for (;;) {
            cursor = matchStart = SkipToCandidate(cursor);
            // At the terminator only the empty match is left.
            if (At(cursor) == m_terminator) {
                found = m_startRow->accepting;
                break;
            }
            if (MatchAt(cursor)) {
                found = true;
                break;
            }
            // Attempts that fail only at the end of the text may be followed by many more that read it
            // to the end as well. Some patterns tell at once that none of them can succeed; otherwise,
            // after the second such attempt, one walk tells whether any later one can.
            if (At(cursor) == m_terminator &&
                (m_laterStartsCovered || (++failedAtEnd == 2 && !AnyMatchFrom(matchStart + 1)))) {
                matchStart = cursor;
                break;
            }
            // The next start not settled by the failed attempt.
            cursor = m_passedStartsCovered && cursor > matchStart ? cursor : matchStart + 1;
        }
    }
    m_textStart = text;
    m_matchStart = matchStart;
    m_cursor = cursor;
    atTerminator = At(cursor) == m_terminator;
    length = static_cast<int>(cursor - matchStart);
    text = cursor;
    return found;
}
