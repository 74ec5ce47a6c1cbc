#include "platform/ui/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace ui {
namespace {

// a * b / c rounded half away from zero.
int ScaleRounded(int a, double b, int c) {
    return static_cast<int>(std::lround(a * b / c));
}

} // namespace

QFont TemplateFont(const QString& face, int pointSize) {
    static const QStringList dialogFaces = {"ms shell dlg",         "ms shell dlg 2", "ms sans serif",
                                            "microsoft sans serif", "tahoma",         "segoe ui"};
    QFont font;
    if (dialogFaces.contains(face.toLower()))
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    else
        font = QFont(face);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const QString runningText = QStringLiteral("The quick brown fox jumps over the lazy dog");
    const double textAdvance = QFontMetricsF(font).horizontalAdvance(runningText) / runningText.size();
    m_baseX = std::max<double>((letters / 26 + 1) / 2, 1.3 * textAdvance);
    m_baseY = metrics.height();
}

int DialogUnits::ToPixelsX(int units) const {
    return ScaleRounded(units, m_baseX, 4);
}

int DialogUnits::ToPixelsY(int units) const {
    return ScaleRounded(units, m_baseY, 8);
}

QRect DialogUnits::ToPixels(const QRect& units) const {
    // Place and size are converted each on its own, as the other platform creates template controls.
    return QRect(ToPixelsX(units.x()), ToPixelsY(units.y()), ToPixelsX(units.width()),
                 ToPixelsY(units.height()));
}

QSize DialogUnits::ToPixels(const QSize& units) const {
    return QSize(ToPixelsX(units.width()), ToPixelsY(units.height()));
}

} // namespace ui
