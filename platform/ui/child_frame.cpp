#include "platform/ui/child_frame.h"

#include "platform/ui/file_dialog.h"
#include "platform/ui/open_document.h"
#include "platform/ui/view.h"

#include <QCloseEvent>
#include <QMdiArea>

namespace ui {

ChildFrame::ChildFrame(QWidget* parent) : QMdiSubWindow(parent) { setAttribute(Qt::WA_DeleteOnClose); }

ChildFrame::~ChildFrame() {
    // The view goes first, while its document is still there to let it go; a closed document lives on
    // until the last of its frames is gone.
    delete m_view;
    m_view = nullptr;
    if (OpenDocument* document = m_document) {
        m_document = nullptr;
        document->FrameDestroyed(this);
    }
}

void ChildFrame::SetView(View* view) {
    m_view = view;
    setWidget(view);
    RecalcLayout();
}

void ChildFrame::UpdateTitle(int number) {
    if (!m_autoTitle || m_document == nullptr)
        return;
    QString title = FromPath(m_document->GetDocument().GetTitle());
    if (number > 0)
        title += QStringLiteral(":%1").arg(number);
    setWindowTitle(title);
}

void ChildFrame::RemoveSizingBorder() {
    m_sizingBorder = false;
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    RecalcLayout();
}

void ChildFrame::RecalcLayout() {
    if (m_sizingBorder || m_view == nullptr || m_inLayout || isMinimized())
        return;
    m_inLayout = true;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize size = sizeHint();
    setFixedSize(size);
    m_inLayout = false;
}

bool ChildFrame::event(QEvent* event) {
    const bool handled = QMdiSubWindow::event(event);
    if (event->type() == QEvent::LayoutRequest)
        RecalcLayout();
    return handled;
}

void ChildFrame::Activate() {
    if (isMinimized())
        showNormal();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    else
        activateWindow();
}

bool ChildFrame::RouteCommand(int id) {
    if (m_view && m_view->RouteCommand(id))
        return true;
    return HandleOwnCommand(id);
}

bool ChildFrame::RouteUpdate(CmdUI& cmdUi) {
    if (m_view && m_view->RouteUpdate(cmdUi))
        return true;
    return HandleOwnUpdate(cmdUi);
}

bool ChildFrame::RouteHasHandler(int id) {
    if (m_view && m_view->RouteHasHandler(id))
        return true;
    return HasOwnHandler(id);
}

void ChildFrame::CloseForDocument() {
    m_closingForDocument = true;
    close();
}

void ChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_closingForDocument && m_document != nullptr && !m_document->CanCloseFrame(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (m_document)
        m_document->FrameClosed(this);
}

} // namespace ui
