// The formula list: its formula column drawn with real subscripts, the selected row highlighted whole,
// rows at the bottom edge, and a formula column the list does not have.
#include "app/controls/formula_list_ctrl.h"
#include "app_test_host.h"
#include "platform/ui/dialog.h"
#include "platform/ui/dialog_template.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The results list of a calculator: a number column and a formula column.
class ListDialog : public ui::Dialog {
public:
    explicit ListDialog(int formulaColumn = 1, int rows = 4)
        : ui::Dialog(ui::ParseDialogTemplate(R"(dialog 1 200 90 "Formulas"
font "MS Sans Serif" 8
listview 131 5 5 190 80 "" singlesel fullrow showselalways
button 1 150 70 40 14 "OK"
)",
                                             "formula_list.dlg")),
          m_formulaColumn(formulaColumn), m_rows(rows) {}
    CCFListCtrl* list = nullptr;

protected:
    bool OnInitDialog() override {
        list = CCFListCtrl::Attach(*this, 131);
        list->m_formulaColumn = m_formulaColumn;
        list->InsertColumn(0, "n", Qt::AlignLeft, 40);
        list->InsertColumn(1, "formula", Qt::AlignLeft, 200);
        const char* formulas[] = {"NaCl", "H2O", "Fe2(SO4)3", "CuSO_4&5H_2O", "NH_4^+", ""};
        for (int i = 0; i < m_rows; ++i)
            new QTreeWidgetItem(list, QStringList{QString::number(i + 1), formulas[i % 6]});
        return ui::Dialog::OnInitDialog();
    }

private:
    int m_formulaColumn;
    int m_rows;
};

QImage Picture(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The box of the pixels in the area that differ from the colour.
QRect InkBox(const QImage& image, const QRect& area, const QColor& background) {
    QRect box;
    for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), image.height() - 1); ++y)
        for (int x = std::max(area.left(), 0); x <= std::min(area.right(), image.width() - 1); ++x)
            if (image.pixelColor(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

// A cell of the list in the viewport's coordinates, a little inside its edges (the focus dots run along
// the row's edges).
QRect Cell(CCFListCtrl* list, int row, int column) {
    const QRect bounds = list->visualItemRect(list->topLevelItem(row));
    return QRect(list->columnViewportPosition(column) + 4, bounds.top() + 1, list->columnWidth(column) - 8,
                 bounds.height() - 2);
}

QColor Base(CCFListCtrl* list) {
    return list->palette().color(QPalette::Base);
}

TEST(FormulaList, SubscriptsDropBelowTheLineOfTheNormalLetters) {
    AppTestHost host;
    ListDialog dialog;
    dialog.Create();
    const QImage image = Picture(dialog.list->viewport());
    const QRect plain = InkBox(image, Cell(dialog.list, 0, 1), Base(dialog.list));   // NaCl
    const QRect indexed = InkBox(image, Cell(dialog.list, 1, 1), Base(dialog.list)); // H2O
    ASSERT_FALSE(plain.isEmpty());
    ASSERT_FALSE(indexed.isEmpty());
    const int rowPitch = Cell(dialog.list, 1, 1).top() - Cell(dialog.list, 0, 1).top();
    // NaCl has no descenders; the subscript 2 reaches below its letters.
    EXPECT_GT(indexed.bottom() - rowPitch, plain.bottom());
    test_support::SaveScreenshot(dialog, "formula_list_control");
}

TEST(FormulaList, TheSelectedRowIsHighlightedWholeFocusedOrNot) {
    AppTestHost host;
    ListDialog dialog;
    dialog.Create();
    QApplication::setActiveWindow(&dialog);
    dialog.list->setCurrentItem(dialog.list->topLevelItem(1));
    dialog.list->topLevelItem(1)->setSelected(true);
    ASSERT_TRUE(dialog.list->topLevelItem(1)->isSelected());
    const QRect cell = Cell(dialog.list, 1, 1);
    const QPoint blank(cell.right() - 2, cell.center().y());
    const QPoint numberCell(Cell(dialog.list, 1, 0).right() - 2, cell.center().y());

    for (const bool focused : {true, false}) {
        if (focused)
            dialog.list->setFocus();
        else
            dialog.GetDlgItem(1)->setFocus();
        ASSERT_EQ(dialog.list->hasFocus(), focused);
        const QImage image = Picture(dialog.list->viewport());
        const QColor rowColour = image.pixelColor(numberCell);
        EXPECT_NE(rowColour, Base(dialog.list)) << "the list shows its selection";
        const QColor formulaCell = image.pixelColor(blank);
        EXPECT_LE(std::abs(formulaCell.red() - rowColour.red()) +
                      std::abs(formulaCell.green() - rowColour.green()) +
                      std::abs(formulaCell.blue() - rowColour.blue()),
                  3)
            << "the formula cell as the rest of the row";
        EXPECT_FALSE(InkBox(image, cell, rowColour).isEmpty()) << "the formula is drawn on it";
        // Another row's formula cell stays on the window colour.
        EXPECT_EQ(image.pixelColor(Cell(dialog.list, 0, 1).right() - 2, Cell(dialog.list, 0, 1).center().y()),
                  Base(dialog.list));
        if (focused)
            test_support::SaveScreenshot(dialog, "formula_list_selected_row");
    }
}

TEST(FormulaList, ARowHalfVisibleAtTheBottomStillShowsItsFormula) {
    AppTestHost host;
    ListDialog dialog(1, 40);
    dialog.Create();
    CCFListCtrl* list = dialog.list;
    const int height = list->viewport()->height();
    int partial = -1;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QRect bounds = list->visualItemRect(list->topLevelItem(row));
        if (bounds.top() < height && bounds.bottom() >= height) {
            partial = row;
            break;
        }
    }
    if (partial == -1)
        GTEST_SKIP() << "the rows happen to fill the list exactly";
    const QRect bounds = list->visualItemRect(list->topLevelItem(partial));
    const QRect visible(list->columnViewportPosition(1) + 4, bounds.top(), list->columnWidth(1) - 8,
                        height - bounds.top());
    const QImage image = Picture(list->viewport());
    if (list->topLevelItem(partial)->text(1).isEmpty())
        GTEST_SKIP() << "the half-visible row has no formula";
    EXPECT_FALSE(InkBox(image, visible, Base(list)).isEmpty());
}

TEST(FormulaList, AFormulaColumnTheListDoesNotHaveLeavesThePlainList) {
    AppTestHost host;
    ListDialog formulas(7);
    formulas.Create();
    ListDialog plain(1);
    plain.Create();
    // Column 7 does not exist: the list shows its own text, unlike a list that draws its formulas.
    const QImage withoutColumn = Picture(formulas.list->viewport());
    const QImage withColumn = Picture(plain.list->viewport());
    EXPECT_NE(withoutColumn, withColumn);
    plain.list->m_formulaColumn = -1;
    EXPECT_EQ(Picture(plain.list->viewport()), withoutColumn);
}

} // namespace
