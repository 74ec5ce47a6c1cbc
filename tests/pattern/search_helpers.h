#pragma once

#include "pattern/rexi_search.h"

#include <ostream>
#include <string>

// Where a search found its match: start -1 when nothing was found.
struct Found {
    int start = -1;
    int length = 0;

    friend bool operator==(const Found&, const Found&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Found& f) {
        if (f.start < 0)
            return out << "not found";
        return out << "at " << f.start << " length " << f.length;
    }
};

inline Found FindIn(REXI_Search& search, const std::string& text) {
    const char* p = text.c_str();
    int length = -1;
    bool atTerminator = false;
    if (!search.Search(p, length, atTerminator))
        return {};
    return {static_cast<int>(p - length - text.c_str()), length};
}

// The text with control and high bytes written as escapes, for messages.
inline std::string Escaped(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}
