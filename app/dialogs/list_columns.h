#pragma once

#include <Qt>
#include <span>

namespace ui {
class ControlHost;
class ListView;
} // namespace ui

// One column of a report list: heading, alignment and width in the pixels of the classic dialog font.
struct ListColumn {
    const char* heading;
    Qt::Alignment alignment;
    int width;
};

// Adds the columns to the list in order. The widths grow with the dialog's font as its dialog units do, so
// that the texts the columns were made for still fit, as far as the list has room for them all.
void InsertListColumns(const ui::ControlHost& host, ui::ListView& list, std::span<const ListColumn> columns);
