#include "model/reaction_export.h"

#include "model/chemical_formula.h"
#include "model/qelt_doc.h"

#include <string_view>
#include <vector>

namespace {

std::string RenderFormula(const std::string& text, ReactionSyntax syntax) {
    if (syntax == ReactionSyntax::Text)
        return text;
    ChemicalFormula formula;
    formula.SetText(text, true);
    switch (syntax) {
    case ReactionSyntax::Html:
        return formula.ToHTML();
    case ReactionSyntax::Ubbc:
        return formula.ToUBBC();
    case ReactionSyntax::LaTeX:
        return formula.ToLaTeX();
    case ReactionSyntax::Rtf:
        return formula.ToRTF();
    case ReactionSyntax::Text:
        break;
    }
    return text;
}

std::string_view Arrow(ReactionSyntax syntax) {
    switch (syntax) {
    case ReactionSyntax::Html:
        return "&rarr; ";
    case ReactionSyntax::LaTeX:
        return "\\rightarrow";
    default:
        return "-> ";
    }
}

// The coefficient in front of a formula: the balanced one unless it is 1, or in manual mode the typed one.
std::string CoefficientText(const CQELTDoc& document, int packedIndex) {
    if (document.IsManualCoefficients())
        return std::to_string(document.GetManualCoefficient(packedIndex));
    const std::vector<int>& balanced = document.GetBalancedCoefficients();
    if (packedIndex < static_cast<int>(balanced.size()) && balanced[packedIndex] != 1)
        return std::to_string(balanced[packedIndex]);
    return {};
}

// The terms of one side, each its coefficient and rendered formula.
std::vector<std::string> SideTerms(const CQELTDoc& document, bool reactants, ReactionSyntax syntax) {
    const int count = reactants ? document.GetReactantCount() : document.GetProductCount();
    const int firstRow = reactants ? 0 : CQELTDoc::kFirstProductRow;
    std::vector<std::string> terms;
    for (int k = 0; k < count; ++k) {
        const int row = firstRow + k;
        const CQELTReagent* reagent = document.GetReagent(row);
        const std::string formula = reagent ? reagent->GetFormula() : std::string();
        terms.push_back(CoefficientText(document, document.PackedIndex(row)) +
                        RenderFormula(formula, syntax));
    }
    return terms;
}

std::string Join(const std::vector<std::string>& terms, std::string_view separator) {
    std::string joined;
    for (std::size_t k = 0; k < terms.size(); ++k) {
        if (k > 0)
            joined += separator;
        joined += terms[k];
    }
    return joined;
}

} // namespace

bool CanExportReaction(const CQELTDoc& document) {
    return document.HasBalancedCoefficients() || document.IsManualCoefficients();
}

std::string ReactionText(const CQELTDoc& document, ReactionSyntax syntax) {
    const bool latex = syntax == ReactionSyntax::LaTeX;
    const std::string_view separator = latex ? "+" : " + ";

    std::string text;
    if (syntax == ReactionSyntax::Rtf)
        text = "{\\rtf1\\ansi{";
    const std::vector<std::string> reactants = SideTerms(document, true, syntax);
    text += Join(reactants, separator);
    // One blank stands between the last reactant and the arrow (none in LaTeX).
    if (!latex && !reactants.empty())
        text += ' ';
    text += Arrow(syntax);
    text += Join(SideTerms(document, false, syntax), separator);
    if (syntax == ReactionSyntax::Rtf)
        text += "}}";
    return text;
}
