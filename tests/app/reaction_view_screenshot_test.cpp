// Pictures of both reaction views with a five-reagent reaction and typed amounts, one reagent in excess.
#include "reaction_view_harness.h"
#include "ui_test_support.h"

#include <QFileInfo>
#include <QImage>
#include <QPalette>

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

// A dark desktop: light text on dark faces. The equation line is drawn in the palette's text colour, the
// automatic coefficients in their green.
TEST(DarkPalettePicture, EquationLineTakesTheTextColourOfThePalette) {
    const QColor face(45, 45, 45);
    const QColor text(235, 235, 235);
    struct PaletteKept {
        QPalette before = QApplication::palette();
        ~PaletteKept() { QApplication::setPalette(before); }
    } kept;
    QPalette dark = kept.before;
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        dark.setColor(role, face);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, text);
    QApplication::setPalette(dark);

    ReactionWindows windows{"Cu + HNO3 = Cu(NO3)2 + NO + H2O"};
    CQELTView1* view = windows.OpenDefault();
    QApplication::processEvents();
    const QImage image = QImage(test_support::SaveScreenshot(*view, "reaction_view_dark"))
                             .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(image.isNull());

    // The band of the line, across the whole view: its glyphs are light or green, none black.
    const equation_line::Layout layout = view->EquationLayout();
    ASSERT_FALSE(layout.cells.empty());
    const SurfaceRect& cell = layout.cells.front().rect;
    const int top = view->widget()->mapTo(view, QPoint(0, cell.top)).y();
    const int bottom = view->widget()->mapTo(view, QPoint(0, cell.bottom)).y();
    int light = 0;
    int green = 0;
    int black = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() > 200 && pixel.green() > 200 && pixel.blue() > 200)
                ++light;
            else if (pixel.green() > 90 && pixel.red() < 60 && pixel.blue() < 60)
                ++green;
            else if (pixel.red() < 20 && pixel.green() < 20 && pixel.blue() < 20)
                ++black;
        }
    }
    EXPECT_GT(light, 100) << "formulas and signs in the palette's text colour";
    EXPECT_GT(green, 10) << "the coefficients keep their colour";
    EXPECT_EQ(black, 0) << "nothing drawn in black on the dark face";
}

} // namespace
