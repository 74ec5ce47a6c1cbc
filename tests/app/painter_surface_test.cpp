// The drawing surface over a QPainter: fonts by cell height, the reference point of each alignment, the
// opaque background, the y axis pointing up, and the Windows-1252 characters of the model.
#include "app/painter_surface.h"
#include "model/chemical_formula.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const FontSpec kBig{"Arial", 24, 700, FontSpec::kVariableSwiss};

// The box of the pixels that are not white.
QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != Qt::white)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

QImage Blank() {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(PainterSurface, FontsHaveTheCellHeightAskedFor) {
    QImage image = Blank();
    QPainter painter(&image);
    PainterSurface surface(painter);
    surface.SelectFont(kBig);
    const SurfaceSize size = surface.TextExtent("H");
    EXPECT_NEAR(size.height, 24, 1);
    surface.SelectFont(FontSpec{"Arial", -20, 400, 0});
    EXPECT_GT(surface.TextExtent("H").height, 20);
    const QFont font = PainterSurface::ToQFont(kBig, QFont());
    EXPECT_EQ(font.weight(), QFont::Bold);
}

TEST(PainterSurface, CharacterWidthsAddUpToTheText) {
    QImage image = Blank();
    QPainter painter(&image);
    PainterSurface surface(painter);
    surface.SelectFont(kBig);
    const std::vector<int> widths = surface.CharacterWidths("H2O\xB7");
    ASSERT_EQ(widths.size(), 4u);
    for (int w : widths)
        EXPECT_GT(w, 0);
    const std::vector<int> ones = surface.CharacterWidths("111");
    EXPECT_EQ(ones[0] * 3, surface.TextExtent("111").width);
}

TEST(PainterSurface, TextSitsAtItsReferencePoint) {
    QImage left = Blank();
    {
        QPainter painter(&left);
        PainterSurface surface(painter);
        surface.SelectFont(kBig);
        surface.SetTextAlign(TextAlign::Left | TextAlign::Top);
        surface.TextOut(50, 20, "H");
    }
    const QRect ink = InkBox(left);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 50);
    EXPECT_LE(ink.left(), 54);
    EXPECT_GE(ink.top(), 20);
    EXPECT_LE(ink.bottom(), 44);

    QImage centred = Blank();
    {
        QPainter painter(&centred);
        PainterSurface surface(painter);
        surface.SelectFont(kBig);
        surface.SetTextAlign(TextAlign::Center | TextAlign::Baseline);
        surface.TextOut(100, 60, "H");
    }
    const QRect middle = InkBox(centred);
    EXPECT_NEAR(middle.center().x(), 100, 2);
    EXPECT_LE(middle.bottom(), 60);
    EXPECT_GE(middle.bottom(), 57);
}

TEST(PainterSurface, OpaqueBackgroundAndColours) {
    QImage image = Blank();
    {
        QPainter painter(&image);
        PainterSurface surface(painter);
        surface.SelectFont(kBig);
        surface.SetBackgroundColor(MakeColorRef(0, 0, 255));
        surface.SetTextColor(MakeColorRef(255, 0, 0));
        surface.Save();
        surface.SetBackgroundMode(BackgroundMode::Transparent);
        surface.Restore();
        surface.TextOut(10, 10, "-");
    }
    // The whole cell is filled with the background colour, the dash drawn in red on it.
    EXPECT_EQ(image.pixelColor(11, 11), QColor(0, 0, 255));
    bool red = false;
    for (int y = 10; y < 34; ++y) {
        for (int x = 10; x < 30; ++x)
            red = red || image.pixelColor(x, y).red() > 200;
    }
    EXPECT_TRUE(red);
}

QRect FormulaInk(const char* text, bool yAxisUp) {
    QImage image = Blank();
    {
        QPainter painter(&image);
        PainterSurface surface(painter, yAxisUp);
        ChemicalFormula formula;
        formula.SetText(text, true);
        formula.DrawAt(surface, kBig, FontSpec{"Arial", 12, 700, FontSpec::kVariableSwiss}, 20,
                       yAxisUp ? -20 : 20, TextAlign::Left, false);
    }
    return InkBox(image);
}

TEST(PainterSurface, UpwardYAxisKeepsSubscriptsBelow) {
    for (bool up : {false, true}) {
        const QRect plain = FormulaInk("H", up);
        const QRect lowered = FormulaInk("H_2", up);
        ASSERT_FALSE(plain.isEmpty());
        // The text hangs down from painter y 20 either way; the subscript reaches below the H.
        EXPECT_GE(plain.top(), 20) << up;
        EXPECT_LE(plain.top(), 26) << up;
        EXPECT_GT(lowered.bottom(), plain.bottom()) << up;
    }
}

} // namespace
