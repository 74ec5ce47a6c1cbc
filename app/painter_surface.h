#pragma once

#include "model/drawing_surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <utility>
#include <vector>

// The model's drawing surface over a QPainter: what formulas and the equation line draw on screen (and on the
// printed page). Fonts are asked for by FontSpec: a positive height is the height of the character cell in
// the painter's units, a negative one the height of the characters; the face falls back to the desktop's
// sans-serif when the font system has no such family.
//
// The default text colour (kDefaultTextColor) is the one given: the palette's text colour of the widget
// drawn on, black on paper. Other colours are drawn as they are, unless the surface is told the background
// its text stands on (DrawReadableOn): then each is drawn readable there (readable::ReadableColour).
//
// With yAxisUp the surface takes y as growing upwards, as in a print mapping whose page lies at negative y:
// a logical point (x, y) is drawn at (x, -y) of the painter, and text still reads downwards from its top.
class PainterSurface : public DrawingSurface {
public:
    explicit PainterSurface(QPainter& painter, bool yAxisUp = false, const QColor& defaultText = Qt::black);
    ~PainterSurface() override;

    void Save() override;
    void Restore() override;

    void SelectFont(const FontSpec& font) override;
    void SetTextColor(ColorRef color) override;
    void SetBackgroundColor(ColorRef color) override;
    void SetBackgroundMode(BackgroundMode mode) override;
    void SetTextAlign(int align) override;

    void TextOut(int x, int y, std::string_view text) override;
    std::vector<int> CharacterWidths(std::string_view text) override;
    SurfaceSize TextExtent(std::string_view text) override;
    bool IsYAxisUp() const override { return m_yAxisUp; }

    // The face behind the text drawn from now on, and the contrast its coloured text needs.
    void DrawReadableOn(const QColor& background, double minContrast);

    // The Qt font a FontSpec stands for (cell heights resolved against the font's metrics).
    static QFont ToQFont(const FontSpec& spec, const QFont& defaultFont);
    static QColor ToQColor(ColorRef color);

private:
    struct State {
        FontSpec font;
        ColorRef textColor = kDefaultTextColor;
        ColorRef backgroundColor = 0xFFFFFF;
        BackgroundMode backgroundMode = BackgroundMode::Opaque;
        int align = TextAlign::Left | TextAlign::Top;
    };
    struct ResolvedFont {
        QFont font;
        QFontMetrics metrics;
    };
    const ResolvedFont& Current();
    QColor PenFor(ColorRef color);

    QPainter& m_painter;
    bool m_yAxisUp;
    QColor m_defaultText;
    QColor m_background;
    double m_minContrast = 0.0;
    // The last colour made readable, and what it became.
    std::pair<ColorRef, QColor> m_lastReadable{kDefaultTextColor, QColor()};
    State m_state;
    std::vector<State> m_saved;
    std::vector<std::pair<FontSpec, ResolvedFont>> m_fonts;
    int m_current = -1;
};
