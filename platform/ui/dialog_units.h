#pragma once

#include <QFont>
#include <QRect>

// Dialog units: templates place controls in units of the template font, a quarter of its average
// character width across and an eighth of its height down, so that a dialog grows with its font.
namespace ui {

// The font a template names, as this desktop has it. The dialog faces of the other platform ("MS Shell
// Dlg", "MS Shell Dlg 2", "MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Segoe UI") become the
// desktop's general font family at the template's point size; any other face is asked of the font
// system by name with a sans-serif fallback.
QFont TemplateFont(const QString& face, int pointSize);

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // Base units in pixels. Across: the classic average character width of the font (the 52 Latin
    // letters, rounded), but at least 1.3 times the mean advance of running text: the desktop's sans faces
    // run wider on ordinary words than the faces the templates were drawn for, and a text that filled its
    // control there must still fit here. Down: the font's line height.
    double BaseX() const { return m_baseX; }

    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(const QRect& units) const;
    QSize ToPixels(const QSize& units) const;

private:
    double m_baseX;
    int m_baseY;
};

} // namespace ui
