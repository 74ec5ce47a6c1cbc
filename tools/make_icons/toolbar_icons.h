#pragma once

#include <QImage>

#include <vector>

// The 24 x 24 images of the main tool bar, in the order of its buttons: New, Open, Save, Print, Default UI,
// Alternate UI, Printout, balance with H+, balance with OH-, pV=nRT, n=CV, percentages, elemental analysis,
// substances database, moieties editor, tutorial, About.
std::vector<QImage> ToolbarImages();
