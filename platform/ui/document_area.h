#pragma once

#include <QMdiArea>
#include <QPointer>

// The area of the main window where the document windows lie. Windows may reach past its edges (a reaction
// with many reagents is wider than any screen): the area then shows scroll bars, and whatever control takes
// the focus inside one of its windows, by the keyboard, a click or the program, is scrolled into view.
namespace ui {

class DocumentArea : public QMdiArea {
    Q_OBJECT
public:
    explicit DocumentArea(QWidget* parent = nullptr);

    // Scrolls the area, and any scrolling view between, so that the widget inside one of the area's windows
    // is visible (as much of it as fits); nothing for a widget outside them.
    void EnsureVisible(QWidget* widget);

private:
    void OnFocusChanged(QWidget* now);

    QPointer<QWidget> m_pending;
};

} // namespace ui
