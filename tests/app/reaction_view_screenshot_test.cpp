// Pictures of both reaction views with a five-reagent reaction and typed amounts, one reagent in excess.
#include "reaction_view_harness.h"
#include "ui_test_support.h"

#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

using namespace view_test;
using namespace reaction_view;

namespace {

class ViewPictures : public ::testing::Test {
protected:
    void SetUp() override {
        Retype(Edit(*view1, 0, kMassSlot), "10.0");
        Retype(Edit(*view2, 1, kMassSlot), "20.0");
        QApplication::processEvents();
    }

    // Saves the picture and checks that it holds the whole form.
    static void Save(CQELTView& view, const QString& name) {
        const QString path = test_support::SaveScreenshot(view, name);
        const QImage image(path);
        ASSERT_FALSE(image.isNull()) << path.toStdString();
        EXPECT_EQ(image.size(), view.sizeHint() * view.devicePixelRatio());
    }

    ReactionWindows windows{"Cu + HNO3 = Cu(NO3)2 + NO + H2O"};
    CQELTView1* view1 = windows.OpenDefault();
    CQELTView2* view2 = windows.OpenAlternate();
};

TEST_F(ViewPictures, DefaultView) {
    EXPECT_EQ(view1->ProductRowCount(), 3);
    EXPECT_EQ(TextColor(view1->RowControl(0, kMassSlot)), QColor(255, 0, 0));
    Save(*view1, "reaction_view_default");
}

TEST_F(ViewPictures, AlternateView) {
    EXPECT_EQ(Text(*view2, 128, kCoefficientSlot), "3");
    Save(*view2, "reaction_view_alternate");
}

TEST_F(ViewPictures, ManualCoefficientsThatDoNotBalance) {
    QTest::mouseClick(qobject_cast<QAbstractButton*>(view2->GetDlgItem(kManualCoefficientsCheck)),
                      Qt::LeftButton);
    Retype(Edit(*view2, 1, kCoefficientSlot), "6");
    QApplication::processEvents();
    Save(*view1, "reaction_view_default_manual");
    Save(*view2, "reaction_view_alternate_manual");
}

} // namespace
