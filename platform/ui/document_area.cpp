#include "platform/ui/document_area.h"

#include <QApplication>
#include <QEvent>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace ui {
namespace {

// Marks a window the area has placed: it is placed once, when it is first shown.
const char* const kPlacedProperty = "qelt_placed";

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

// The height of the window's title bar: the strip above its contents.
int TitleBarHeight(const QMdiSubWindow& window) {
    const int top = window.contentsMargins().top();
    return top > 0 ? top : window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
}

} // namespace

DocumentArea::DocumentArea(QWidget* parent) : QMdiArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    // The window has had its chance to give the focus to the control it had last (or the view its first
    // one) once the activation has run its course.
    connect(this, &QMdiArea::subWindowActivated, this, &DocumentArea::KeepFocusInActiveWindow,
            Qt::QueuedConnection);
}

bool DocumentArea::event(QEvent* event) {
    const bool handled = QMdiArea::event(event);
    // The main window is active again and is about to give the focus back: it must find a control of the
    // active window, not the first control of the first one.
    if (event->type() == QEvent::WindowActivate)
        KeepFocusInActiveWindow();
    return handled;
}

void DocumentArea::KeepFocusInActiveWindow() {
    QMdiSubWindow* active = activeSubWindow();
    if (active == nullptr || !active->isVisible())
        return;
    QWidget* focus = window()->focusWidget(); // the control that has it, or has it back when the main
                                              // window is active again
    if (focus != nullptr && (focus == active || active->isAncestorOf(focus) || !isAncestorOf(focus)))
        return;
    QWidget* target = active;
    for (QWidget* w = active->nextInFocusChain(); w != active; w = w->nextInFocusChain()) {
        if (active->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(active) &&
            (w->focusPolicy() & Qt::TabFocus)) {
            target = w;
            break;
        }
    }
    target->setFocus(Qt::OtherFocusReason);
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

bool DocumentArea::eventFilter(QObject* watched, QEvent* event) {
    // The window has its size by the time it is shown (a view sizes its frame to its form first), and the
    // area has its own, even when both are shown together.
    if (event->type() == QEvent::Show) {
        auto* window = qobject_cast<QMdiSubWindow*>(watched);
        if (window != nullptr && window->mdiArea() == this && !window->property(kPlacedProperty).toBool()) {
            window->setProperty(kPlacedProperty, true);
            PlaceNewWindow(window);
        }
    }
    return QMdiArea::eventFilter(watched, event);
}

void DocumentArea::PlaceNewWindow(QMdiSubWindow* window) {
    if (window->isMaximized() || window->isMinimized())
        return;
    const QList<QMdiSubWindow*> windows = subWindowList();
    const bool alone = std::none_of(windows.cbegin(), windows.cend(), [window](const QMdiSubWindow* other) {
        return other != window && other->isVisible();
    });
    if (alone)
        m_cascadeStep = 0;
    // The windows lie in the viewport: its top-left corner is that of what is shown, however far the area
    // has been scrolled.
    const QRect shown = viewport()->rect();
    const int step = TitleBarHeight(*window);
    QPoint place = shown.topLeft() + QPoint(step, step) * m_cascadeStep;
    if (!shown.contains(QRect(place, window->size()))) {
        m_cascadeStep = 0;
        place = shown.topLeft();
    }
    window->move(place);
    ++m_cascadeStep;
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
