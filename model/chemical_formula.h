#pragma once

#include "model/color_ref.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CompositionVector;
class DrawingSurface;
class ElementTable;
class FormulaStack;
struct FontSpec;
struct SurfaceRect;

// How one display character of a formula is shown.
enum class CharStyle : std::uint8_t { Normal = 0, Subscript = 1, Superscript = 2, HydrateDot = 3 };

// One chemical formula as the user typed it. It knows how to show itself (which characters are normal,
// subscript, superscript or a hydrate dot, and their colours), what it is made of, its molar mass, the molar
// mass of a comma-separated mixture and its phase label; it renders itself as mark-up and draws itself.
//
// Two notations: in a plain formula every digit after the leading coefficient is a subscript; a formula that
// holds any of "_", "^", "&" or "," is read in the extended notation throughout, where "^" raises and "_"
// lowers the next character, braces extend either mark to a group, and "&" is the hydrate dot.
//
// Composition and masses are parsed against the host's element table on every request; only the parse-error
// flag is kept, and it stays set until the text is set again. Text is 8-bit Windows-1252.
class ChemicalFormula {
public:
    // Phase codes of GetPhase, as substances store them.
    static constexpr int kPhaseSolid = 0;
    static constexpr int kPhaseAqueous = 1;
    static constexpr int kPhaseGas = 2;
    static constexpr int kPhaseNone = 3;

    // Drawing handles display texts of 1 to this many characters.
    static constexpr int kMaxDrawnLength = 127;

    // The colour of a "?" standing for an unknown coefficient.
    static constexpr ColorRef kUnknownCoefficientColor = 0x0000E0;

    ChemicalFormula();
    // The text, right-trimmed, in the extended notation.
    explicit ChemicalFormula(std::string_view text);
    virtual ~ChemicalFormula() = default;

    ChemicalFormula(const ChemicalFormula&) = delete;
    ChemicalFormula& operator=(const ChemicalFormula&) = delete;

    // Sets the text (blanks, tabs and line ends trimmed on the right), recomputes the display styles and
    // clears the parse-error flag. Without extended, every character is shown normal and no mark is removed.
    void SetText(std::string_view text, bool extended = true);

    // Colours the leading coefficient of the display text; a leading "?" is coloured red instead.
    void SetCoefficientColor(ColorRef color);

    // The text as shown: marks removed, every "&" shown as ".".
    const std::string& GetDisplayText() const { return m_display; }
    // The trimmed text as set, marks kept; parsing reads this one.
    const std::string& GetSourceText() const { return m_source; }
    // Number of display characters.
    int GetLength() const { return static_cast<int>(m_display.size()); }
    // One entry per display character.
    const std::vector<CharStyle>& GetStyles() const { return m_styles; }
    const std::vector<ColorRef>& GetColors() const { return m_colors; }
    // Set by a parse that failed; cleared only by setting the text.
    bool HasParseError() const { return m_parseError; }

    // What the formula is made of; the zero vector (and the parse-error flag set) when it does not parse.
    // The leading coefficient and the phase labels "(g)" and "(s)" count for nothing. Only the leading
    // coefficient may have a fraction: a count or charge with a decimal point, a charge mark followed by
    // neither a number nor a sign, a count that leaves the range of an int, more levels than the formula
    // stack holds or groups nested deeper than that do not parse.
    CompositionVector GetComposition() const;
    // The same, read against the given table instead of the host's.
    CompositionVector GetCompositionIn(const ElementTable& table) const;
    // g/mol, without the leading coefficient; 0.0 once a parse has failed.
    double GetMolarMass() const;
    // The molar mass of a mixture written as comma-separated parts, each with an optional whole multiplier
    // ("NaCl,2H2O"); a part that does not parse adds nothing.
    double GetMixtureMolarMass() const;
    // kPhaseSolid for "(s)", else kPhaseGas for "(g)", else kPhaseAqueous for "(a)", else kPhaseNone.
    int GetPhase() const;

    // The number at the start of the text: digits with an optional "." and fraction digits, or a lone sign
    // ("+" 1.0, "-" -1.0). length receives the characters it spans; 0.0 with length 0 where no number starts.
    static double ParseNumber(std::string_view text, int& length);
    // The row of the longest element or moiety symbol that begins the text, or -1 (length 1).
    static int MatchSymbol(std::string_view text, int& length);

    // Mark-up of the display text: each run of one style is written with that style's mark-up; "" when
    // empty. Characters are copied as they are, without escaping.
    std::string ToHTML() const;
    std::string ToRTF() const;
    std::string ToUBBC() const;
    std::string ToLaTeX() const;
    // The composition as a plain formula in the order C, H, N, O, S, P, then the other rows of the table;
    // "" when the formula does not parse.
    std::string ToSortedFormula() const;

    // Measures each display character in its font (small for sub- and superscripts) and sets the positions.
    void MeasureCharacters(DrawingSurface& surface, const FontSpec& normal, const FontSpec& small) const;
    // The width of the whole formula; 0 for an empty one.
    int GetExtent(DrawingSurface& surface, const FontSpec& normal, const FontSpec& small) const;

    // Draws the formula with its top at y and x placed by the alignment (TextAlign::Left, Right or Center).
    // Plain drawing keeps the surface's text colour and lifts sub- and superscripts by a pixel, for lists.
    // A non-zero maxWidth shrinks the fonts until the formula fits with a margin; with maxHeight, y is then
    // chosen to centre the shrunk text in that height. Texts outside 1 to kMaxDrawnLength characters draw
    // nothing.
    void Draw(DrawingSurface& surface, const FontSpec& normal, const FontSpec& small, int x, int y,
              int alignment, bool plain, int maxWidth, int maxHeight) const;
    // Draw without shrinking.
    void DrawAt(DrawingSurface& surface, const FontSpec& normal, const FontSpec& small, int x, int y,
                int alignment, bool plain) const;
    // Draws at the middle of a control whose rectangle (in the surface's coordinates) is given, with the
    // control's background colour as the surface's background colour while it draws. A non-zero maxWidth
    // shrinks a formula wider than that, as Draw does, and keeps it centred on the same line.
    void DrawInControl(DrawingSurface& surface, const SurfaceRect& control, ColorRef background,
                       const FontSpec& normal, const FontSpec& small, int alignment, int maxWidth = 0) const;

private:
    // The fonts a drawing uses: the given ones, or, with a non-zero maxWidth, the shrunk ones; the
    // positions are measured in them.
    struct FittedFonts;
    FittedFonts FitFonts(DrawingSurface& surface, const FontSpec& normal, const FontSpec& small,
                         int maxWidth) const;
    void ComputeDisplayStyles(bool extended);
    // Reads one group from the cursor to the end of the text or past its closing bracket and leaves its
    // composition on the stack as one level (none when the group holds nothing); false when the formula
    // does not parse.
    static bool ParseGroup(std::string_view text, std::size_t& cursor, FormulaStack& stack, int nesting,
                           const ElementTable& table);

    std::string m_display;
    std::string m_source;
    std::vector<CharStyle> m_styles;
    std::vector<ColorRef> m_colors;
    mutable bool m_parseError = false;

    // Filled by measuring.
    mutable std::string m_normalCharacters;
    mutable std::string m_smallCharacters;
    mutable std::vector<int> m_normalWidths;
    mutable std::vector<int> m_smallWidths;
    mutable std::vector<int> m_positions;
};
