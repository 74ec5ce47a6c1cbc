#pragma once

#include <QByteArray>

// Checks of a main window's stored layout before it is applied: settings may hold a damaged value (edited
// by hand, written by another program, cut short), and Qt applies what it is given.
namespace ui {

// Whether bytes stored from QMainWindow::saveState fit a window with the given number of tool bars and
// no dock widgets: every part is walked with each count bounded by what such a window has and by the
// bytes left, the tool bars' part must be there, and the bytes must end where the last part does. A damaged
// count would make restoreState loop over it for a long time.
bool IsPlausibleWindowState(const QByteArray& state, int toolBarCount);

} // namespace ui
