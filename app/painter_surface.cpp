#include "app/painter_surface.h"

#include "app/readable_colour.h"
#include "platform/ui/text_codec.h"

#include <QFontDatabase>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The character of each Windows-1252 byte, converted once.
const std::array<QChar, 256>& CharacterTable() {
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> chars{};
        for (int b = 0; b < 256; ++b) {
            const QString one = ui::FromCp1252(std::string(1, static_cast<char>(b)));
            chars[static_cast<std::size_t>(b)] = one.isEmpty() ? QChar(u'?') : one.at(0);
        }
        return chars;
    }();
    return table;
}

QChar CharOf(char byte) {
    return CharacterTable()[static_cast<unsigned char>(byte)];
}

// The width of a text as the sum of its characters' advances, as formulas measure and place them.
int AdvanceSum(const QFontMetrics& metrics, std::string_view text) {
    int width = 0;
    for (char c : text)
        width += metrics.horizontalAdvance(CharOf(c));
    return width;
}

QString ToText(std::string_view text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text)
        result += CharOf(c);
    return result;
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter, bool yAxisUp, const QColor& defaultText)
    : m_painter(painter), m_yAxisUp(yAxisUp), m_defaultText(defaultText) {
    m_painter.save();
}

PainterSurface::~PainterSurface() {
    m_painter.restore();
}

QFont PainterSurface::ToQFont(const FontSpec& spec, const QFont& defaultFont) {
    QFont font = defaultFont;
    if (!spec.face.empty()) {
        font.setFamilies({QString::fromStdString(spec.face),
                          QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()});
        font.setStyleHint(QFont::SansSerif);
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(spec.weight == 0 ? 400 : spec.weight, 1, 1000)));
    if (spec.height < 0) {
        font.setPixelSize(std::max(1, -spec.height));
    } else if (spec.height > 0) {
        // The cell height of a font is its ascent and descent together: scale the size until it matches.
        font.setPixelSize(spec.height);
        const int cell = QFontMetrics(font).height();
        if (cell > 0 && cell != spec.height)
            font.setPixelSize(
                std::max(1, static_cast<int>(std::lround(double(spec.height) * spec.height / cell))));
    }
    return font;
}

QColor PainterSurface::ToQColor(ColorRef color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

const PainterSurface::ResolvedFont& PainterSurface::Current() {
    if (m_current >= 0 && m_fonts[static_cast<std::size_t>(m_current)].first == m_state.font)
        return m_fonts[static_cast<std::size_t>(m_current)].second;
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].first == m_state.font) {
            m_current = static_cast<int>(i);
            return m_fonts[i].second;
        }
    }
    const QFont font = ToQFont(m_state.font, m_painter.font());
    m_fonts.push_back({m_state.font, ResolvedFont{font, QFontMetrics(font, m_painter.device())}});
    m_current = static_cast<int>(m_fonts.size() - 1);
    return m_fonts.back().second;
}

void PainterSurface::DrawReadableOn(const QColor& background, double minContrast) {
    m_background = background;
    m_minContrast = minContrast;
    m_lastReadable = {kDefaultTextColor, QColor()};
}

QColor PainterSurface::PenFor(ColorRef color) {
    if (color == kDefaultTextColor)
        return m_defaultText;
    if (!m_background.isValid())
        return ToQColor(color);
    if (m_lastReadable.first != color)
        m_lastReadable = {color, readable::ReadableColour(ToQColor(color), m_background, m_minContrast)};
    return m_lastReadable.second;
}

void PainterSurface::Save() {
    m_saved.push_back(m_state);
}

void PainterSurface::Restore() {
    if (m_saved.empty())
        return;
    m_state = m_saved.back();
    m_saved.pop_back();
}

void PainterSurface::SelectFont(const FontSpec& font) {
    m_state.font = font;
}

void PainterSurface::SetTextColor(ColorRef color) {
    m_state.textColor = color;
}

void PainterSurface::SetBackgroundColor(ColorRef color) {
    m_state.backgroundColor = color;
}

void PainterSurface::SetBackgroundMode(BackgroundMode mode) {
    m_state.backgroundMode = mode;
}

void PainterSurface::SetTextAlign(int align) {
    m_state.align = align;
}

void PainterSurface::TextOut(int x, int y, std::string_view text) {
    const ResolvedFont& resolved = Current();
    const QString shown = ToText(text);
    const int width = AdvanceSum(resolved.metrics, text);
    const int deviceY = m_yAxisUp ? -y : y;

    int left = x;
    switch (m_state.align & TextAlign::HorizontalMask) {
    case TextAlign::Right:
        left = x - width;
        break;
    case TextAlign::Center:
        left = x - width / 2;
        break;
    default:
        break;
    }
    int baseline = deviceY + resolved.metrics.ascent();
    switch (m_state.align & TextAlign::VerticalMask) {
    case TextAlign::Bottom:
        baseline = deviceY - resolved.metrics.descent();
        break;
    case TextAlign::Baseline:
        baseline = deviceY;
        break;
    default:
        break;
    }

    if (m_state.backgroundMode == BackgroundMode::Opaque)
        m_painter.fillRect(
            QRect(left, baseline - resolved.metrics.ascent(), width, resolved.metrics.height()),
            ToQColor(m_state.backgroundColor));
    m_painter.setFont(resolved.font);
    m_painter.setPen(PenFor(m_state.textColor));
    m_painter.drawText(QPoint(left, baseline), shown);
}

std::vector<int> PainterSurface::CharacterWidths(std::string_view text) {
    const ResolvedFont& resolved = Current();
    std::vector<int> widths;
    widths.reserve(text.size());
    for (char c : text)
        widths.push_back(resolved.metrics.horizontalAdvance(CharOf(c)));
    return widths;
}

SurfaceSize PainterSurface::TextExtent(std::string_view text) {
    const ResolvedFont& resolved = Current();
    return {AdvanceSum(resolved.metrics, text), resolved.metrics.height()};
}
