#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reading a reaction typed or pasted as one line of text, such as "2H2 + O2 = 2H2O" or
// "H<sub>2</sub> + O<sub>2</sub> &rarr; H<sub>2</sub>O".

// Rewrites the text into formula notation with the terms separated by single blanks: "." becomes the hydrate
// mark "&", forum and HTML sub- and superscripts become "_{...}" and "^{...}", tabs and line breaks become
// blanks, every arrow becomes " = ", a "+" after a blank (a separating plus, not a charge) goes, runs of "-"
// and of blanks shrink to one, and blanks are trimmed from both ends.
std::string NormalizeReactionString(std::string text);

// The leading integer of a term as the C library's atoi reads it (leading white space, an optional sign,
// decimal digits), except that a value beyond the int range is clamped to it instead of being undefined.
int ReadLeadingInteger(std::string_view text);

// One term of a normalised reaction: "=" or a formula with an optional leading coefficient.
struct ReactionTerm {
    bool isSeparator = false; // the "=" between the sides
    int coefficient = 1;      // the leading integer; 0 or none gives 1
    std::string formula;      // the term without its leading digits; empty when it was a bare number
};

// Cuts a normalised text at its blanks into terms.
std::vector<ReactionTerm> SplitReactionTerms(std::string_view normalized);
