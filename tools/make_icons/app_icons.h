#pragma once

#include <QImage>
#include <QString>

#include <vector>

// The program's icons, each in several sizes: 203 the main frame and program, 190 the program icon of the
// About box and the tip dialog, 201 and 202 the reaction frames (201 is also the document icon), 192 the
// printout frame, 191 the row remove button.
struct IconImage {
    int id;
    int size;
    QImage image;
};

std::vector<IconImage> AppIcons();
