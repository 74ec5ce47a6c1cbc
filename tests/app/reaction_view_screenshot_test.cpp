// Pictures of both reaction views with a five-reagent reaction and typed amounts, one reagent in excess.
#include "app/controls/static_link.h"
#include "app/dialogs/about_dlg.h"
#include "app/readable_colour.h"
#include "reaction_view_harness.h"
#include "ui_test_support.h"

#include <QFileInfo>
#include <QImage>
#include <QPalette>
#include <QStyle>

#include <algorithm>

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

// How well the glyphs of one colour read: the highest contrast against the background among the pixels of the
// area in which the channel (0 red, 1 green, 2 blue) leads the other two. The cores of the glyphs carry the
// pen's colour; their edges blend into the background.
struct Reading {
    int pixels = 0;
    double contrast = 1.0;
};
Reading Measure(const QImage& image, const QRect& area, int channel, const QColor& background) {
    Reading reading;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int value[3] = {pixel.red(), pixel.green(), pixel.blue()};
            if (value[channel] < value[(channel + 1) % 3] + 40 ||
                value[channel] < value[(channel + 2) % 3] + 40)
                continue;
            ++reading.pixels;
            reading.contrast = std::max(reading.contrast, readable::ContrastRatio(pixel, background));
        }
    }
    return reading;
}

QImage Picture(QWidget& widget, const QString& name) {
    return QImage(test_support::SaveScreenshot(widget, name)).convertToFormat(QImage::Format_RGB32);
}

QRect AreaIn(QWidget& picture, QWidget* control) {
    return {control->mapTo(&picture, QPoint(0, 0)), control->size()};
}

// A dark desktop (the Fusion style, light text on faces of grey 45-53, the style's own blue links): every
// coloured text reads on its face, 3:1 for the big equation and 4.5:1 for the rest; formulas and signs take
// the palette's text colour, and nothing is drawn in black.
TEST(DarkPalettePicture, ColouredTextReadsOnTheDarkFaces) {
    struct Kept {
        QString style = QApplication::style()->name();
        QPalette palette = QApplication::palette();
        ~Kept() {
            QApplication::setStyle(style);
            QApplication::setPalette(palette);
        }
    } kept;
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QColor face(53, 53, 53);
    const QColor base(45, 45, 45);
    QPalette dark = QApplication::style()->standardPalette();
    for (const auto role : {QPalette::Window, QPalette::Button})
        dark.setColor(role, face);
    dark.setColor(QPalette::Base, base);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, QColor(238, 238, 236));
    QApplication::setPalette(dark);

    ReactionWindows windows{"Cu + HNO3 = Cu(NO3)2 + NO + H2O"};
    CQELTView1* view1 = windows.OpenDefault();
    CQELTView2* view2 = windows.OpenAlternate();
    Retype(Edit(*view1, 0, kMassSlot), "10.0");
    Retype(Edit(*view2, 1, kMassSlot), "20.0");
    QApplication::processEvents();

    constexpr int kRed = 0, kGreen = 1, kBlue = 2;
    // The band of the equation line, across the whole view.
    const auto band = [&] {
        const SurfaceRect cell = view1->EquationLayout().cells.front().rect;
        const int top = view1->widget()->mapTo(view1, QPoint(0, cell.top)).y();
        const int bottom = view1->widget()->mapTo(view1, QPoint(0, cell.bottom)).y();
        return QRect(0, top, view1->width(), bottom - top);
    };
    // Every row's coefficient box of the alternate view.
    const auto boxes = [&](const QImage& image) {
        Reading all;
        for (const int row : {0, 1, 128, 129, 130}) {
            const Reading box =
                Measure(image, AreaIn(*view2, Edit(*view2, row, kCoefficientSlot)), kBlue, base);
            all = {all.pixels + box.pixels, std::max(all.contrast, box.contrast)};
        }
        return all;
    };
    const auto expectReads = [](const Reading& reading, double wanted, const char* what) {
        EXPECT_GT(reading.pixels, 5) << what;
        EXPECT_GE(reading.contrast, wanted) << what;
    };

    QImage image = Picture(*view1, "reaction_view_dark");
    ASSERT_FALSE(image.isNull());
    expectReads(Measure(image, band(), kGreen, face), readable::kLargeText, "automatic coefficients");
    expectReads(Measure(image, AreaIn(*view1, Edit(*view1, 0, kMassSlot)), kRed, base), readable::kNormalText,
                "an amount in excess");
    int light = 0;
    int black = 0;
    const QRect line = band() & image.rect();
    for (int y = line.top(); y <= line.bottom(); ++y) {
        for (int x = line.left(); x <= line.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            light += pixel.red() > 200 && pixel.green() > 200 && pixel.blue() > 200;
            black += pixel.red() < 20 && pixel.green() < 20 && pixel.blue() < 20;
        }
    }
    EXPECT_GT(light, 100) << "formulas and signs in the palette's text colour";
    EXPECT_EQ(black, 0) << "nothing drawn in black on the dark face";

    // Manual coefficients that balance are blue, in the equation and in the coefficient boxes; then red.
    QTest::mouseClick(qobject_cast<QAbstractButton*>(view2->GetDlgItem(kManualCoefficientsCheck)),
                      Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_TRUE(windows.doc->IsBalanced());
    image = Picture(*view1, "reaction_view_dark_manual");
    expectReads(Measure(image, band(), kBlue, face), readable::kLargeText,
                "manual coefficients that balance");
    expectReads(boxes(Picture(*view2, "reaction_view_alternate_dark_manual")), readable::kNormalText,
                "coefficient boxes that balance");
    Retype(Edit(*view2, 1, kCoefficientSlot), "6");
    QApplication::processEvents();
    image = Picture(*view1, "reaction_view_dark_unbalanced");
    expectReads(Measure(image, band(), kRed, face), readable::kLargeText,
                "manual coefficients that do not balance");

    // The About box's links.
    CAboutDlg about;
    about.Create();
    QApplication::processEvents();
    image = Picture(about, "about_dark");
    expectReads(Measure(image, AreaIn(about, about.WebLink()), kBlue, face), readable::kNormalText, "a link");
}

} // namespace
