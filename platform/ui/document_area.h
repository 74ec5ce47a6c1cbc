#pragma once

#include <QMdiArea>
#include <QPointer>

class QMdiSubWindow;

// The area of the main window where the document windows lie. Windows may reach past its edges (a reaction
// with many reagents is wider than any screen): the area then shows scroll bars, and whatever control takes
// the focus inside one of its windows, by the keyboard, a click or the program, is scrolled into view.
// A window shown for the first time opens where the user looks: in a cascade from the top-left corner of
// what the area shows now, each one a title bar lower and to the right of the one before, and back at the
// corner when the next would reach past what is shown. A window larger than that opens at the corner.
namespace ui {

class DocumentArea : public QMdiArea {
    Q_OBJECT
public:
    explicit DocumentArea(QWidget* parent = nullptr);

    // Scrolls the area, and any scrolling view between, so that the widget inside one of the area's windows
    // is visible (as much of it as fits); nothing for a widget outside them.
    void EnsureVisible(QWidget* widget);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnFocusChanged(QWidget* now);
    // Gives the focus to a control of the active window, unless one of them has it or is the one the main
    // window remembers. The focus outside the area (a tool bar, a dock) is left where it is.
    void KeepFocusInActiveWindow();
    void PlaceNewWindow(QMdiSubWindow* window);

    QPointer<QWidget> m_pending;
    int m_cascadeStep = 0; // of the next new window, in title bars from the corner
};

} // namespace ui
