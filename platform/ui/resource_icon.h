#pragma once

#include <QIcon>

// The program's icons are compiled in as ":/icons/<id>-<size>.png", one picture per size: 203 the main frame
// and program, 190 the program icon of the About box and the tip dialog, 201 and 202 the reaction frames,
// 192 the printout frame, 191 the row remove button, which also has a picture at its default size,
// ":/icons/191.png". A dialog template names one picture, e.g. "190-32".
//
// Each icon is loaded once and shared by every window that shows it: Qt renders and keeps the pictures of
// an icon per icon, so an icon loaded for each window would leave pictures behind for each.

// Every size of the icon `id`, so that each use picks the sharpest; a null icon when there is none.
QIcon ResourceIcon(int id);

// The icon `id` at its default size only; a null icon when it has no such picture.
QIcon ResourceIconAtDefaultSize(int id);
