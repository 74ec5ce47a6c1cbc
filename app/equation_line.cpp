#include "app/equation_line.h"

#include "model/chemical_formula.h"
#include "model/qelt_doc.h"

#include <algorithm>
#include <limits>

namespace equation_line {

FontSpec BigFont() {
    return FontSpec{"Arial", 24, 700, FontSpec::kVariableSwiss};
}

FontSpec SmallFont() {
    return FontSpec{"Arial", 12, 700, FontSpec::kVariableSwiss};
}

Term BuildTerm(const CQELTDoc& document, int row) {
    Term term;
    term.row = row;
    const CQELTReagent* reagent = document.GetReagent(row);
    if (reagent == nullptr || reagent->GetFormula().empty())
        return term;
    const std::string& formula = reagent->GetFormula();
    const bool manual = document.IsManualCoefficients();
    const int packed = document.PackedIndex(row);
    const std::vector<int>& balanced = document.GetBalancedCoefficients();
    const bool known = manual || (document.HasBalancedCoefficients() && packed >= 0 &&
                                  packed < static_cast<int>(balanced.size()));
    if (!known) {
        term.text = "?" + formula;
        return term;
    }
    const int coefficient =
        manual ? document.GetManualCoefficient(packed) : balanced[static_cast<std::size_t>(packed)];
    term.text = (coefficient == 1 && !manual) ? formula : std::to_string(coefficient) + formula;
    if (!manual)
        term.coefficientColor = kAutomaticColor;
    else
        term.coefficientColor = document.IsBalanced() ? kManualBalancedColor : kManualUnbalancedColor;
    return term;
}

namespace {

struct Sign {
    int x = 0; // the middle
    const char* text = "";
    int width = 0;
};

// The signs between the terms: "+" midway between the columns of a side, "=" midway between the sides.
std::vector<Sign> Signs(DrawingSurface& surface, const FontSpec& font, const Layout& layout) {
    std::vector<Sign> signs;
    const int x0 = (layout.templateRect.left + layout.templateRect.right) / 2;
    const int px = layout.pitchX;
    for (int k = 1; k < layout.nReactants; ++k)
        signs.push_back({x0 + k * px - px / 2, "+"});
    for (int k = 1; k < layout.nProducts; ++k)
        signs.push_back({x0 + (layout.nReactants + k) * px + layout.productOffsetX - px / 2, "+"});
    if (layout.nReactants > 0 || layout.nProducts > 0)
        signs.push_back({x0 + layout.nReactants * px + layout.productOffsetX / 2 - px / 2, "="});
    surface.Save();
    surface.SelectFont(font);
    for (Sign& sign : signs)
        sign.width = surface.TextExtent(sign.text).width;
    surface.Restore();
    return signs;
}

// The widest a term centred at x may be drawn without touching a sign or leaving the form.
int Room(const std::vector<Sign>& signs, int x, int pageWidth) {
    long long left = 0;
    long long right = pageWidth > 0 ? pageWidth : std::numeric_limits<int>::max();
    for (const Sign& sign : signs) {
        const int width = sign.width;
        const int start = sign.x - width / 2;
        if (sign.x < x)
            left = std::max<long long>(left, start + width);
        else
            right = std::min<long long>(right, start);
    }
    const long long room = 2 * std::min(x - left, right - x);
    // 0 would ask for no shrinking at all.
    return static_cast<int>(std::clamp<long long>(room, 1, std::numeric_limits<int>::max()));
}

bool Overlaps(const SurfaceRect& a, const SurfaceRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

void Draw(DrawingSurface& surface, const CQELTDoc& document, const Layout& layout,
          const SurfaceRect* visible) {
    const FontSpec big = BigFont();
    const FontSpec small = SmallFont();
    const std::vector<Sign> signs = Signs(surface, big, layout);

    for (const Layout::Cell& cell : layout.cells) {
        // A long term may spill over its placeholder into the next column: a column's margin holds it.
        const SurfaceRect reach{cell.rect.left - layout.pitchX, cell.rect.top,
                                cell.rect.right + layout.pitchX, cell.rect.bottom};
        if (visible != nullptr && !Overlaps(reach, *visible))
            continue;
        const Term term = BuildTerm(document, cell.row);
        if (term.text.empty())
            continue;
        ChemicalFormula formula;
        formula.SetText(term.text, true);
        formula.SetCoefficientColor(term.coefficientColor);
        const int room = Room(signs, (cell.rect.left + cell.rect.right) / 2, layout.pageWidth);
        formula.DrawInControl(surface, cell.rect, layout.background, big, small, TextAlign::Center, room);
    }

    surface.Save();
    surface.SelectFont(big);
    surface.SetTextAlign(TextAlign::Center | TextAlign::Top);
    surface.SetBackgroundMode(BackgroundMode::Transparent);
    surface.SetTextColor(kDefaultTextColor);
    const int yc = (layout.templateRect.top + layout.templateRect.bottom) / 2;
    const int h = big.height;
    const int y = yc - h / 2 + 2;
    // A sign is centred on its x: one font height either side holds it.
    for (const Sign& sign : signs)
        if (visible == nullptr || Overlaps({sign.x - h, y, sign.x + h, y + h}, *visible))
            surface.TextOut(sign.x, y, sign.text);
    surface.Restore();
}

} // namespace equation_line
