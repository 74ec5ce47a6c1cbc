#include "app/controls/formula_list_ctrl.h"

#include "app/painter_surface.h"
#include "model/chemical_formula.h"
#include "platform/ui/control_host.h"
#include "platform/ui/text_codec.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// The smaller letters of subscripts and superscripts: Arial with a 12-pixel cell.
const FontSpec kSmallFont{"Arial", 12, 400, FontSpec::kVariableSwiss};
// The formula starts this far from the cell's left edge.
constexpr int kTextInset = 3;

ColorRef ToColorRef(const QColor& color) {
    return MakeColorRef(color.red(), color.green(), color.blue());
}

// The dotted mark of the focused row, one pixel in two along its top and bottom and down its left side.
void DrawFocusDots(QPainter& painter, const QRect& row, const QColor& color) {
    const int left = row.left();
    const int right = row.left() + row.width();
    const int top = row.top();
    const int bottom = row.top() + row.height();
    painter.setPen(color);
    for (int x = left + 2; x + 1 <= right; x += 2)
        painter.drawPoint(x, top);
    for (int x = left + 3; x <= right; x += 2)
        painter.drawPoint(x, bottom - 1);
    for (int y = top; y + 2 <= bottom; y += 2)
        painter.drawPoint(left + 2, y);
}

} // namespace

CCFListCtrl* CCFListCtrl::Attach(ui::ControlHost& host, int id) {
    auto* list = new CCFListCtrl;
    ReplaceTemplateList(host, id, list);
    return list;
}

void CCFListCtrl::paintEvent(QPaintEvent* event) {
    // The list's own painting first: the formula column then holds the plain text.
    CListCtrlD::paintEvent(event);

    if (m_formulaColumn < 0 || m_formulaColumn >= columnCount())
        return;
    const int width = columnWidth(m_formulaColumn);
    const int before = columnViewportPosition(m_formulaColumn);
    const QRect page = viewport()->rect();
    const QRect column(before, page.top(), width, page.height());
    if (width <= 0 || !column.intersects(page))
        return;

    QPainter painter(viewport());
    painter.setFont(font());
    // Erase the column; then each visible row's formula is drawn on it.
    painter.fillRect(column, palette().color(QPalette::Base));

    const FontSpec listFont{"", -QFontInfo(font()).pixelSize(), font().weight(), 0};
    const int lineHeight = fontMetrics().height();
    // The colours the list draws its selected rows with: those of the active window, of an inactive one or
    // of a disabled list.
    const QPalette::ColorGroup group =
        !isEnabled() ? QPalette::Disabled : (isActiveWindow() ? QPalette::Active : QPalette::Inactive);
    const QColor highlight = palette().color(group, QPalette::Highlight);
    const QColor highlightedText = palette().color(group, QPalette::HighlightedText);
    const QModelIndex first = indexAt(QPoint(std::max(before, 0), page.top()));
    const int firstRow = first.isValid() ? first.row() : 0;

    PainterSurface surface(painter);
    surface.SetBackgroundMode(BackgroundMode::Transparent);
    for (int row = firstRow; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = topLevelItem(row);
        const QRect bounds = visualItemRect(item);
        if (bounds.top() >= page.bottom() + 1)
            break;
        if (bounds.bottom() < page.top() || bounds.isEmpty())
            continue;
        const std::string text = ui::ToCp1252(item->text(m_formulaColumn));
        const bool focused = currentItem() == item;
        const bool selected = item->isSelected();
        const QRect cell(before, bounds.top(), width, bounds.height());

        QColor textColor = palette().color(group, QPalette::Text);
        // Black on the usual white list; on a dark one the text's colour keeps the mark visible.
        QColor dotColor = textColor;
        // A selected row is highlighted whole, this cell as the others, focused or not.
        if (selected) {
            // The selection as the style draws it in the other cells.
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            option.rect = cell;
            option.state |= QStyle::State_Selected;
            option.showDecorationSelected = true;
            style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
            style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, &painter, this);
            textColor = highlightedText;
            dotColor = QColor(255 - highlight.red(), 255 - highlight.green(), 255 - highlight.blue());
        }
        if (focused)
            DrawFocusDots(painter, bounds, dotColor);
        if (text.empty())
            continue;

        painter.save();
        painter.setClipRect(cell);
        ChemicalFormula formula;
        formula.SetText(text, true);
        surface.SetTextColor(ToColorRef(textColor));
        // The formula's line sits in the middle of the row, where the list puts the other columns' text.
        const int y = bounds.top() + std::max(0, (bounds.height() - lineHeight) / 2);
        formula.DrawAt(surface, listFont, kSmallFont, before + kTextInset, y, TextAlign::Left, true);
        painter.restore();
    }
}
