// Manual coefficients: the check box starts them from the balanced ones and opens the alternate view, where
// they are typed; they colour blue while they balance the reaction and red while they do not, and typing
// them marks the reaction modified.
#include "reaction_view_harness.h"

#include <gtest/gtest.h>

using namespace view_test;
using namespace reaction_view;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

class ManualCoefficients : public ::testing::Test {
protected:
    void SetUp() override {
        Retype(Edit(*view, 0, kMassSlot), "4");
        windows.doc->SetModifiedFlag(false);
        QTest::mouseClick(Check(*view), Qt::LeftButton);
        ASSERT_EQ(windows.frames.size(), 2u);
        alternate = dynamic_cast<CQELTView2*>(windows.frames[1]->ActiveView());
        ASSERT_NE(alternate, nullptr);
    }

    static QAbstractButton* Check(CQELTView& v) {
        return qobject_cast<QAbstractButton*>(v.GetDlgItem(kManualCoefficientsCheck));
    }

    ReactionWindows windows{"2H2 + O2 = 2H2O"};
    CQELTView1* view = windows.OpenDefault();
    CQELTView2* alternate = nullptr;
};

TEST_F(ManualCoefficients, StartFromTheBalancedOnesInTheAlternateView) {
    CQELTDoc& doc = *windows.doc;
    EXPECT_TRUE(doc.IsManualCoefficients());
    EXPECT_TRUE(doc.IsBalanced());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(Check(*view)->isChecked());
    EXPECT_TRUE(Check(*alternate)->isChecked());
    for (int row : {0, 1, 128}) {
        QLineEdit* coefficient = Edit(*alternate, row, kCoefficientSlot);
        EXPECT_TRUE(coefficient->isEnabled()) << row;
        EXPECT_EQ(TextColor(coefficient), kBlue) << row;
    }
    EXPECT_EQ(Text(*alternate, 0, kCoefficientSlot), "2");
    EXPECT_EQ(Text(*alternate, 1, kCoefficientSlot), "1");
    EXPECT_EQ(Text(*alternate, 128, kCoefficientSlot), "2");
    // The amounts follow the manual coefficients.
    EXPECT_EQ(Text(*view, 128, kComputedMolesSlot), "1.984 mol");
    // Asking again only activates the alternate frame.
    QTest::mouseClick(Check(*view), Qt::LeftButton);
    QTest::mouseClick(Check(*view), Qt::LeftButton);
    EXPECT_EQ(windows.frames.size(), 2u);
}

TEST_F(ManualCoefficients, TypedCoefficientsColourAndMarkTheReactionModified) {
    CQELTDoc& doc = *windows.doc;
    doc.SetModifiedFlag(false);
    QLineEdit* oxygen = Edit(*alternate, 1, kCoefficientSlot);
    Retype(oxygen, "3");
    EXPECT_EQ(doc.GetManualCoefficient(1), 3);
    EXPECT_FALSE(doc.IsBalanced());
    EXPECT_TRUE(doc.IsModified());
    for (int row : {0, 1, 128})
        EXPECT_EQ(TextColor(alternate->RowControl(row, kCoefficientSlot)), kRed) << row;
    // Every view shows the new coefficient and the amounts computed with it.
    EXPECT_EQ(Text(*view, 1, kComputedMolesSlot), "2.976 mol");

    // The caret stays while the coefficient grows.
    QTest::keyClicks(oxygen, "0");
    EXPECT_EQ(oxygen->text(), "30");
    EXPECT_EQ(oxygen->cursorPosition(), 2);
    oxygen->setCursorPosition(0);
    QTest::keyClick(oxygen, Qt::Key_Delete);
    EXPECT_EQ(oxygen->text(), "0");
    EXPECT_EQ(oxygen->cursorPosition(), 0);
    // A sign being typed, and a number too long for an int, are taken without harm.
    Retype(oxygen, "-");
    EXPECT_EQ(oxygen->text(), "-");
    EXPECT_EQ(doc.GetManualCoefficient(1), 0);
    Retype(oxygen, "99999999999999999999");
    EXPECT_EQ(doc.GetManualCoefficient(1), 2147483647);

    Retype(oxygen, "1");
    EXPECT_TRUE(doc.IsBalanced());
    EXPECT_EQ(TextColor(oxygen), kBlue);
}

TEST_F(ManualCoefficients, TurningThemOffBalancesAutomaticallyAgain) {
    CQELTDoc& doc = *windows.doc;
    Retype(Edit(*alternate, 1, kCoefficientSlot), "3");
    QTest::mouseClick(Check(*alternate), Qt::LeftButton);
    EXPECT_FALSE(doc.IsManualCoefficients());
    EXPECT_FALSE(Check(*view)->isChecked());
    EXPECT_EQ(doc.GetBalancedCoefficients(), (std::vector<int>{2, 1, 2}));
    for (int row : {0, 1, 128}) {
        QLineEdit* coefficient = Edit(*alternate, row, kCoefficientSlot);
        EXPECT_FALSE(coefficient->isEnabled()) << row;
        EXPECT_NE(TextColor(coefficient), kRed) << row;
        EXPECT_NE(TextColor(coefficient), kBlue) << row;
    }
    EXPECT_EQ(Text(*alternate, 1, kCoefficientSlot), "1");
    EXPECT_EQ(Text(*view, 1, kComputedMolesSlot), "0.9921 mol");
}

TEST(ManualCoefficientsParsing, TakeWhatAnIntCanHold) {
    EXPECT_EQ(CQELTView2::ParseCoefficient("12"), 12);
    EXPECT_EQ(CQELTView2::ParseCoefficient("  7x"), 7);
    EXPECT_EQ(CQELTView2::ParseCoefficient("-3"), -3);
    EXPECT_EQ(CQELTView2::ParseCoefficient(""), 0);
    EXPECT_EQ(CQELTView2::ParseCoefficient("abc"), 0);
    EXPECT_EQ(CQELTView2::ParseCoefficient("-99999999999999999999"), -2147483647 - 1);
}

TEST(ManualCoefficientsAlternateOnly, UnbalancedWithoutAutomaticCoefficients) {
    ReactionWindows windows("H2 + O2 = NaCl");
    CQELTView2* view = windows.OpenAlternate();
    for (int row : {0, 1, 128}) {
        EXPECT_EQ(Text(*view, row, kCoefficientSlot), "?") << row;
        EXPECT_FALSE(view->RowControl(row, kCoefficientSlot)->isEnabled());
    }
    QTest::mouseClick(qobject_cast<QAbstractButton*>(view->GetDlgItem(kManualCoefficientsCheck)),
                      Qt::LeftButton);
    // Nothing balanced to start from: the manual coefficients stay as they were, and do not balance.
    EXPECT_EQ(windows.frames.size(), 1u);
    EXPECT_EQ(Text(*view, 0, kCoefficientSlot), "1");
    EXPECT_EQ(TextColor(view->RowControl(0, kCoefficientSlot)), kRed);
}

} // namespace
