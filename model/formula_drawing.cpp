// Measuring and drawing a formula on a drawing surface: normal characters in one font, sub- and superscripts
// in a smaller one, hydrate dots raised.
#include "model/chemical_formula.h"

#include "model/drawing_surface.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Shrinking to fit a width goes down in steps of 2 % and stops at this scale whatever the width.
constexpr int kMinShrinkScale = 10;
// The margin shrinking leaves within the width.
constexpr int kShrinkMargin = 6;

bool IsSmall(CharStyle style) {
    return style == CharStyle::Subscript || style == CharStyle::Superscript;
}

// The shrunk font of a pass: the given height scaled by scale % of maxWidth / width.
FontSpec ShrunkFont(int height, int scale, int maxWidth, int width) {
    long long h = static_cast<long long>(height) * scale * maxWidth / (static_cast<long long>(width) * 100);
    h = std::clamp<long long>(h, -0x7FFF, 0x7FFF);
    // A height of 0 would ask for the default size: keep at least one unit.
    if (h == 0 && height != 0)
        h = height < 0 ? -1 : 1;
    return FontSpec{"Arial", static_cast<int>(h), 700, FontSpec::kVariableSwiss};
}

} // namespace

struct ChemicalFormula::FittedFonts {
    FontSpec normal;
    FontSpec small;
    bool shrunk = false;
};

void ChemicalFormula::MeasureCharacters(DrawingSurface& surface, const FontSpec& normal,
                                        const FontSpec& small) const {
    if (m_display.empty())
        return;
    m_normalCharacters.clear();
    m_smallCharacters.clear();
    for (std::size_t i = 0; i < m_display.size(); ++i)
        (IsSmall(m_styles[i]) ? m_smallCharacters : m_normalCharacters) += m_display[i];

    surface.Save();
    m_smallWidths.clear();
    m_normalWidths.clear();
    if (!m_smallCharacters.empty()) {
        surface.SelectFont(small);
        m_smallWidths = surface.CharacterWidths(m_smallCharacters);
    }
    if (!m_normalCharacters.empty()) {
        surface.SelectFont(normal);
        m_normalWidths = surface.CharacterWidths(m_normalCharacters);
    }
    surface.Restore();
    m_smallWidths.resize(m_smallCharacters.size(), 0);
    m_normalWidths.resize(m_normalCharacters.size(), 0);

    m_positions.assign(m_display.size() + 1, 0);
    std::size_t nextSmall = 0;
    std::size_t nextNormal = 0;
    for (std::size_t i = 0; i < m_display.size(); ++i) {
        const int width = IsSmall(m_styles[i]) ? m_smallWidths[nextSmall++] : m_normalWidths[nextNormal++];
        m_positions[i + 1] = m_positions[i] + width;
    }
}

int ChemicalFormula::GetExtent(DrawingSurface& surface, const FontSpec& normal, const FontSpec& small) const {
    if (m_display.empty())
        return 0;
    MeasureCharacters(surface, normal, small);
    return m_positions.back();
}

ChemicalFormula::FittedFonts ChemicalFormula::FitFonts(DrawingSurface& surface, const FontSpec& normal,
                                                       const FontSpec& small, int maxWidth) const {
    FittedFonts fitted{normal, small};
    int width = GetExtent(surface, normal, small);
    if (maxWidth == 0)
        return fitted;
    // Each pass scales the given fonts by the width the previous pass measured, so the passes alternate
    // around the fit and stop at the first that leaves the margin.
    int scale = 100;
    while (static_cast<long long>(maxWidth) - width < kShrinkMargin && width > 0 && scale > kMinShrinkScale) {
        scale -= 2;
        fitted.normal = ShrunkFont(normal.height, scale, maxWidth, width);
        fitted.small = ShrunkFont(small.height, scale, maxWidth, width);
        fitted.shrunk = true;
        width = GetExtent(surface, fitted.normal, fitted.small);
    }
    return fitted;
}

void ChemicalFormula::Draw(DrawingSurface& surface, const FontSpec& normal, const FontSpec& small, int x,
                           int y, int alignment, bool plain, int maxWidth, int maxHeight) const {
    if (m_display.empty() || GetLength() > kMaxDrawnLength)
        return;
    surface.Save();
    surface.SetTextAlign(TextAlign::Left | TextAlign::Top);
    surface.SetBackgroundMode(BackgroundMode::Transparent);

    const FittedFonts fitted = FitFonts(surface, normal, small, maxWidth);
    const FontSpec& normalFont = fitted.normal;
    const FontSpec& smallFont = fitted.small;
    if (fitted.shrunk && maxHeight != 0)
        y = (maxHeight - normalFont.height) / 2 + 4;

    if (alignment == TextAlign::Right)
        x -= m_positions.back();
    else if (alignment == TextAlign::Center)
        x -= m_positions.back() / 2;

    // How far a subscript sits below the line; "below" is towards smaller y when the y axis points up.
    int drop = static_cast<int>(std::llabs(static_cast<long long>(normalFont.height)) * 23 / 40);
    if (surface.IsYAxisUp())
        drop = -drop;

    const FontSpec* selected = nullptr;
    const auto select = [&](const FontSpec& font) {
        if (selected != &font) {
            surface.SelectFont(font);
            selected = &font;
        }
    };
    for (std::size_t i = 0; i < m_display.size(); ++i) {
        const int px = x + m_positions[i];
        const char c = m_display[i];
        if (!plain)
            surface.SetTextColor(m_colors[i]);
        switch (m_styles[i]) {
        case CharStyle::Normal:
            select(normalFont);
            surface.TextOut(px, y, std::string_view(&c, 1));
            break;
        case CharStyle::Subscript:
            select(smallFont);
            surface.TextOut(px, y + drop - (plain ? 1 : 0), std::string_view(&c, 1));
            break;
        case CharStyle::Superscript: {
            select(smallFont);
            const int lift = plain ? (c == '+' || c == '-' ? 2 : 1) : 0;
            surface.TextOut(px, y - lift, std::string_view(&c, 1));
            break;
        }
        case CharStyle::HydrateDot:
            select(normalFont);
            surface.TextOut(px, y - (2 * drop) / 5, std::string_view(&c, 1));
            break;
        }
    }
    surface.Restore();
}

void ChemicalFormula::DrawAt(DrawingSurface& surface, const FontSpec& normal, const FontSpec& small, int x,
                             int y, int alignment, bool plain) const {
    Draw(surface, normal, small, x, y, alignment, plain, 0, 0);
}

void ChemicalFormula::DrawInControl(DrawingSurface& surface, const SurfaceRect& control, ColorRef background,
                                    const FontSpec& normal, const FontSpec& small, int alignment,
                                    int maxWidth) const {
    if (m_display.empty() || GetLength() > kMaxDrawnLength)
        return;
    // A shrunk formula is centred on the same line as one drawn at the given fonts.
    const FittedFonts fitted =
        maxWidth != 0 ? FitFonts(surface, normal, small, maxWidth) : FittedFonts{normal, small};
    const int x = (control.left + control.right) / 2;
    const int y = (control.top + control.bottom) / 2 - fitted.normal.height / 2 + 4;
    surface.Save();
    surface.SetBackgroundColor(background);
    surface.SetBackgroundMode(BackgroundMode::Opaque);
    Draw(surface, fitted.normal, fitted.small, x, y, alignment, false, 0, 0);
    surface.Restore();
}
