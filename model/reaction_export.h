#pragma once

#include <string>

class CQELTDoc;

// The reaction as one line of text for other programs: every reactant and product with its coefficient,
// in one of the mark-up syntaxes the clipboard commands offer. Text is 8-bit Windows-1252, as the
// document holds it.
enum class ReactionSyntax {
    Text,  // formulas as typed: "2H2 + O2 -> 2H2O"
    Html,  // "2H<sub>2</sub> + O<sub>2</sub> &rarr; 2H<sub>2</sub>O"
    Ubbc,  // forum mark-up: "2H[sub]2[/sub] + O[sub]2[/sub] -> 2H[sub]2[/sub]O"
    LaTeX, // "2\textrm{H}_{2}+\textrm{O}_{2}\rightarrow2\textrm{H}_{2}\textrm{O}"
    Rtf,   // a whole RTF document: "{\rtf1\ansi{2H{\sub 2} + O{\sub 2} -> 2H{\sub 2}O}}"
};

// Whether the reaction has coefficients to write: it is balanced, or the user types the coefficients.
bool CanExportReaction(const CQELTDoc& document);

// The reaction in the syntax. A balanced coefficient of 1 is left out; in manual mode every coefficient is
// written, 1 included. Without coefficients (not balanced, automatic mode) the formulas stand alone.
std::string ReactionText(const CQELTDoc& document, ReactionSyntax syntax);
