#pragma once

#include <QObject>
#include <QRect>

class QWidget;

// Top-level windows open wholly inside the available area of their screen (the screen less the desktop's
// panels), whatever the screen's size and scale: a window larger than the area is shrunk to it, one that
// reaches past an edge is moved in. The frame the window manager draws around a window counts.
namespace ui {

// Where a frame goes to lie wholly inside the area: no wider and no taller than the area, and moved in by
// as little as it takes.
QRect FitFrameInto(const QRect& frame, const QRect& area);

// Fits a top-level window, with its frame, into the available area of the screen that holds its middle (the
// window's own screen when none does). A window of fixed size (a dialog) keeps its fixed size, shrunk where
// needed. A maximized or full-screen window is left alone, and so is the place of one that fits and whose
// place nobody chose: the window manager puts it.
void FitOnScreen(QWidget& window);

// While it lives, every top-level window and dialog the application shows (not menus or tool tips) is
// fitted on its screen when it is first shown, and only then: a window restored from minimised, or a kept
// dialog shown again, stays where the user or the window manager left it.
class WindowsOnScreen : public QObject {
    Q_OBJECT

public:
    WindowsOnScreen();
    ~WindowsOnScreen() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ui
