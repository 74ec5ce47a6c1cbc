#pragma once

#include "pattern/rexi_dfa_row.h"

#include <cstddef>
#include <memory>
#include <string>

class REXI_Compiler;
class REXI_Dfa;
struct REXI_MoveTable;

// The result of setting a pattern.
struct REXI_Status {
    int status = 0;      // 0 compiled, 2 the pattern has an error
    std::string message; // empty on success
    int position = 0;    // offset of the offending token in the pattern; 0 on success
};

// A compiled pattern: owns the compiler and the current automaton.
class REXI_Base {
public:
    // terminator: the byte that ends every text searched.
    explicit REXI_Base(unsigned char terminator);
    REXI_Base(const REXI_Base&) = delete;
    REXI_Base& operator=(const REXI_Base&) = delete;
    virtual ~REXI_Base();

    // Compiles the pattern (up to its first NUL). On success the new automaton replaces the current one;
    // on an error the current one stays in force and the status carries the message and position.
    REXI_Status SetPattern(std::string pattern);

protected:
    // Compiles the pattern to its deterministic automaton, whose rows are made as searches reach them;
    // throws REXA_Exception.
    std::unique_ptr<REXI_Dfa> CompileToDfa(std::string pattern);

    unsigned char m_terminator;
    const char* m_textStart;
    const char* m_matchStart;
    const char* m_cursor;
    std::unique_ptr<REXI_Compiler> m_compiler;
    std::unique_ptr<REXI_Dfa> m_dfa;             // none before the first successful compile
    REXI_DfaRow* m_startRow = &REXI_InitialRow;  // the automaton's start row, which stays the same row
    const REXI_MoveTable* m_jumpTable = nullptr; // the automaton's table, when searching jumps to first bytes
    const char* m_literal = nullptr; // the one text the pattern matches, when searched for as such
    std::size_t m_literalLength = 0;
    const char* m_commonSuffix = nullptr; // the bytes every match ends with, when worth looking for
    bool m_laterStartsCovered = false;    // an attempt failing at the end settles every later one
    bool m_passedStartsCovered = false;   // a failed attempt settles every start it passed
    std::unique_ptr<REXI_Dfa> m_anyMatch; // made from the automaton when a search first needs it
};

// Searches texts for the leftmost match of the pattern, the longest one there.
class REXI_Search : public REXI_Base {
public:
    explicit REXI_Search(unsigned char terminator);
    ~REXI_Search() override;

    // Searches the text, which must end with the terminator. Returns whether a match was found. Either
    // way text is moved to the end of the match (or to where the search stopped), length is the match's
    // length, so that the match starts at text - length, and atTerminator tells whether text now points
    // at the terminator.
    bool Search(const char*& text, int& length, bool& atTerminator);

private:
    // One anchored attempt at the cursor: on success the cursor is moved to the end of the match, on
    // failure to where the walk stopped.
    bool MatchAt(const char*& cursor);
    // Whether a match starts anywhere from the text position on.
    bool AnyMatchFrom(const char* text);
    // The first position from the cursor on where a match may start, or the terminator.
    const char* SkipToCandidate(const char* cursor) const;
};
