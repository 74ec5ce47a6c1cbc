#pragma once

#include "model/color_ref.h"
#include "model/drawing_surface.h"

#include <string>
#include <vector>

class CQELTDoc;

// The balanced equation the default view draws above its results: each reagent's term (coefficient and
// formula) centred over its column, "+" between the terms of a side and "=" between the sides.
namespace equation_line {

// Coefficient colours (COLORREF values): automatic coefficients green; manual ones blue while they balance
// the reaction and red while they do not.
inline constexpr ColorRef kAutomaticColor = 0x008000;
inline constexpr ColorRef kManualBalancedColor = 0xFF0000;
inline constexpr ColorRef kManualUnbalancedColor = 0x0000FF;

// The fonts of the line: Arial bold, 24 units for normal characters and the signs, 12 for sub- and
// superscripts.
FontSpec BigFont();
FontSpec SmallFont();

struct Term {
    int row = 0;
    // Formula text with its coefficient, as ChemicalFormula reads it; empty when nothing is drawn.
    std::string text;
    ColorRef coefficientColor = kAutomaticColor;
};

// The term of a row: "?" and the formula while the reaction has neither balanced coefficients nor manual
// coefficients; otherwise the coefficient and the formula, the coefficient left out when it is 1 and
// automatic. An empty formula gives an empty term.
Term BuildTerm(const CQELTDoc& document, int row);

// Where the line is drawn: the equation placeholder of each row shown, the placeholder of the template row
// (its centre is the reference of the signs), the column pitch and the extra gap before the products.
struct Layout {
    struct Cell {
        int row = 0;
        SurfaceRect rect;
    };
    std::vector<Cell> cells;
    SurfaceRect templateRect;
    int pitchX = 0;
    int productOffsetX = 0;
    int nReactants = 0;
    int nProducts = 0;
    // The width of the form the line is drawn on: no term reaches past its edges.
    int pageWidth = 0;
    // The colour behind the placeholders.
    ColorRef background = 0xF0F0F0;
};

// Draws every term and sign of the line, or, given the rectangle that needs painting, those that reach into
// it (a long reaction's line is far wider than the window). A term wider than the room between the signs (or
// the form's edge) on either side of its column is shrunk to fit that room; the others are drawn at the
// line's fonts.
void Draw(DrawingSurface& surface, const CQELTDoc& document, const Layout& layout,
          const SurfaceRect* visible = nullptr);

} // namespace equation_line
