#pragma once

#include "model/color_ref.h"

#include <string>
#include <string_view>
#include <vector>

// A font as the model asks for it; the surface turns it into a real font.
struct FontSpec {
    // Pitch and family value of a variable-pitch sans-serif face (Arial and its kin).
    static constexpr int kVariableSwiss = 0x22;

    std::string face;
    // In the surface's logical units, signed: a negative height is the height of the characters, a positive
    // one the height of the character cell. 0 asks for the surface's default size.
    int height = 0;
    // 400 normal, 700 bold.
    int weight = 400;
    int pitchAndFamily = 0;

    bool operator==(const FontSpec&) const = default;
};

struct SurfaceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct SurfaceSize {
    int width = 0;
    int height = 0;
};

enum class BackgroundMode { Transparent, Opaque };

// Text alignment flags: one horizontal value combined with one vertical value. The reference point of a text
// is its left end, right end or middle, and the top, the bottom or the baseline of its cell.
namespace TextAlign {
constexpr int Left = 0;
constexpr int Right = 2;
constexpr int Center = 6;
constexpr int HorizontalMask = 6;
constexpr int Top = 0;
constexpr int Bottom = 8;
constexpr int Baseline = 24;
constexpr int VerticalMask = 24;
} // namespace TextAlign

// Where the model draws formulas: the application implements it over its painter, tests record the calls.
// Coordinates are logical units of the surface. On a screen y grows downwards; a print surface may use a
// mapping whose y axis points up (0.1 mm units, the page at negative y), which IsYAxisUp reports.
//
// A fresh surface draws with left-top alignment, its default text colour and an opaque white background; the
// text colour kDefaultTextColor stands for that default (black unless the surface says otherwise). Save and
// Restore keep and bring back the font, the colours, the background mode and the alignment, and nest.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual void Save() = 0;
    virtual void Restore() = 0;

    virtual void SelectFont(const FontSpec& font) = 0;
    virtual void SetTextColor(ColorRef color) = 0;
    virtual void SetBackgroundColor(ColorRef color) = 0;
    virtual void SetBackgroundMode(BackgroundMode mode) = 0;
    // A combination of TextAlign flags.
    virtual void SetTextAlign(int align) = 0;

    // Draws the text with the selected font and colours, its reference point (by the alignment) at (x, y).
    virtual void TextOut(int x, int y, std::string_view text) = 0;

    // The advance width of each character of the text in the selected font, one entry per character.
    virtual std::vector<int> CharacterWidths(std::string_view text) = 0;
    // Width and height of the text's cell in the selected font.
    virtual SurfaceSize TextExtent(std::string_view text) = 0;

    // True when y grows upwards, as in a print mapping of 0.1 mm units.
    virtual bool IsYAxisUp() const = 0;
};
