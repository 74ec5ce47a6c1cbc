#pragma once

#include <string>

// Token codes of the pattern language. Each is a single bit, so that the parser can test a token against a
// mask of several codes at once.
enum REXI_TokenCode : int {
    REXI_EndOfPattern = 1,
    REXI_IllegalChar = 2, // never produced by the scanner; kept for the token-name table
    REXI_Name = 4,        // `$` followed by a name
    REXI_Star = 32,
    REXI_Plus = 64,
    REXI_Equals = 128, // a token of its own that no grammar rule accepts
    REXI_Question = 256,
    REXI_Bar = 512,
    REXI_Class = 1024, // a single character, `.` or a bracket class
    REXI_OpenParen = 2048,
    REXI_CloseParen = 4096,
    REXI_CaseFold = 8192, // the postfix `\i`
};

// The tokens that can start a factor: a class, `(` or a name.
inline constexpr int REXI_FactorStartMask = REXI_Class | REXI_OpenParen | REXI_Name;

struct REXI_TokenName {
    int code;
    const char* text;
};

// The printable name of each token that has one, in the order of the codes.
extern const REXI_TokenName REXI_TokenNames[10];

// The name of a token, or the empty string for a token without one (a name reference, `\i`).
std::string REXI_TokenText(int code);
