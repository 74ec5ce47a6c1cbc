#include "pattern/rexa_exception.h"

#include <utility>

REXA_Exception::REXA_Exception(std::string message, const char* tokenStart, const char* patternStart)
    : REXA_Exception(std::move(message), static_cast<int>(tokenStart - patternStart)) {}

REXA_Exception::REXA_Exception(std::string message, int position)
    : m_message(std::move(message)), m_position(position) {}

REXA_Exception::REXA_Exception(REXI_TokenCode expected, const char* tokenStart, const char* patternStart)
    : REXA_Exception(REXI_TokenText(expected) + " expected\r\n  ", tokenStart, patternStart) {}
