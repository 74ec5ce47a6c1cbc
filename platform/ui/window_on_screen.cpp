#include "platform/ui/window_on_screen.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace ui {

namespace {

// Marks a window fitted: it is fitted once, when it is first shown.
const char* const kFittedProperty = "qelt_fitted";

// The frame a window manager is likely to draw, for a window it has not framed yet (before the window is
// first shown, its frame is not known): a title bar and thin borders.
QMargins LikelyDecoration(const QWidget& window) {
    if (window.windowFlags() & Qt::FramelessWindowHint)
        return {};
    const int border = 4;
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return {border, std::max(title, 24) + border, border, border};
}

QMargins Decoration(const QWidget& window) {
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    const QMargins known(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    return known.isNull() ? LikelyDecoration(window) : known;
}

const QScreen* ScreenOf(const QWidget& window, const QRect& frame) {
    if (const QScreen* screen = QGuiApplication::screenAt(frame.center()))
        return screen;
    if (const QScreen* screen = window.screen())
        return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

QRect FitFrameInto(const QRect& frame, const QRect& area) {
    if (!area.isValid())
        return frame;
    const QSize size = frame.size().boundedTo(area.size());
    const int x = std::clamp(frame.left(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(frame.top(), area.top(), area.top() + area.height() - size.height());
    return {QPoint(x, y), size};
}

void FitOnScreen(QWidget& window) {
    if (!window.isWindow() || window.isMaximized() || window.isFullScreen())
        return;
    const QMargins decoration = Decoration(window);
    const QRect frame = window.geometry().marginsAdded(decoration);
    const QScreen* screen = ScreenOf(window, frame);
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect fitted = FitFrameInto(frame, area);
    const bool fitsAsItIs = frame.width() <= area.width() && frame.height() <= area.height();
    if (fitted == frame || (fitsAsItIs && !window.testAttribute(Qt::WA_Moved)))
        return;
    const QRect inner = fitted.marginsRemoved(decoration);
    if (window.minimumSize() == window.maximumSize())
        window.setFixedSize(inner.size());
    else
        window.setMinimumSize(window.minimumSize().boundedTo(inner.size()));
    window.setGeometry(inner);
}

WindowsOnScreen::WindowsOnScreen() {
    if (qApp != nullptr)
        qApp->installEventFilter(this);
}

WindowsOnScreen::~WindowsOnScreen() = default;

bool WindowsOnScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        // A later show (restored from minimised, shown again) finds the window where the user or the window
        // manager left it, across two screens or partly off them as it may be.
        if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog) &&
            !widget->property(kFittedProperty).toBool()) {
            widget->setProperty(kFittedProperty, true);
            FitOnScreen(*widget);
        }
    }
    return false;
}

} // namespace ui
