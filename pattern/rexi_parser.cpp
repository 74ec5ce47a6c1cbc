// The recursive-descent parser of the pattern language:
//   pattern := expr <end>
//   expr    := term { "|" term }
//   term    := factor { factor }
//   factor  := atom [ "*" | "+" | "?" | "\i" ]
//   atom    := name | class | "(" expr ")"
// Each rule starts on its first token and leaves the token after what it consumed as the current one.
#include "pattern/rexa_exception.h"
#include "pattern/rexi_compiler.h"
#include "pattern/rexi_limits.h"

#include <limits>
#include <utility>

REXI_State* REXI_Compiler::ParsePattern(std::string pattern) {
    // The states of an earlier compile are not used again once its automaton has been built.
    m_states.clear();
    // Ids count on across compiles; as no state of an earlier compile is left, they may start over
    // before they could run out.
    if (m_nextStateId > std::numeric_limits<int>::max() - 4 * REXI_MaxStates)
        m_nextStateId = 0;
    m_firstStateId = m_nextStateId;
    m_transitionCount = 0;
    m_groupDepth = 0;
    m_pattern = std::move(pattern);
    m_scanner.Reset(m_pattern.c_str());
    m_scanner.NextToken();
    REXI_State* piece = ParseExpr();
    if (m_scanner.Token() != REXI_EndOfPattern)
        m_scanner.Fail("unexpected symbol");
    return piece;
}

REXI_State* REXI_Compiler::ParseExpr() {
    REXI_State* left = ParseTerm();
    while (m_scanner.Token() == REXI_Bar) {
        m_scanner.NextToken();
        REXI_State* right = ParseTerm();
        left = Alternate(left, right);
    }
    return left;
}

REXI_State* REXI_Compiler::ParseTerm() {
    REXI_State* left = ParseFactor();
    while ((m_scanner.Token() & REXI_FactorStartMask) != 0) {
        REXI_State* right = ParseFactor();
        left = Concatenate(left, right);
    }
    return left;
}

REXI_State* REXI_Compiler::ParseFactor() {
    REXI_State* atom = ParseAtom();
    switch (m_scanner.Token()) {
    case REXI_Star:
        atom = Star(atom);
        break;
    case REXI_Plus:
        atom = Plus(atom);
        break;
    case REXI_Question:
        atom = MakeOptional(atom);
        break;
    case REXI_CaseFold:
        atom = CaseFold(atom);
        break;
    default:
        return atom;
    }
    m_scanner.NextToken();
    return atom;
}

REXI_State* REXI_Compiler::ParseAtom() {
    REXI_State* atom = nullptr;
    switch (m_scanner.Token()) {
    case REXI_Name:
        atom = LookupName(m_scanner.TokenText());
        break;
    case REXI_Class:
        atom = MakeClass(m_scanner.Class());
        break;
    case REXI_OpenParen:
        if (++m_groupDepth > REXI_MaxGroupDepth)
            m_scanner.Fail(REXI_TooComplexMessage);
        m_scanner.NextToken();
        atom = ParseExpr();
        m_scanner.Expect(REXI_CloseParen);
        --m_groupDepth;
        break;
    default:
        m_scanner.Fail("[,',( or ident expected");
    }
    m_scanner.NextToken();
    return atom;
}

REXI_State* REXI_Compiler::LookupName(const std::string& name) {
    const auto found = m_names.find(name);
    if (found == m_names.end())
        m_scanner.Fail(name + " not found in name dictionary");
    return Renumber(found->second);
}
