// The formula frame: what it shows and weighs, its caption, its frame, and how it takes the place of the
// template's group box.
#include "app/controls/static_formula_frame.h"
#include "app_test_host.h"
#include "model/substance.h"
#include "platform/ui/dialog.h"
#include "platform/ui/dialog_template.h"
#include "ui_test_support.h"

#include <QGroupBox>
#include <QImage>

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

class FrameDialog : public ui::Dialog {
public:
    explicit FrameDialog(int captionFlag = 1, int frameFlag = 1)
        : ui::Dialog(ui::ParseDialogTemplate(R"(dialog 1 196 100 "Frame"
font "MS Sans Serif" 8
edit 140 5 5 100 12 ""
groupbox 141 5 22 186 60 "placeholder"
)",
                                             "frame.dlg")) {
        frame.SetParams(captionFlag, frameFlag);
    }
    CStaticFormulaFrame frame;

protected:
    bool OnInitDialog() override {
        ui::Dialog::OnInitDialog();
        frame.Attach(141, *this);
        return true;
    }
};

// The box of the pixels that differ from the background colour, inside the given area.
QRect InkBox(const QImage& image, const QRect& area, const QColor& background) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

QImage Picture(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(FormulaFrame, TakesThePlaceOfTheGroupBox) {
    AppTestHost host;
    FrameDialog dialog;
    dialog.Create();
    QWidget* box = dialog.GetDlgItem(141);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isHidden());
    EXPECT_EQ(dialog.GetDlgItem(141 + CStaticFormulaFrame::kIdOffset), &dialog.frame);
    EXPECT_EQ(dialog.frame.geometry(), box->geometry());
    EXPECT_TRUE(dialog.frame.isVisible());
    // The placeholder's text is the caption until a molar mass is set.
    EXPECT_EQ(dialog.frame.Caption(), "placeholder");
    EXPECT_FALSE(dialog.frame.IsCaptionRightAligned());
}

TEST(FormulaFrame, ShowsAndWeighsTheFormulaBeforeASemicolon) {
    AppTestHost host;
    FrameDialog dialog;
    dialog.Create();
    dialog.frame.SetFormula("NaCl;table salt", true);
    EXPECT_EQ(dialog.frame.GetText(), "NaCl");
    EXPECT_EQ(dialog.frame.GetFormula().GetDisplayText(), "NaCl");
    EXPECT_NEAR(dialog.frame.GetMolarMass(), 58.44, 0.01);
    EXPECT_EQ(dialog.frame.Caption(), "58.44");

    // A mixture weighs all its parts, caption with two decimals.
    dialog.frame.SetFormula("NaCl,2H2O", true);
    EXPECT_EQ(dialog.frame.Caption(), "94.47");

    // Without computing, the mass and caption stay as they were.
    dialog.frame.SetFormula("H2O", false);
    EXPECT_EQ(dialog.frame.GetText(), "H2O");
    EXPECT_EQ(dialog.frame.Caption(), "94.47");

    // A formula that does not parse weighs nothing: no caption.
    dialog.frame.SetFormula("Xx2", true);
    EXPECT_EQ(dialog.frame.GetMolarMass(), 0.0);
    EXPECT_EQ(dialog.frame.Caption(), "");
    EXPECT_EQ(CStaticFormulaFrame::CutAtSemicolon(";x"), "");
    EXPECT_EQ(CStaticFormulaFrame::CutAtSemicolon("CO2"), "CO2");
}

TEST(FormulaFrame, SubstancesGiveOrTakeTheirMolarMass) {
    AppTestHost host;
    FrameDialog dialog;
    dialog.Create();
    CSubstance salt;
    salt.SetFormulaText("NaCl;table salt");
    salt.SetMolarMass(12.5);
    // The substance's own mass; its formula is shown whole.
    dialog.frame.SetSubstance(&salt, false);
    EXPECT_EQ(dialog.frame.GetText(), "NaCl;table salt");
    EXPECT_EQ(dialog.frame.GetMolarMass(), 12.5);
    EXPECT_EQ(dialog.frame.Caption(), "12.50");

    CSubstance water;
    water.SetFormulaText("H2O");
    water.SetMolarMass(1.0);
    dialog.frame.SetSubstance(&water, true);
    EXPECT_NEAR(water.GetMolarMass(), 18.015, 0.001);
    EXPECT_EQ(dialog.frame.GetMolarMass(), water.GetMolarMass());
    EXPECT_EQ(dialog.frame.Caption(), "18.02");
}

TEST(FormulaFrame, CaptionFlagZeroKeepsTheCaptionEmptyAndAMassThatIsNoNumberShowsNone) {
    AppTestHost host;
    FrameDialog dialog(0, 1);
    dialog.Create();
    dialog.frame.SetFormula("NaCl", true);
    EXPECT_NEAR(dialog.frame.GetMolarMass(), 58.44, 0.01);
    EXPECT_EQ(dialog.frame.Caption(), "");

    FrameDialog other;
    other.Create();
    other.frame.SetMolarMass(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(other.frame.Caption(), "");
    other.frame.SetMolarMass(std::numeric_limits<double>::infinity());
    EXPECT_EQ(other.frame.Caption(), "");
}

TEST(FormulaFrame, TheEtchedFrameIsDrawnOnlyWithTheFrameFlag) {
    AppTestHost host;
    FrameDialog framed;
    framed.Create();
    FrameDialog bare(0, 0);
    bare.Create();
    for (FrameDialog* dialog : {&framed, &bare})
        dialog->frame.SetFormula("CuSO_4&5H_2O", true);

    const QColor face = framed.frame.palette().color(QPalette::Window);
    const QImage withFrame = Picture(framed.frame);
    const QImage without = Picture(bare.frame);
    const int middle = withFrame.height() / 2;
    EXPECT_NE(withFrame.pixelColor(0, middle), face);
    EXPECT_NE(withFrame.pixelColor(withFrame.width() / 2, withFrame.height() - 1), face);
    EXPECT_EQ(without.pixelColor(0, middle), face);
    EXPECT_EQ(without.pixelColor(without.width() / 2, without.height() - 1), face);
    // Both show the formula in the middle.
    const QRect inner(8, 12, without.width() - 16, without.height() - 16);
    EXPECT_FALSE(InkBox(without, inner, face).isEmpty());
    EXPECT_FALSE(InkBox(withFrame, inner, face).isEmpty());
    test_support::SaveScreenshot(framed, "formula_frame");
}

TEST(FormulaFrame, AFormulaWiderThanTheControlIsShrunkToLeaveAMargin) {
    AppTestHost host;
    FrameDialog dialog(0, 0);
    dialog.Create();
    dialog.frame.SetFormula("CH3(CH2)16COOCH2CH(OH)CH2OH", true);
    const QImage picture = Picture(dialog.frame);
    const QColor face = dialog.frame.palette().color(QPalette::Window);
    const QRect ink = InkBox(picture, picture.rect(), face);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 1);
    EXPECT_LE(ink.right(), picture.width() - 2);
    EXPECT_LE(picture.width() - ink.width(), picture.width());
    test_support::SaveScreenshot(dialog.frame, "formula_frame_shrunk");
}

} // namespace
