#include "app/dialogs/list_columns.h"

#include "platform/ui/control_host.h"
#include "platform/ui/list_controls.h"

#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {

// Pixels across of one base unit of the classic dialog font (8-point "MS Sans Serif" at 96 dots per inch),
// the font the widths were measured in.
constexpr double kClassicBaseX = 6.0;

} // namespace

void InsertListColumns(const ui::ControlHost& host, ui::ListView& list, std::span<const ListColumn> columns) {
    double scale = std::max(1.0, host.Units().BaseX() / kClassicBaseX);
    // Never wider than the list leaves room for beside its vertical scroll bar.
    int total = 0;
    for (const ListColumn& column : columns)
        total += column.width;
    const int room =
        list.width() - 2 * list.frameWidth() - list.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (total > 0 && room > 0)
        scale = std::min(scale, static_cast<double>(room) / total);
    int index = 0;
    for (const ListColumn& column : columns) {
        const int width = static_cast<int>(std::lround(column.width * scale));
        list.InsertColumn(index++, QString::fromLatin1(column.heading), column.alignment, width);
    }
}
