#pragma once

#include "pattern/rexi_token.h"

#include <exception>
#include <string>

// A malformed pattern: what is wrong, and the offset in bytes of the offending token from the pattern's
// first byte. Thrown by value by the scanner and the parser, caught by reference.
class REXA_Exception : public std::exception {
public:
    REXA_Exception(std::string message, const char* tokenStart, const char* patternStart);
    // "<token> expected\r\n  " for a token that should have stood at tokenStart.
    REXA_Exception(REXI_TokenCode expected, const char* tokenStart, const char* patternStart);
    // An error that concerns the whole pattern rather than one token.
    REXA_Exception(std::string message, int position);

    const std::string& Message() const { return m_message; }
    int Position() const { return m_position; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
    int m_position;
};
