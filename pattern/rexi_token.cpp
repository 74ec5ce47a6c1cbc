#include "pattern/rexi_token.h"

const REXI_TokenName REXI_TokenNames[10] = {
    {REXI_EndOfPattern, "end of string"},
    {REXI_IllegalChar, "illegal character"},
    {REXI_Star, "*"},
    {REXI_Plus, "+"},
    {REXI_Equals, "="},
    {REXI_Question, "?"},
    {REXI_Bar, "|"},
    {REXI_Class, "[<characters>]"},
    {REXI_OpenParen, "("},
    {REXI_CloseParen, ")"},
};

std::string REXI_TokenText(int code) {
    for (const REXI_TokenName& row : REXI_TokenNames) {
        if (row.code == code)
            return row.text;
    }
    return {};
}
