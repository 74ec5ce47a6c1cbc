#include "platform/ui/document_area.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>

namespace ui {
namespace {

// Room left around a control scrolled into view, so that its edges and its neighbour's are seen.
constexpr int kMargin = 8;

// How far to scroll along one axis so that [start, end) lies within [0, size). Something larger than the
// area (a whole view that took the focus from a click on it) is left where it is while any of it is shown.
int ScrollNeeded(int start, int end, int size) {
    if (end - start + 2 * kMargin > size) {
        if (end > 0 && start < size)
            return 0;
        return start > 0 ? start : end - size;
    }
    if (start < kMargin)
        return start - kMargin;
    if (end > size - kMargin)
        return end - (size - kMargin);
    return 0;
}

} // namespace

DocumentArea::DocumentArea(QWidget* parent) : QMdiArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

void DocumentArea::OnFocusChanged(QWidget* now) {
    if (now == nullptr || !isAncestorOf(now))
        return;
    // A new row takes the focus before its window has grown around it: scroll once the program is idle,
    // when the window has its size and the scroll bars their range.
    const bool queued = m_pending != nullptr;
    m_pending = now;
    if (!queued)
        QMetaObject::invokeMethod(
            this,
            [this] {
                QWidget* widget = m_pending;
                m_pending = nullptr;
                if (widget != nullptr && widget->hasFocus())
                    EnsureVisible(widget);
            },
            Qt::QueuedConnection);
}

void DocumentArea::EnsureVisible(QWidget* widget) {
    QMdiSubWindow* window = nullptr;
    for (QWidget* w = widget; w != nullptr && window == nullptr; w = w->parentWidget())
        window = qobject_cast<QMdiSubWindow*>(w);
    if (window == nullptr || window->mdiArea() != this || !widget->isVisible())
        return;
    // A view scrolled inside its window first, then the area.
    for (QWidget* w = widget->parentWidget(); w != nullptr && w != window; w = w->parentWidget()) {
        auto* scroll = qobject_cast<QScrollArea*>(w);
        if (scroll != nullptr && scroll->widget() != nullptr && scroll->widget()->isAncestorOf(widget))
            scroll->ensureWidgetVisible(widget, kMargin, kMargin);
    }
    const QRect place(widget->mapTo(viewport(), QPoint(0, 0)), widget->size());
    const int dx = ScrollNeeded(place.left(), place.left() + place.width(), viewport()->width());
    const int dy = ScrollNeeded(place.top(), place.top() + place.height(), viewport()->height());
    if (dx != 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    if (dy != 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
}

} // namespace ui
