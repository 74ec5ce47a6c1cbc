#pragma once

#include <string>

// One formula for other programs, in the syntaxes of the clipboard commands. Text is 8-bit Windows-1252.
namespace formula_copy {

enum class Syntax {
    Text,  // the formula as typed, with its rich text beside it
    Html,  // "H<sub>2</sub>SO<sub>4</sub>", with the rich text beside it
    Ubbc,  // "H[sub]2[/sub]SO[sub]4[/sub]"
    LaTeX, // "\textrm{H}_{2}\textrm{SO}_{4}"
};

// The formula text in the syntax (plain text: the text as it is).
std::string Render(const std::string& formula, Syntax syntax);
// A whole RTF document holding the formula with its subscripts and superscripts.
std::string RichText(const std::string& formula);

// Replaces the clipboard's content with the formula in the syntax and, for plain text and HTML, adds the
// rich text beside it. A clipboard that cannot be used is passed over without a message.
void Copy(const std::string& formula, Syntax syntax);

} // namespace formula_copy
