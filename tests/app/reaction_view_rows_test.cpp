// Rows of the reaction views: adding and removing them, their places, ids, tab order and remove buttons, the
// limit of 126 rows a side, and the row counts brought in step after the document changed its rows itself.
#include "reaction_view_harness.h"

#include <gtest/gtest.h>

using namespace view_test;
using namespace reaction_view;

namespace {

void Press(CQELTView& view, int id) {
    auto* button = qobject_cast<QAbstractButton*>(view.GetDlgItem(id));
    ASSERT_NE(button, nullptr) << id;
    ASSERT_TRUE(button->isVisible()) << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

// How the widget itself looks, without what lies inside it (a focus shown by a child is not its own).
QImage OwnLook(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

QPoint Place(CQELTView& view, int row, int slot) {
    return view.ControlRect(kSlotBase[slot] + row).topLeft();
}

// The same rows with the same formulas in the view as in its document.
void ExpectInStep(CQELTView& view, const CQELTDoc& doc) {
    ASSERT_EQ(view.ReactantRowCount(), doc.GetReactantCount());
    ASSERT_EQ(view.ProductRowCount(), doc.GetProductCount());
    for (int row = 0; row < kRowCount; ++row) {
        if (!view.RowExists(row))
            continue;
        ASSERT_NE(doc.GetReagent(row), nullptr) << row;
        EXPECT_EQ(Text(view, row, kFormulaSlot).toStdString(), doc.GetReagent(row)->GetFormula()) << row;
        // Every control of the row carries its kind's id plus the row.
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (QWidget* control = view.RowControl(row, slot)) {
                EXPECT_EQ(ui::ControlHost::ControlId(control), kSlotBase[slot] + row) << row << " " << slot;
                EXPECT_EQ(view.GetDlgItem(kSlotBase[slot] + row), control) << row << " " << slot;
                // A click in the middle of a shown control reaches it, whatever groups the controls.
                if (control->isVisible()) {
                    QWidget* hit = view.Page()->childAt(view.ControlRect(kSlotBase[slot] + row).center());
                    EXPECT_TRUE(hit == control || control->isAncestorOf(hit)) << row << " " << slot;
                }
            }
        }
    }
}

std::string ManyReactants(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += i == 0 ? "H2" : " + H2";
    return text + " = H2O";
}

TEST(ReactionViewRows, DefaultViewPlacesColumnsByItsMarkers) {
    ReactionWindows windows("CH4 + 2O2 = CO2 + 2H2O");
    CQELTView1* view = windows.OpenDefault();
    const ui::DialogUnits& units = view->Units();
    // Columns 90 dialog units apart; the products start 11 units further on.
    const int pitch = units.ToPixelsX(121) - units.ToPixelsX(31);
    const int gap = units.ToPixelsX(132) - units.ToPixelsX(31) - pitch;
    EXPECT_EQ(Place(*view, 1, kFormulaSlot) - Place(*view, 0, kFormulaSlot), QPoint(pitch, 0));
    EXPECT_EQ(Place(*view, 128, kFormulaSlot) - Place(*view, 1, kFormulaSlot), QPoint(pitch + gap, 0));
    EXPECT_EQ(Place(*view, 129, kMassSlot) - Place(*view, 128, kMassSlot), QPoint(pitch, 0));
    // Every control of a column moves with it.
    for (int slot :
         {kRemoveSlot, kDatabaseSlot, kMolarMassSlot, kComputedMassSlot, kGasOutputSlot, kMolesUnitSlot})
        EXPECT_EQ(Place(*view, 129, slot) - Place(*view, 0, slot), QPoint(3 * pitch + gap, 0)) << slot;

    // Adding a reactant pushes the products one column on and widens the form by one column.
    const QSize before = view->sizeHint();
    const QPoint product = Place(*view, 128, kFormulaSlot);
    const QPoint addProduct = view->GetDlgItem(kAddProductButton)->pos();
    Press(*view, kAddReactantButton);
    EXPECT_EQ(Place(*view, 128, kFormulaSlot), product + QPoint(pitch, 0));
    EXPECT_EQ(Place(*view, 2, kFormulaSlot), Place(*view, 1, kFormulaSlot) + QPoint(pitch, 0));
    EXPECT_EQ(view->GetDlgItem(kAddProductButton)->pos(), addProduct + QPoint(pitch, 0));
    EXPECT_EQ(view->sizeHint(), before + QSize(pitch, 0));
    EXPECT_EQ(view->size(), view->sizeHint());
    EXPECT_TRUE(view->RowControl(2, kFormulaSlot)->hasFocus());
    ExpectInStep(*view, *windows.doc);

    // Removing it again takes everything back.
    Press(*view, kRemoveBase + 2);
    EXPECT_EQ(Place(*view, 128, kFormulaSlot), product);
    EXPECT_EQ(view->GetDlgItem(kAddProductButton)->pos(), addProduct);
    EXPECT_EQ(view->sizeHint(), before);
    ExpectInStep(*view, *windows.doc);
}

TEST(ReactionViewRows, AlternateViewPlacesLinesAndGrowsItsGroupBoxes) {
    ReactionWindows windows("CH4 + 2O2 = CO2 + 2H2O");
    CQELTView2* view = windows.OpenAlternate();
    const ui::DialogUnits& units = view->Units();
    const int pitch = units.ToPixelsY(24) - units.ToPixelsY(10);
    const int gap = units.ToPixelsY(47) - units.ToPixelsY(10) - pitch;
    EXPECT_EQ(Place(*view, 1, kFormulaSlot) - Place(*view, 0, kFormulaSlot), QPoint(0, pitch));
    EXPECT_EQ(Place(*view, 128, kCoefficientSlot) - Place(*view, 1, kCoefficientSlot),
              QPoint(0, pitch + gap));
    const QRect reactants = view->ControlRect(kReactantsGroup);
    const QRect products = view->ControlRect(kProductsGroup);
    // Each group box holds its lines.
    for (int row : {0, 1})
        EXPECT_TRUE(reactants.contains(view->ControlRect(kFormulaBase + row))) << row;
    for (int row : {128, 129})
        EXPECT_TRUE(products.contains(view->ControlRect(kFormulaBase + row))) << row;

    Press(*view, kAddReactantButton);
    EXPECT_EQ(view->ControlRect(kReactantsGroup), reactants.adjusted(0, 0, 0, pitch));
    EXPECT_EQ(view->ControlRect(kProductsGroup), products.translated(0, pitch));
    Press(*view, kAddProductButton);
    EXPECT_EQ(view->ControlRect(kProductsGroup), products.translated(0, pitch).adjusted(0, 0, 0, pitch));
    EXPECT_TRUE(view->ControlRect(kProductsGroup).contains(view->ControlRect(kFormulaBase + 130)));
    Press(*view, kRemoveBase + 0);
    EXPECT_EQ(view->ControlRect(kReactantsGroup), reactants);
    Press(*view, kRemoveBase + 130);
    EXPECT_EQ(view->ControlRect(kProductsGroup), products);
    ExpectInStep(*view, *windows.doc);
    EXPECT_EQ(windows.doc->GetReagent(0)->GetFormula(), "O2");
}

TEST(ReactionViewRows, RemoveButtonsAndTabOrder) {
    ReactionWindows windows("Zn + HCl = ZnCl2 + H2");
    CQELTView2* view = windows.OpenAlternate();
    Press(*view, kRemoveBase + 129);
    EXPECT_TRUE(view->RowControl(128, kRemoveSlot)->isHidden());
    EXPECT_FALSE(view->RowControl(0, kRemoveSlot)->isHidden());
    Press(*view, kRemoveBase + 1);
    EXPECT_TRUE(view->RowControl(0, kRemoveSlot)->isHidden());
    EXPECT_EQ(windows.doc->GetReactantCount(), 1);
    EXPECT_EQ(windows.doc->GetProductCount(), 1);
    // The last row of a side stays, even when asked through its id.
    QMetaObject::invokeMethod(view->RowControl(0, kRemoveSlot), "click");
    EXPECT_EQ(view->ReactantRowCount(), 1);
    EXPECT_EQ(windows.doc->GetReactantCount(), 1);

    Press(*view, kAddReactantButton);
    Press(*view, kAddProductButton);
    EXPECT_FALSE(view->RowControl(0, kRemoveSlot)->isHidden());
    EXPECT_FALSE(view->RowControl(1, kRemoveSlot)->isHidden());
    EXPECT_FALSE(view->RowControl(128, kRemoveSlot)->isHidden());

    // Tab goes through the rows in row order, then to the buttons below them.
    const std::vector<QWidget*> expected = {
        view->RowControl(0, kFormulaSlot), view->RowControl(1, kFormulaSlot),
        view->RowControl(128, kFormulaSlot), view->RowControl(129, kFormulaSlot),
        view->GetDlgItem(kAddReactantButton)};
    std::vector<QWidget*> seen;
    QWidget* w = view->RowControl(0, kFormulaSlot);
    for (int step = 0; step < 200; ++step, w = w->nextInFocusChain()) {
        if (std::find(expected.begin(), expected.end(), w) != expected.end() &&
            std::find(seen.begin(), seen.end(), w) == seen.end())
            seen.push_back(w);
    }
    EXPECT_EQ(seen, expected);
}

// Tab stops only at controls that show they have the focus, and comes round to where it started.
TEST(ReactionViewRows, EveryTabStopShowsTheFocus) {
    ReactionWindows windows;
    windows.area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&windows.area));
    for (CQELTView* view :
         std::initializer_list<CQELTView*>{windows.OpenDefault(), windows.OpenAlternate()}) {
        QWidget* first = view->RowControl(0, kFormulaSlot);
        first->setFocus(Qt::TabFocusReason);
        QWidget* stop = first;
        for (int step = 0; step < 40; ++step) {
            const QImage focused = OwnLook(stop);
            QTest::keyClick(stop, Qt::Key_Tab);
            QWidget* next = QApplication::focusWidget();
            ASSERT_NE(next, stop) << "Tab stayed on a " << stop->metaObject()->className();
            EXPECT_TRUE(stop->isVisible() && stop->isEnabled()) << stop->metaObject()->className();
            EXPECT_TRUE(OwnLook(stop) != focused)
                << "a " << stop->metaObject()->className() << " " << ui::ControlHost::ControlId(stop)
                << " looks the same with and without the focus";
            stop = next;
            if (stop == first)
                break;
        }
        EXPECT_EQ(stop, first) << "Tab comes round to the first formula";
    }
}

TEST(ReactionViewRows, NewRowsGetTheirManualCoefficientPlace) {
    ReactionWindows windows("2H2 + O2 = 2H2O");
    CQELTView1* view = windows.OpenDefault();
    CQELTDoc& doc = *windows.doc;
    doc.SetManualCoefficient(2, 7);
    Press(*view, kAddReactantButton);
    // The product's coefficient moved one packed place up; the new reactant has 1.
    EXPECT_EQ(doc.GetManualCoefficient(2), 1);
    EXPECT_EQ(doc.GetManualCoefficient(3), 7);
    EXPECT_EQ(doc.GetReactantCount(), 3);
    EXPECT_EQ(doc.GetReagent(2)->GetMolarMass(), 0.0);
    // An empty row cannot be balanced; adding it did not mark the reaction modified.
    EXPECT_FALSE(doc.HasBalancedCoefficients());
    doc.SetModifiedFlag(false);
    Press(*view, kAddProductButton);
    EXPECT_EQ(doc.GetManualCoefficient(4), 1);
    EXPECT_FALSE(doc.IsModified());
    // Removing a row does.
    Press(*view, kRemoveBase + 2);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetManualCoefficient(2), 7);
    Press(*view, kRemoveBase + 129);
    EXPECT_EQ(doc.GetBalancedCoefficients(), (std::vector<int>{2, 1, 2}));
}

TEST(ReactionViewRows, TwoViewsAddAndRemoveTheSameRows) {
    ReactionWindows windows("2H2 + O2 = 2H2O");
    CQELTView1* view1 = windows.OpenDefault();
    CQELTView2* view2 = windows.OpenAlternate();
    CQELTDoc& doc = *windows.doc;

    Press(*view1, kAddProductButton);
    EXPECT_EQ(doc.GetProductCount(), 2);
    ExpectInStep(*view1, doc);
    ExpectInStep(*view2, doc);
    Type(Edit(*view2, 129, kFormulaSlot), "H2O2");
    EXPECT_EQ(Text(*view1, 129, kFormulaSlot), "H2O2");

    Press(*view2, kAddReactantButton);
    Type(Edit(*view1, 2, kFormulaSlot), "O3");
    EXPECT_EQ(Text(*view2, 2, kFormulaSlot), "O3");
    ExpectInStep(*view1, doc);
    ExpectInStep(*view2, doc);

    // The second product row goes in both views; the document loses one reagent, not two.
    Press(*view2, kRemoveBase + 129);
    EXPECT_EQ(doc.GetProductCount(), 1);
    EXPECT_EQ(doc.GetReactantCount(), 3);
    ExpectInStep(*view1, doc);
    ExpectInStep(*view2, doc);
    Press(*view1, kRemoveBase + 0);
    EXPECT_EQ(doc.GetReactantCount(), 2);
    EXPECT_EQ(Text(*view2, 0, kFormulaSlot), "O2");
    EXPECT_EQ(Text(*view2, 1, kFormulaSlot), "O3");
    ExpectInStep(*view1, doc);
    ExpectInStep(*view2, doc);
    EXPECT_TRUE(view1->RowControl(0, kRemoveSlot)->isVisible());
    EXPECT_TRUE(view2->RowControl(128, kRemoveSlot)->isHidden());
}

TEST(ReactionViewRows, TheLastRowOfASideAppearsInEveryView) {
    ReactionWindows windows(ManyReactants(kMaxRowsPerSide - 1));
    CQELTView1* view1 = windows.OpenDefault();
    CQELTView2* view2 = windows.OpenAlternate();
    ASSERT_EQ(view2->ReactantRowCount(), kMaxRowsPerSide - 1);
    Press(*view2, kAddReactantButton);
    EXPECT_EQ(windows.doc->GetReactantCount(), kMaxRowsPerSide);
    EXPECT_EQ(view1->ReactantRowCount(), kMaxRowsPerSide);
    EXPECT_EQ(view2->ReactantRowCount(), kMaxRowsPerSide);
    // One more is refused by both.
    Press(*view1, kAddReactantButton);
    EXPECT_EQ(windows.doc->GetReactantCount(), kMaxRowsPerSide);
    EXPECT_EQ(view1->ReactantRowCount(), kMaxRowsPerSide);
    EXPECT_EQ(view2->ReactantRowCount(), kMaxRowsPerSide);
    EXPECT_FALSE(view1->RowExists(kMaxRowsPerSide));
    ExpectInStep(*view1, *windows.doc);
}

TEST(ReactionViewRows, RowCountsFollowTheDocumentsOwnChanges) {
    ReactionWindows windows("2H2 + O2 = 2H2O");
    CQELTView1* view1 = windows.OpenDefault();
    CQELTView2* view2 = windows.OpenAlternate();
    CQELTDoc& doc = *windows.doc;
    const int oldReactants = doc.GetReactantCount();
    const int oldProducts = doc.GetProductCount();
    // As the ion balancing does: rows removed and appended by the document itself.
    doc.RemoveReagent(0);
    doc.RemoveReagent(0);
    for (const char* formula : {"H^+", "OH^-"}) {
        const int row = doc.GetReactantCount();
        doc.SetReagent(row, std::make_unique<CQELTReagent>(formula));
        doc.SetComposition(row, doc.GetReagent(row)->GetComposition());
        doc.SetReagentCounts(row + 1, doc.GetProductCount());
    }
    doc.SetReagent(129, std::make_unique<CQELTReagent>("H2"));
    doc.SetReagentCounts(doc.GetReactantCount(), 2);
    doc.BalanceReaction();
    view2->SetRowCounts(oldReactants, oldProducts);
    ExpectInStep(*view1, doc);
    ExpectInStep(*view2, doc);
    EXPECT_EQ(Text(*view1, 1, kFormulaSlot), "OH^-");
    EXPECT_EQ(Text(*view2, 129, kFormulaSlot), "H2");

    // Fewer rows than before on both sides.
    doc.RemoveReagent(1);
    doc.RemoveReagent(129);
    view1->SetRowCounts(2, 2);
    ExpectInStep(*view1, doc);
    ExpectInStep(*view2, doc);
    EXPECT_TRUE(view2->RowControl(0, kRemoveSlot)->isHidden());
}

} // namespace

namespace {

TEST(ReactionViewRows, ASideTheDocumentLeftEmptyGetsItsRow) {
    ReactionWindows windows;
    CQELTDoc& doc = *windows.doc;
    doc.SetReagent(128, std::make_unique<CQELTReagent>("H2O"));
    doc.SetReagent(129, std::make_unique<CQELTReagent>("O2"));
    doc.SetReagentCounts(0, 2);
    CQELTView1* view = windows.OpenDefault();
    EXPECT_EQ(doc.GetReactantCount(), 1);
    EXPECT_EQ(view->ReactantRowCount(), 1);
    EXPECT_EQ(view->ProductRowCount(), 2);
    // The products come after the one reactant column.
    EXPECT_GT(view->ControlRect(kFormulaBase + 128).x(), view->ControlRect(kFormulaBase).x());
    EXPECT_EQ(Text(*view, 129, kFormulaSlot), "O2");
    ExpectInStep(*view, doc);
}

} // namespace
