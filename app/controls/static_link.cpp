#include "app/controls/static_link.h"

#include "app/readable_colour.h"
#include "platform/ui/control_host.h"
#include "platform/ui/links.h"

#include <QMouseEvent>

namespace {

CStaticLink::Opener& CurrentOpener() {
    static CStaticLink::Opener opener = ui::OpenLink;
    return opener;
}

} // namespace

void CStaticLink::SetOpener(Opener opener) {
    CurrentOpener() = opener ? std::move(opener) : Opener(ui::OpenLink);
}

CStaticLink::CStaticLink(QWidget* parent) : QLabel(parent) {}

CStaticLink* CStaticLink::Attach(ui::ControlHost& host, int id) {
    auto* link = new CStaticLink;
    if (auto* old = qobject_cast<QLabel*>(host.GetDlgItem(id))) {
        link->setAlignment(old->alignment());
        if (!old->pixmap().isNull())
            link->setPixmap(old->pixmap());
    }
    host.ReplaceControl(id, link);
    link->ApplyLook();
    return link;
}

QColor CStaticLink::TextColour() const {
    // The link shows the dialog's face through.
    const QColor face = palette().color(QPalette::Window);
    if (!readable::IsDark(face))
        return m_visited ? m_visitedColour : m_linkColour;
    return readable::ReadableColour(palette().color(m_visited ? QPalette::LinkVisited : QPalette::Link),
                                    face);
}

bool CStaticLink::IsTextStatic() const {
    return pixmap().isNull();
}

// The control's own font, underlined, in the link or visited colour over the dialog's background.
void CStaticLink::ApplyLook() {
    if (!IsTextStatic())
        return;
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    if (!underlined.underline()) {
        underlined.setUnderline(true);
        setFont(underlined);
    }
    const QColor colour = TextColour();
    if (palette().color(QPalette::WindowText) != colour) {
        QPalette colours = palette();
        colours.setColor(QPalette::WindowText, colour);
        setPalette(colours);
    }
    setAutoFillBackground(false);
}

void CStaticLink::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    ApplyLook();
}

void CStaticLink::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    // A font given from outside (the dialog's) is underlined again.
    if (event->type() == QEvent::FontChange && IsTextStatic() && !font().underline())
        ApplyLook();
    // New desktop colours may call for the other link colours.
    if (event->type() == QEvent::PaletteChange)
        ApplyLook();
}

void CStaticLink::OnClicked() {
    if (!IsTextStatic())
        return;
    if (m_target.isEmpty())
        m_target = text();
    if (CurrentOpener()(m_target)) {
        m_visited = true;
        ApplyLook();
        update();
    } else {
        ui::ReportLinkNotOpened(m_target);
    }
}

void CStaticLink::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        OnClicked();
}
