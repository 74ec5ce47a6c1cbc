#include "app/controls/static_formula_frame.h"

#include "app/painter_surface.h"
#include "app/readable_colour.h"
#include "model/substance.h"
#include "platform/ui/control_host.h"
#include "platform/ui/string_table.h"
#include "platform/ui/text_codec.h"

#include <QGroupBox>
#include <QPainter>
#include <qdrawutil.h>

#include <cmath>
#include <cstdio>

namespace {

// Fonts of the formula: bold Arial (or the desktop's sans-serif), heights of the character cell.
constexpr int kMainFontHeight = 36;
constexpr int kIndexFontHeight = 18;
// The etched line runs this far below the top, through the middle of the caption.
constexpr int kFrameTopOffset = 6;
// The caption starts this far from the frame's left (or ends this far from its right) end.
constexpr int kCaptionInset = 6;
// The formula's cell sits this much lower than the middle, below the caption.
constexpr int kFormulaDrop = 4;

FontSpec BoldArial(int height) {
    return FontSpec{"Arial", height, 700, FontSpec::kVariableSwiss};
}

ColorRef ToColorRef(const QColor& color) {
    return MakeColorRef(color.red(), color.green(), color.blue());
}

// The molar mass as the caption shows it, with the string table's format (two decimals).
QString FormatMolarMass(double molarMass) {
    std::string format = ui::LoadStringBytes(CStaticFormulaFrame::kCaptionFormat);
    if (format.empty())
        format = "%.2lf";
    char text[64];
    std::snprintf(text, sizeof text, format.c_str(), molarMass);
    return QString::fromLatin1(text);
}

} // namespace

CStaticFormulaFrame::CStaticFormulaFrame()
    : m_indexFont(BoldArial(kIndexFontHeight)), m_mainFont(BoldArial(kMainFontHeight)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CStaticFormulaFrame::SetParams(int captionFlag, int frameFlag) {
    m_caption = captionFlag;
    m_frame = frameFlag;
}

void CStaticFormulaFrame::Attach(int id, ui::ControlHost& parent) {
    QWidget* item = parent.GetDlgItem(id);
    if (item == nullptr)
        return;
    setParent(item->parentWidget());
    setGeometry(item->geometry());
    m_windowText = ui::GetWindowText(item);
    m_captionFont = item->font();
    if (const auto* box = qobject_cast<const QGroupBox*>(item))
        m_rightCaption = (box->alignment() & Qt::AlignRight) != 0 ? 1 : 0;
    parent.SetControlId(this, id + kIdOffset);
    raise();
    item->hide();
    show();
}

std::string CStaticFormulaFrame::CutAtSemicolon(const std::string& text) {
    return text.substr(0, text.find(';'));
}

void CStaticFormulaFrame::SetFormula(const std::string& text, bool computeMass) {
    m_text = CutAtSemicolon(text);
    m_formula.SetText(m_text, true);
    if (computeMass)
        SetMolarMass(m_formula.GetMixtureMolarMass());
    update();
}

void CStaticFormulaFrame::SetSubstance(CSubstance* substance, bool computeMass) {
    if (substance == nullptr)
        return;
    m_text = substance->GetFormula();
    m_formula.SetText(m_text, true);
    if (computeMass) {
        SetMolarMass(m_formula.GetMixtureMolarMass());
        substance->SetMolarMass(m_molarMass);
    } else {
        m_molarMass = substance->GetMolarMass();
        UpdateCaption();
    }
    update();
}

void CStaticFormulaFrame::SetMolarMass(double molarMass) {
    m_molarMass = molarMass;
    UpdateCaption();
}

void CStaticFormulaFrame::UpdateCaption() {
    // A mass that is not a number (a damaged database entry) shows no caption rather than "nan".
    const bool shown = m_caption != 0 && m_molarMass != 0.0 && std::isfinite(m_molarMass);
    m_windowText = shown ? FormatMolarMass(m_molarMass) : QString();
    update();
}

QSize CStaticFormulaFrame::sizeHint() const {
    return {200, 60};
}

void CStaticFormulaFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    const QColor face = palette().color(QPalette::Window);
    painter.fillRect(area, face);
    painter.setClipRect(area);
    {
        PainterSurface surface(painter, false, palette().color(QPalette::WindowText));
        surface.DrawReadableOn(face, readable::kLargeText);
        surface.SetBackgroundMode(BackgroundMode::Opaque);
        surface.SetBackgroundColor(ToColorRef(face));
        const int w = area.width();
        const int h = area.height();
        m_formula.Draw(surface, m_mainFont, m_indexFont, w / 2, (h - m_mainFont.height) / 2 + kFormulaDrop,
                       TextAlign::Center, false, w, h);
    }
    DrawFrame(area, painter);
}

void CStaticFormulaFrame::DrawFrame(QRect rect, QPainter& painter) {
    if (m_frame != 0) {
        rect.setTop(rect.top() + kFrameTopOffset);
        // An etched edge: a dark line with a light one beside it, all four sides.
        qDrawShadeRect(&painter, rect, palette(), true, 1, 0);
    }
    const QString& text = m_windowText;
    if (m_caption == 0 || text.isEmpty())
        return;
    const QString caption = " " + text + " ";
    painter.save();
    painter.setFont(m_captionFont);
    const QFontMetrics metrics(m_captionFont);
    const int width = metrics.horizontalAdvance(caption);
    const int x = m_rightCaption != 0 ? rect.right() + 1 - kCaptionInset - width : kCaptionInset;
    // Opaque on the face colour, the caption interrupts the etched line like a group box title.
    const QRect box(x, 0, width, metrics.height());
    painter.fillRect(box, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, caption);
    painter.restore();
}
