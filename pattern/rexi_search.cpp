#include "pattern/rexi_search.h"

#include "pattern/rexa_exception.h"
#include "pattern/rexi_compiler.h"
#include "pattern/rexi_dfa.h"

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

REXI_Base::~REXI_Base() {
    REXI_Dfa::FreeRows(m_startRow);
}

REXI_DfaRow* REXI_Base::CompileToDfa(std::string pattern) {
    const REXI_State* piece = m_compiler->ParsePattern(std::move(pattern));
    REXI_Dfa dfa(piece, m_terminator);
    return dfa.Build();
}

REXI_Status REXI_Base::SetPattern(std::string pattern) {
    REXI_Status result;
    try {
        REXI_DfaRow* start = CompileToDfa(std::move(pattern));
        REXI_Dfa::FreeRows(m_startRow);
        m_startRow = start;
    } catch (const REXA_Exception& e) {
        result.status = 2;
        result.message = e.Message();
        result.position = e.Position();
    }
    return result;
}

REXI_Search::REXI_Search(unsigned char terminator) : REXI_Base(terminator) {}

REXI_Search::~REXI_Search() = default;

bool REXI_Search::MatchAt() {
    m_matchStart = m_cursor;
    // An accepting start row allows the empty match here, should nothing longer succeed.
    const char* last = m_startRow->accepting ? m_cursor : nullptr;
    const REXI_DfaRow* row = m_startRow->next[At(m_cursor)];
    while (!row->stop) {
        ++m_cursor;
        if (row->accepting)
            last = m_cursor;
        row = row->next[At(m_cursor)];
    }
    if (row->accepting)
        return true;
    if (last != nullptr) {
        m_cursor = last;
        return true;
    }
    return false;
}

bool REXI_Search::Search(const char*& text, int& length, bool& atTerminator) {
    m_textStart = m_cursor = m_matchStart = text;
    bool found = false;
    for (;;) {
        // A byte that no match can start with is skipped; the terminator's entry never leads there.
        if (m_startRow->next[At(m_cursor)] == &REXI_NoTransitionRow) {
            ++m_cursor;
            continue;
        }
        if (MatchAt()) {
            found = true;
            break;
        }
        if (At(m_matchStart) == m_terminator)
            break;
        m_cursor = m_matchStart + 1;
    }
    atTerminator = At(m_cursor) == m_terminator;
    length = static_cast<int>(m_cursor - m_matchStart);
    text = m_cursor;
    return found;
}
