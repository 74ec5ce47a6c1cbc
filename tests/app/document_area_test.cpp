// Reactions wider than the window: the document area scrolls, and the box that takes the focus is brought
// into view.
#include "reaction_view_harness.h"
#include "ui_test_support.h"

#include <QScrollBar>

#include <gtest/gtest.h>

using namespace view_test;
using namespace reaction_view;

namespace {

bool ShownInArea(ui::DocumentArea& area, QWidget* widget) {
    const QRect place(widget->mapTo(area.viewport(), QPoint(0, 0)), widget->size());
    return area.viewport()->rect().contains(place);
}

// Presses Tab until the widget has the focus; false when it never gets it.
bool TabTo(QWidget* widget, int limit) {
    for (int i = 0; i < limit && !widget->hasFocus(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QApplication::processEvents();
    }
    return widget->hasFocus();
}

class WideReaction : public ::testing::Test {
protected:
    explicit WideReaction(const std::string& reaction) : windows(reaction) {
        windows.area.resize(1280, 720);
        windows.area.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&windows.area));
        view = windows.OpenDefault();
    }

    ReactionWindows windows;
    CQELTView1* view = nullptr;
};

class NineReagents : public WideReaction {
protected:
    NineReagents() : WideReaction("C2H6 + C3H8 + C4H10 + C5H12 + C6H14 + C7H16 + O2 = CO2 + H2O") {}
};

TEST_F(NineReagents, TabBringsEveryBoxIntoView) {
    ASSERT_GT(view->width(), windows.area.viewport()->width());
    EXPECT_EQ(view->Frame()->pos(), QPoint(0, 0)) << "too wide for the area: opened at its corner";
    EXPECT_TRUE(windows.area.horizontalScrollBar()->isVisible());
    QWidget* last = view->RowControl(129, kFormulaSlot);
    EXPECT_FALSE(ShownInArea(windows.area, last));

    view->RowControl(0, kFormulaSlot)->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(TabTo(last, 200));
    EXPECT_TRUE(ShownInArea(windows.area, last));
    // The buttons at the end of the form are within reach of the scroll bar.
    QScrollBar* bar = windows.area.horizontalScrollBar();
    bar->setValue(bar->maximum());
    QApplication::processEvents();
    EXPECT_TRUE(ShownInArea(windows.area, view->GetDlgItem(kAddProductButton)));
    EXPECT_TRUE(ShownInArea(windows.area, view->GetDlgItem(kClearAmountsButton)));
    test_support::SaveScreenshot(windows.area, "wide_reaction_scrolled_to_end");
    // A click on the equation line leaves the area where it is.
    const QRect band = view->ControlRect(kEquationBase + 129);
    QTest::mouseClick(view->Page(), Qt::LeftButton, {}, band.center());
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
    // A new window opens where the area is scrolled to, not where its windows began.
    CQELTView2* lines = windows.OpenAlternate();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(ShownInArea(windows.area, lines->Frame()));

    // Back to the first box: the area scrolls back.
    view->RowControl(0, kFormulaSlot)->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(ShownInArea(windows.area, view->RowControl(0, kFormulaSlot)));
}

class FullSide : public WideReaction {
protected:
    static std::string Alkanes() {
        std::string text;
        for (int n = 1; n <= 125; ++n)
            text += "C" + std::to_string(n) + "H" + std::to_string(2 * n + 2) + " + ";
        return text + "O2 = CO2 + H2O";
    }
    FullSide() : WideReaction(Alkanes()) {}
};

TEST_F(FullSide, TheProductsAndANewRowComeIntoView) {
    ASSERT_EQ(view->ReactantRowCount(), 126);
    QWidget* product = view->RowControl(128, kFormulaSlot);
    view->RowControl(125, kMassSlot)->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(TabTo(product, 20));
    EXPECT_TRUE(ShownInArea(windows.area, product));

    view->RowControl(0, kFormulaSlot)->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(ShownInArea(windows.area, product));
    // A new product takes the focus, and is shown.
    QMetaObject::invokeMethod(view->GetDlgItem(kAddProductButton), "click");
    QApplication::processEvents();
    ASSERT_EQ(view->ProductRowCount(), 3);
    EXPECT_TRUE(view->RowControl(130, kFormulaSlot)->hasFocus());
    EXPECT_TRUE(ShownInArea(windows.area, view->RowControl(130, kFormulaSlot)));

    // The alternate view grows downwards: the same below.
    CQELTView2* lines = windows.OpenAlternate();
    ASSERT_GT(lines->height(), windows.area.viewport()->height());
    lines->RowControl(125, kMassSlot)->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(TabTo(lines->RowControl(128, kFormulaSlot), 20));
    EXPECT_TRUE(ShownInArea(windows.area, lines->RowControl(128, kFormulaSlot)));
}

} // namespace
