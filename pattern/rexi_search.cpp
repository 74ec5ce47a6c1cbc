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

} // namespace

REXI_Base::REXI_Base(unsigned char terminator)
    : m_terminator(terminator), m_textStart(kEmptyText), m_matchStart(kEmptyText), m_cursor(kEmptyText),
      m_compiler(std::make_unique<REXI_Compiler>(terminator)) {}

REXI_Base::~REXI_Base() = default;

std::unique_ptr<REXI_Dfa> REXI_Base::CompileToDfa(std::string pattern) {
    const REXI_State* piece = m_compiler->ParsePattern(std::move(pattern));
    return std::make_unique<REXI_Dfa>(piece, m_terminator);
}

REXI_Status REXI_Base::SetPattern(std::string pattern) {
    REXI_Status result;
    try {
        m_dfa = CompileToDfa(std::move(pattern));
        m_startRow = m_dfa->StartRow();
        m_firstBytes = m_dfa->FirstBytes();
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
    REXI_DfaRow* row = from->next[At(cursor)];
    for (;;) {
        while (!row->stop) {
            ++cursor;
            if (row->accepting)
                last = cursor;
            from = row;
            row = row->next[At(cursor)];
        }
        if (row != &REXI_UnbuiltRow)
            return row;
        // Only an automaton has entries still to work out.
        row = dfa->Step(from, At(cursor));
    }
}

} // namespace

bool REXI_Search::MatchAt() {
    m_matchStart = m_cursor;
    // An accepting start row allows the empty match here, should nothing longer succeed.
    const char* last = m_startRow->accepting ? m_cursor : nullptr;
    if (Walk(m_dfa.get(), m_startRow, m_cursor, last)->accepting)
        return true;
    if (last != nullptr) {
        m_cursor = last;
        return true;
    }
    return false;
}

bool REXI_Search::AnyMatchFrom(const char* text) {
    if (m_anyMatch == nullptr)
        m_anyMatch = m_dfa->MakeUnanchored();
    const char* last = nullptr;
    return Walk(m_anyMatch.get(), m_anyMatch->StartRow(), text, last)->accepting || last != nullptr;
}

bool REXI_Search::Search(const char*& text, int& length, bool& atTerminator) {
    m_textStart = m_cursor = m_matchStart = text;
    REXI_DfaRow* const* first = m_startRow->next;
    bool found = false;
    bool restChecked = false;
    for (;;) {
        // A byte that no match can start with is skipped; the terminator's entry never leads there.
        if (m_firstBytes != nullptr) {
            m_cursor += std::strcspn(m_cursor, m_firstBytes);
        } else {
            while (first[At(m_cursor)] == &REXI_NoTransitionRow)
                ++m_cursor;
        }
        if (first[At(m_cursor)] == &REXI_UnbuiltRow) {
            m_dfa->Step(m_startRow, At(m_cursor));
            continue;
        }
        if (MatchAt()) {
            found = true;
            break;
        }
        if (At(m_matchStart) == m_terminator)
            break;
        // An attempt that failed only at the end of the text may be followed by many more that read it
        // to the end as well; one walk tells whether any of them can succeed.
        if (At(m_cursor) == m_terminator && !restChecked) {
            restChecked = true;
            if (!AnyMatchFrom(m_matchStart + 1)) {
                m_matchStart = m_cursor;
                break;
            }
        }
        m_cursor = m_matchStart + 1;
    }
    atTerminator = At(m_cursor) == m_terminator;
    length = static_cast<int>(m_cursor - m_matchStart);
    text = m_cursor;
    return found;
}
