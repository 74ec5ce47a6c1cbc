#include "platform/ui/child_frame.h"

#include <QAction>
#include <QMenu>

#include "platform/ui/resource_icon.h"
#include "platform/ui/view.h"

#include <QCloseEvent>
#include <QMdiArea>

namespace ui {

ChildFrame::ChildFrame(View* view, int menuId, bool resizable, QWidget* parent)
    : QMdiSubWindow(parent), m_view(view), m_menuId(menuId), m_resizable(resizable) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view->Widget());
    // The resource that gives the frame its menu gives it its icon too.
    if (const QIcon icon = ResourceIcon(menuId); !icon.isNull())
        setWindowIcon(icon);
    if (!resizable)
        setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The frame's own window menu would claim keys of the program's accelerator table (Ctrl+W is Add
    // product); the table decides, so the window menu keeps its items but not their shortcuts.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions())
            action->setShortcut(QKeySequence());
    }
}

ChildFrame::~ChildFrame() = default;

QSize ChildFrame::ClientSize() const {
    return widget() != nullptr ? widget()->size() : QSize();
}

void ChildFrame::ResizeClientTo(const QSize& size) {
    const QSize frame = this->size() - ClientSize();
    const QSize outer = size + frame;
    if (!m_resizable) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(outer);
        setFixedSize(outer);
    } else {
        resize(outer);
    }
}

void ChildFrame::Activate() {
    if (isMinimized())
        showNormal();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    else
        setFocus();
}

void ChildFrame::GrowBy(int dx, int dy) {
    ResizeClientTo(ClientSize() + QSize(dx, dy));
}

bool ChildFrame::RouteCommand(int id) {
    return (m_view != nullptr && m_view->RouteCommand(id)) || HandleOwnCommand(id);
}

bool ChildFrame::RouteUpdate(CmdUI& cmdUi) {
    return (m_view != nullptr && m_view->RouteUpdate(cmdUi)) || HandleOwnUpdate(cmdUi);
}

bool ChildFrame::RouteHasHandler(int id) {
    return (m_view != nullptr && m_view->RouteHasHandler(id)) || HasOwnHandler(id);
}

void ChildFrame::closeEvent(QCloseEvent* event) {
    if (!CanCloseFrame()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

} // namespace ui
