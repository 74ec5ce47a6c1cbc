#pragma once

#include "pattern/rexi_charset.h"
#include "pattern/rexi_token.h"

#include <string>

// Cuts a pattern into tokens. Blanks are skipped in front of tokens only; names, bracket classes and
// escapes are read byte by byte. Every error is thrown as REXA_Exception at the current token's start.
class REXI_Scanner {
public:
    REXI_Scanner();

    // Starts on a new NUL-terminated pattern; the current token becomes the end of the pattern until the
    // first NextToken.
    void Reset(const char* pattern);

    // Moves the cursor past any run of blanks and returns it.
    const char* SkipBlanks();

    // Reads one pattern character at the cursor with its escape and advances the cursor past it. escaped
    // tells whether a backslash introduced the character. Returns 0 at the end of the pattern (and for the
    // escape `\0`, which leaves the cursor on the `0`).
    static unsigned char ReadChar(const char*& cursor, bool& escaped);

    // Adds every byte value from the smaller of a and b to the larger, both included.
    static void AddRange(unsigned char a, unsigned char b, REXI_CharSet& set);

    // Reads the next token, stores it as the current one and returns its code.
    REXI_TokenCode NextToken();

    // Throws "<token> expected" at the current token unless it has the given code. Does not advance.
    void Expect(REXI_TokenCode code) const;

    // Throws the message at the current token's start.
    [[noreturn]] void Fail(const std::string& message) const;

    REXI_TokenCode Token() const { return m_token; }
    // The class of the current token when it is REXI_Class.
    const REXI_CharSet& Class() const { return m_class; }
    // The bytes of the current token as they stand in the pattern.
    std::string TokenText() const { return std::string(m_tokenStart, m_cursor); }
    const char* PatternStart() const { return m_patternStart; }
    const char* TokenStart() const { return m_tokenStart; }

private:
    void ReadBracketClass();

    const char* m_patternStart;
    const char* m_tokenStart;
    const char* m_cursor;
    REXI_TokenCode m_token = REXI_EndOfPattern;
    REXI_CharSet m_class;
};
