#pragma once

#include "model/drawing_surface.h"

class CQELTDoc;

// The one-page report of a reaction, drawn on a surface whose logical unit is 0.1 mm with the y axis
// pointing up: the page spans x 0..1800 and y 0..-2750. Every reactant and product gets a row with its
// coefficient, formula, molar mass, entered and computed amounts and, below it, how the amounts were
// described (solution or gas conditions) and what is left in excess; the limiting reagent is marked.
namespace printout {

// The page in 0.1 mm.
constexpr int kPageWidth = 1800;
constexpr int kPageHeight = 2750;

// Rows follow each other at this pitch; the line below a row sits this far under it.
constexpr int kRowPitch = 120;
constexpr int kConditionsDrop = 60;

// The three fonts of the page, Arial with their sizes in tenths of a point turned into 0.1 mm.
struct Fonts {
    FontSpec small;  // 7.5 pt: column heads, condition lines, sub- and superscripts, the footnote
    FontSpec normal; // 10 pt: formulas and numbers
    FontSpec bold;   // 10 pt bold: headings and coefficients
};
Fonts MakeFonts();

// An Arial font of the size in tenths of a point, as a character height in 0.1 mm.
FontSpec PointFont(int tenthsOfPoint, int weight);

// The whole page.
void DrawReaction(DrawingSurface& dc, const CQELTDoc& document);

// The heads of the amount columns at y: "MW", "mass", "moles", and the computed "mass" and "moles" when the
// document has results.
void DrawColumnHeads(DrawingSurface& dc, const FontSpec& small, int y, bool resultsExist);

// One reactant or product row at y; a coefficient of 0 or below is not printed.
void DrawReagentRow(DrawingSurface& dc, const Fonts& fonts, int row, int coefficient, int y,
                    const CQELTDoc& document);

} // namespace printout
