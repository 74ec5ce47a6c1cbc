#include "pattern/rexi_scanner.h"

#include "pattern/rexa_exception.h"

namespace {

const char kEmptyPattern[] = "";

// The plain ASCII classification; bytes 128-255 are none of these.
bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// The value of a hexadecimal digit, or -1.
int HexValue(unsigned char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

unsigned char At(const char* p) {
    return static_cast<unsigned char>(*p);
}

} // namespace

REXI_Scanner::REXI_Scanner()
    : m_patternStart(kEmptyPattern), m_tokenStart(kEmptyPattern), m_cursor(kEmptyPattern) {}

void REXI_Scanner::Reset(const char* pattern) {
    m_patternStart = m_tokenStart = m_cursor = pattern;
    m_token = REXI_EndOfPattern;
    m_class.reset();
}

const char* REXI_Scanner::SkipBlanks() {
    while (IsBlank(At(m_cursor)))
        ++m_cursor;
    return m_cursor;
}

unsigned char REXI_Scanner::ReadChar(const char*& cursor, bool& escaped) {
    const unsigned char c = At(cursor);
    escaped = false;
    if (c == 0)
        return 0;
    ++cursor;
    if (c != '\\')
        return c;

    escaped = true;
    const unsigned char e = At(cursor);
    switch (e) {
    case 0:
        // A backslash that ends the pattern stands for itself; the cursor stays on the end.
        return '\\';
    case '0':
        // Yields 0 and leaves the cursor on the `0`: the caller sees the end of a bracket class.
        return 0;
    case 'a':
        ++cursor;
        return 7;
    case 'b':
        ++cursor;
        return 8;
    case 'n':
        ++cursor;
        return 10;
    case 'r':
        ++cursor;
        return 13;
    case 't':
        ++cursor;
        return 9;
    case 'v':
        ++cursor;
        return 11;
    case 'x': {
        ++cursor;
        const int high = HexValue(At(cursor));
        if (high < 0)
            return 'x';
        const int low = HexValue(At(cursor + 1));
        if (low < 0)
            return 'x';
        cursor += 2;
        return static_cast<unsigned char>(16 * high + low);
    }
    default:
        ++cursor;
        return e;
    }
}

void REXI_Scanner::AddRange(unsigned char a, unsigned char b, REXI_CharSet& set) {
    const unsigned lo = a < b ? a : b;
    const unsigned hi = a < b ? b : a;
    for (unsigned v = lo; v <= hi; ++v)
        set.set(v);
}

REXI_TokenCode REXI_Scanner::NextToken() {
    SkipBlanks();
    m_tokenStart = m_cursor;
    const unsigned char c = At(m_cursor);
    switch (c) {
    case 0:
        m_token = REXI_EndOfPattern;
        return m_token;
    case '(':
        m_token = REXI_OpenParen;
        break;
    case ')':
        m_token = REXI_CloseParen;
        break;
    case '*':
        m_token = REXI_Star;
        break;
    case '+':
        m_token = REXI_Plus;
        break;
    case '=':
        m_token = REXI_Equals;
        break;
    case '?':
        m_token = REXI_Question;
        break;
    case '|':
        m_token = REXI_Bar;
        break;
    case '.':
        m_token = REXI_Class;
        m_class.set();
        break;
    case '[':
        ++m_cursor;
        ReadBracketClass();
        m_token = REXI_Class;
        return m_token;
    default:
        if (c == '$' && (IsLetter(At(m_cursor + 1)) || At(m_cursor + 1) == '_')) {
            ++m_cursor;
            while (IsLetter(At(m_cursor)) || IsDigit(At(m_cursor)) || At(m_cursor) == '_')
                ++m_cursor;
            m_token = REXI_Name;
            return m_token;
        }
        if (c == '\\' && At(m_cursor + 1) == 'i') {
            m_cursor += 2;
            m_token = REXI_CaseFold;
            return m_token;
        }
        bool escaped = false;
        m_class.reset();
        m_class.set(ReadChar(m_cursor, escaped));
        m_token = REXI_Class;
        return m_token;
    }
    ++m_cursor;
    return m_token;
}

void REXI_Scanner::ReadBracketClass() {
    // The cursor is past the `[`; the token start is on it, which is where a missing `]` is reported.
    static const char kMissing[] = "closing ] missing";
    m_class.reset();
    bool escaped = false;
    unsigned char c = ReadChar(m_cursor, escaped);
    bool complement = false;
    if (c == '^' && !escaped) {
        complement = true;
        c = ReadChar(m_cursor, escaped);
    }
    if (c == 0)
        Fail(kMissing);
    while (c != ']' || escaped) {
        bool nextEscaped = false;
        unsigned char n = ReadChar(m_cursor, nextEscaped);
        if (n == '-' && !nextEscaped) {
            bool endEscaped = false;
            const unsigned char m = ReadChar(m_cursor, endEscaped);
            if (m == 0)
                Fail(kMissing);
            AddRange(c, m, m_class);
            n = ReadChar(m_cursor, nextEscaped);
        } else {
            m_class.set(c);
        }
        c = n;
        escaped = nextEscaped;
        if (c == 0)
            Fail(kMissing);
    }
    if (complement)
        m_class.flip();
}

void REXI_Scanner::Expect(REXI_TokenCode code) const {
    if (m_token != code)
        throw REXA_Exception(code, m_tokenStart, m_patternStart);
}

void REXI_Scanner::Fail(const std::string& message) const {
    throw REXA_Exception(message, m_tokenStart, m_patternStart);
}
