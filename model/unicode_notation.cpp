#include "model/unicode_notation.h"

namespace {

// A subscript digit's plain digit, or 0.
char SubscriptDigit(char32_t c) {
    return c >= 0x2080 && c <= 0x2089 ? static_cast<char>('0' + (c - 0x2080)) : 0;
}

// A superscript's plain character, or 0. `ownByte` tells the three that Windows-1252 has bytes for.
char Superscript(char32_t c, bool* ownByte = nullptr) {
    if (ownByte != nullptr)
        *ownByte = c == 0xB9 || c == 0xB2 || c == 0xB3;
    switch (c) {
    case 0x2070:
        return '0';
    case 0xB9:
        return '1';
    case 0xB2:
        return '2';
    case 0xB3:
        return '3';
    case 0x207A:
        return '+';
    case 0x207B:
        return '-';
    default:
        return c >= 0x2074 && c <= 0x2079 ? static_cast<char>('4' + (c - 0x2074)) : 0;
    }
}

bool IsArrow(char32_t c) {
    return c == 0x2192 || c == 0x27F6 || c == 0x21CC || c == 0x21CB || c == 0x21C4;
}

bool IsBlank(char32_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

bool IsZeroWidth(char32_t c) {
    return c == 0x200B || c == 0xFEFF;
}

// How one term is written.
struct TermNotation {
    bool extended = false;
    bool ownByteSuperscripts = false; // ¹ ² ³ are superscripts
    bool digitsAreSubscripts = false; // a plain term turned extended: its digits keep their subscript look
};

TermNotation NotationOf(std::u32string_view term) {
    bool subscripts = false;
    bool superscripts = false;
    bool ownByteOnes = false;
    bool marks = false;
    for (const char32_t c : term) {
        bool ownByte = false;
        if (SubscriptDigit(c) != 0)
            subscripts = true;
        else if (Superscript(c, &ownByte) != 0)
            (ownByte ? ownByteOnes : superscripts) = true;
        else if (c == '_' || c == '^' || c == '&' || c == ',')
            marks = true;
    }
    TermNotation notation;
    notation.ownByteSuperscripts = superscripts || subscripts;
    notation.extended = superscripts || (subscripts && (ownByteOnes || marks));
    notation.digitsAreSubscripts = notation.extended && !marks;
    return notation;
}

// Writes a term; false (and the character) when one has no byte.
bool WriteTerm(std::u32string_view term, std::string& out, char32_t& refused) {
    const TermNotation notation = NotationOf(term);
    // The leading coefficient's digits stay normal; in a plain term every later digit is a subscript.
    std::size_t coefficientEnd = 0;
    while (coefficientEnd < term.size() && term[coefficientEnd] >= '0' && term[coefficientEnd] <= '9')
        ++coefficientEnd;
    const auto subscript = [&](std::size_t at) -> char {
        const char32_t c = term[at];
        if (notation.digitsAreSubscripts && at >= coefficientEnd && c >= '0' && c <= '9')
            return static_cast<char>(c);
        return SubscriptDigit(c);
    };
    std::size_t i = 0;
    while (i < term.size()) {
        const char32_t c = term[i];
        bool ownByte = false;
        const bool superscript = Superscript(c, &ownByte) != 0 && (!ownByte || notation.ownByteSuperscripts);
        const bool sub = subscript(i) != 0;
        if (sub || superscript) {
            // A run of the same kind.
            std::string run;
            for (; i < term.size(); ++i) {
                const char plain = sub ? subscript(i) : Superscript(term[i]);
                if (plain == 0)
                    break;
                run += plain;
            }
            if (!notation.extended)
                out += run;
            else
                out += std::string(1, sub ? '_' : '^') + (run.size() > 1 ? "{" + run + "}" : run);
            continue;
        }
        if (c == 0x22C5 || c == 0x2219) {
            out += '\xB7';
        } else if (c == 0x2212) {
            out += '-';
        } else if (!IsZeroWidth(c)) {
            const std::optional<char> byte = cp1252::FromUnicode(c);
            if (!byte) {
                refused = c;
                return false;
            }
            out += *byte;
        }
        ++i;
    }
    return true;
}

} // namespace

cp1252::Encoded UnicodeToNotation(std::u32string_view text) {
    cp1252::Encoded result;
    std::string& out = result.bytes;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            out += text[i] == '\t' || text[i] == '\r' || text[i] == '\n' ? static_cast<char>(text[i]) : ' ';
            ++i;
        } else if (IsArrow(text[i])) {
            out += "->";
            ++i;
        } else {
            std::size_t end = i;
            while (end < text.size() && !IsBlank(text[end]) && !IsArrow(text[end]))
                ++end;
            char32_t refused = 0;
            if (!WriteTerm(text.substr(i, end - i), out, refused)) {
                result.bytes.clear();
                result.refused = refused;
                return result;
            }
            i = end;
        }
    }
    return result;
}
