#pragma once

#include "app_icons.h"

#include <QImage>

#include <vector>

// One sheet to look at: the three tool-bar strips enlarged and at their real size, light and dark, and every
// icon at each of its sizes.
QImage Preview(const QImage& cold, const QImage& disabled, const QImage& hot,
               const std::vector<IconImage>& icons);
