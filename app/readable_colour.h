#pragma once

#include <QColor>

// Coloured text that reads on the surface it is drawn on. The program's own colours (green and blue
// coefficients, red for what does not balance or is in excess, blue links) were chosen for light faces and
// paper, where they stay as they are. On a dark face (one on which white reads better than black) a colour
// that does not reach the contrast asked for is drawn lighter in its own hue until it does.
//
// Contrast is the ratio of relative luminances, (lighter + 0.05) / (darker + 0.05), from 1 to 21.
namespace readable {

// The contrast normal text needs; large text (the big equation, the formula frames) needs less.
inline constexpr double kNormalText = 4.5;
inline constexpr double kLargeText = 3.0;

// The relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(const QColor& colour);
double ContrastRatio(const QColor& a, const QColor& b);
// True when white text reads better on the background than black text.
bool IsDark(const QColor& background);

// The colour to draw a text of this colour with on the background: the colour itself on a light background
// or wherever it reaches the contrast; otherwise the same hue lightened just enough to reach it.
QColor ReadableColour(const QColor& colour, const QColor& background, double minContrast = kNormalText);

} // namespace readable
