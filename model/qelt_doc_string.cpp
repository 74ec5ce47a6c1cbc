#include "model/chemical_formula.h"
#include "model/qelt_doc.h"
#include "model/reaction_string.h"

bool CQELTDoc::SetFromString(std::string text) {
    if (text.empty())
        return false;

    // A fresh table of manual coefficients; the entries the text does not set stay 1.
    m_manual.fill(1);
    std::vector<std::unique_ptr<CQELTReagent>> sides[2];
    int side = 0;
    int position = 0;
    for (const ReactionTerm& term : SplitReactionTerms(NormalizeReactionString(std::move(text)))) {
        if (term.isSeparator) {
            side = 1;
            continue;
        }
        m_manual[position] = term.coefficient;
        if (term.formula.empty())
            continue; // a bare number: the next reagent's coefficient overwrites it
        if (static_cast<int>(sides[side].size()) == kMaxReagentsPerSide)
            return false; // more reagents on a side than a reaction can hold
        auto reagent = std::make_unique<CQELTReagent>();
        reagent->SetFormulaText(term.formula);
        ChemicalFormula formula;
        formula.SetText(term.formula, true);
        reagent->SetMolarMass(formula.GetMolarMass());
        sides[side].push_back(std::move(reagent));
        ++position;
    }
    if (sides[0].empty() || sides[1].empty())
        return false;
    ReplaceRows(std::move(sides[0]), std::move(sides[1]));
    return true;
}
