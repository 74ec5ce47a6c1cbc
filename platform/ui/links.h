#pragma once

#include <QString>

// Opens a web address, a mail address ("mailto:...") or a file with the desktop's program for it.
namespace ui {

// False when the desktop could not open it.
bool OpenLink(const QString& target);

// Tells the user that the target could not be opened, in a message box that shows the address ("mailto:"
// left out) for copying.
void ReportLinkNotOpened(const QString& target);

} // namespace ui
