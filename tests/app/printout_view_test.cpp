// The printout of a reaction in the running program: its window, its commands, the page on screen, and the
// page printed to a one-page PDF.
#include "app/child_frames.h"
#include "app/qelt_command_ids.h"
#include "app/qelt_printout.h"

#include "app_fixture.h"
#include "model/qelt_doc.h"
#include "platform/ui/command_ids.h"

#include <QDialog>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>

namespace {

using app_test::AppTest;

constexpr int kPrintout = 165;
constexpr int kNewFromString = 103;
constexpr int kReactionStringDialog = 187;
constexpr int kReactionStringEdit = 158;

using test_support::ScreenshotFolder;

// The smallest rectangle holding every dark pixel (the ink of the text) of a picture.
QRect InkBounds(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) < 128)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// Runs a tool of poppler-utils; its standard output, or nothing when it is missing or failed.
std::optional<QByteArray> RunTool(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

class PrintoutTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(StartQuietly());
    }

    // A reaction made with New from string, as the user makes it.
    ReactionDocument* NewReaction(const QString& text) {
        app_test::DialogScript dialogs;
        dialogs.Answer(kReactionStringDialog, [text](ui::Dialog& dialog) {
            dialog.SetDlgItemText(kReactionStringEdit, text);
            dialog.PressButton(ui::IDOK);
            return dialog.result();
        });
        EXPECT_TRUE(Run(kNewFromString));
        return ActiveReaction();
    }

    static constexpr int kHydrogen = CQELTDoc::kFirstProductRow + 1;

    // Zn + HCl = ZnCl2 + H2(g) with 6.540 g of zinc entered.
    ReactionDocument* ZincGiven() {
        ReactionDocument* open = NewReaction(QStringLiteral("Zn + HCl = ZnCl2 + H2(g)"));
        CQELTReagent* zinc = open->Reaction().GetReagent(0);
        zinc->enteredMass = CEditableDouble(6.54, 4);
        zinc->enteredMoles = CEditableDouble(6.54 / zinc->GetMolarMass(), 4);
        return open;
    }

    // Describes the hydrogen's output as a gas at 1 atm and redraws the views.
    static void HydrogenAsGas(CQELTDoc& document, const CEditableDouble& litres,
                              const CEditableDouble& celsius) {
        CQELTReagent* hydrogen = document.GetReagent(kHydrogen);
        hydrogen->outputKind = CQELTReagent::kGas;
        hydrogen->outputVolume = litres;
        hydrogen->outputPressure = CEditableDouble(1, 4);
        hydrogen->outputTemperature = celsius;
        document.UpdateAllViews(nullptr, 0);
    }

    // Zinc in hydrochloric acid: 6.54 g of zinc and 250 mL of 0.5 mol/L acid, the hydrogen collected as a
    // gas at 25 C. The acid limits; zinc is left over.
    ReactionDocument* ZincInAcid() {
        ReactionDocument* open = ZincGiven();
        CQELTDoc& document = open->Reaction();
        CQELTReagent* acid = document.GetReagent(1);
        acid->inputKind = CQELTReagent::kSolution;
        acid->inputConcentration = CEditableDouble(0.5, 2);
        acid->inputVolume = CEditableDouble(250, 3);
        acid->inputVolumeUnit = 1;
        acid->enteredMoles = CEditableDouble(0.125, 3);
        acid->enteredMass = CEditableDouble(acid->GetMolarMass() * 0.125, 4);
        EXPECT_TRUE(document.BalanceReaction());
        HydrogenAsGas(document, CEditableDouble(1.53, 3), CEditableDouble(25, 2));
        return open;
    }

    // Only the zinc given, the hydrogen's volume computed for 1 atm and 100 C: the longest line at the right
    // of the page.
    void HydrogenAt100C() {
        CQELTDoc& document = ZincGiven()->Reaction();
        EXPECT_TRUE(document.BalanceReaction());
        const double litres = document.GetComputedMoles(kHydrogen) * 0.082057 * 373.15;
        HydrogenAsGas(document, CEditableDouble(litres, 4), CEditableDouble(100, 3));
    }

    // Shows the printout maximised in a main window of a usual size.
    void ShowMaximized() {
        Frame().resize(1000, 760);
        ActivePrintoutFrame()->showMaximized();
        QApplication::processEvents();
    }

    CChildFrame2* ActivePrintoutFrame() { return qobject_cast<CChildFrame2*>(Frame().ActiveChildFrame()); }
    CQELTPrintout* ActivePrintout() {
        CChildFrame2* frame = ActivePrintoutFrame();
        return frame ? dynamic_cast<CQELTPrintout*>(frame->ActiveView()) : nullptr;
    }
};

TEST_F(PrintoutTest, OneWindowPerReactionThatOnlyPrintsAndComesBackFreshAfterClosing) {
    ReactionDocument* open = ZincInAcid();
    ASSERT_NE(open, nullptr);
    // The form views do not print; they copy and balance the reaction.
    EXPECT_FALSE(Enabled(ui::cmd::FilePrint));
    EXPECT_FALSE(Enabled(ui::cmd::FilePrintPreview));
    EXPECT_TRUE(Enabled(qelt_cmd::CopyText));
    EXPECT_TRUE(Enabled(qelt_cmd::BalanceWithH));

    ASSERT_TRUE(Run(kPrintout));
    QPointer<CChildFrame2> frame = ActivePrintoutFrame();
    ASSERT_TRUE(frame);
    CQELTPrintout* view = ActivePrintout();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame->windowTitle(), open->GetTitle() + QStringLiteral(" - printout"));
    EXPECT_EQ(frame->HelpContext(), 182);
    EXPECT_TRUE(frame->IsResizable());
    EXPECT_EQ(view->GetDocument(), &open->Reaction());
    EXPECT_EQ(open->Reaction().GetViewFrame(ModelHost::ViewKind::Printout), frame.data());
    EXPECT_TRUE(Enabled(ui::cmd::FilePrint));
    EXPECT_TRUE(Enabled(ui::cmd::FilePrintPreview));
    EXPECT_TRUE(Enabled(ui::cmd::FilePrintSetup));
    // The printout does neither.
    EXPECT_FALSE(Enabled(qelt_cmd::CopyText));
    EXPECT_FALSE(Enabled(qelt_cmd::BalanceWithOH));

    // From another window of the reaction, the command brings the same printout back to the front.
    open->GetFrames().front()->Activate();
    EXPECT_NE(ActivePrintoutFrame(), frame.data());
    ASSERT_TRUE(Run(kPrintout));
    EXPECT_EQ(ActivePrintoutFrame(), frame.data());
    EXPECT_EQ(open->GetFrames().size(), 2u);

    frame->close();
    app_test::FlushDeferredDeletes();
    EXPECT_TRUE(frame.isNull());
    EXPECT_EQ(open->Reaction().GetViewFrame(ModelHost::ViewKind::Printout), nullptr);
    open->GetFrames().front()->Activate();
    ASSERT_TRUE(Run(kPrintout));
    ASSERT_NE(ActivePrintoutFrame(), nullptr);
    EXPECT_EQ(open->Reaction().GetViewFrame(ModelHost::ViewKind::Printout), ActivePrintoutFrame());
}

TEST_F(PrintoutTest, ThePageOnScreenLiesOnThePrintersPaperAndFollowsTheReaction) {
    ZincInAcid();
    ASSERT_TRUE(Run(kPrintout));
    CQELTPrintout* view = ActivePrintout();
    ASSERT_NE(view, nullptr);
    const auto expectPaper = [view](QPageSize::PageSizeId paper) {
        const QSizeF size = QPageSize(paper).size(QPageSize::Millimeter);
        const double dpi = view->widget()->logicalDpiY();
        EXPECT_NEAR(view->PageSizeOnScreen().width(), size.width() / 25.4 * dpi, 1.0);
        EXPECT_NEAR(view->PageSizeOnScreen().height(), size.height() / 25.4 * dpi, 1.0);
        EXPECT_EQ(view->widget()->size(), view->PageSizeOnScreen());
    };
    QPrinter& printer = app->GetPrinter();
    expectPaper(printer.pageLayout().pageSize().id());

    ShowMaximized();
    test_support::SaveScreenshot(Frame(), QStringLiteral("printout_view"));
    const QImage onScreen = view->grab().toImage();
    // Text was drawn on the white sheet.
    int dark = 0;
    for (int y = 0; y < onScreen.height(); ++y)
        for (int x = 0; x < onScreen.width(); ++x)
            dark += qGray(onScreen.pixel(x, y)) < 100;
    EXPECT_GT(dark, 500);

    // Other paper chosen in Print Setup: the sheet on screen follows.
    const QPageSize::PageSizeId other =
        printer.pageLayout().pageSize().id() == QPageSize::Letter ? QPageSize::A4 : QPageSize::Letter;
    printer.setPageSize(QPageSize(other));
    // The page setup dialog is accepted as soon as it is up.
    QTimer accept;
    QObject::connect(&accept, &QTimer::timeout, [&accept] {
        if (auto* setup = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            accept.stop();
            setup->accept();
        }
    });
    accept.start(0);
    ASSERT_TRUE(Run(ui::cmd::FilePrintSetup));
    expectPaper(other);
}

TEST_F(PrintoutTest, TheSheetOnScreenShowsAllThatThePrintedSheetShows) {
    HydrogenAt100C();
    ASSERT_TRUE(Run(kPrintout));
    CQELTPrintout* view = ActivePrintout();
    ASSERT_NE(view, nullptr);
    ShowMaximized();
    QWidget& sheet = *view->widget();
    const QImage onScreen = sheet.grab().toImage();
    test_support::SaveScreenshot(sheet, QStringLiteral("printout_gas_at_100C"));

    // Drawn with no edge to stop it, the page puts its ink where the sheet on screen shows it: nothing is
    // cut at the edge.
    QImage unbounded(onScreen.size() * 2, QImage::Format_RGB32);
    unbounded.fill(Qt::white);
    {
        QPainter painter(&unbounded);
        view->DrawOnScreen(painter);
    }
    const QRect ink = InkBounds(onScreen);
    EXPECT_EQ(InkBounds(unbounded), ink);
    EXPECT_LT(ink.right(), onScreen.width() - 1);

    // The printed sheet at the screen's resolution: the same size, and the ink in the same place.
    const QString pdf = QDir(ScreenshotFolder()).filePath(QStringLiteral("printout_gas_at_100C.pdf"));
    ASSERT_TRUE(view->PrintToPdf(pdf));
    const QString png = QDir(ScreenshotFolder()).filePath(QStringLiteral("printout_gas_at_100C_pdf"));
    const std::optional<QByteArray> text =
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    const std::optional<QByteArray> picture =
        RunTool(QStringLiteral("pdftoppm"),
                {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(sheet.logicalDpiY()),
                 QStringLiteral("-singlefile"), pdf, png});
    if (!text || !picture)
        GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) not installed";
    EXPECT_TRUE(text->contains("T=100C")) << text->toStdString();
    const QImage printed(png + QStringLiteral(".png"));
    EXPECT_NEAR(printed.width(), onScreen.width(), 1);
    EXPECT_NEAR(printed.height(), onScreen.height(), 1);
    const QRect printedInk = InkBounds(printed);
    EXPECT_NEAR(printedInk.left(), ink.left(), 2);
    EXPECT_NEAR(printedInk.top(), ink.top(), 2);
    EXPECT_NEAR(printedInk.right(), ink.right(), 2);
    EXPECT_NEAR(printedInk.bottom(), ink.bottom(), 2);
}

TEST_F(PrintoutTest, PrintsTheReportOnOnePdfPage) {
    ZincInAcid();
    ASSERT_TRUE(Run(kPrintout));
    CQELTPrintout* view = ActivePrintout();
    ASSERT_NE(view, nullptr);

    // The program's printer, set to write a PDF file (as the print dialog does where no printer is
    // installed), prints without a dialog.
    const QString pdf = QDir(ScreenshotFolder()).filePath(QStringLiteral("printout.pdf"));
    QFile::remove(pdf);
    QPrinter& printer = app->GetPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(Run(ui::cmd::FilePrintDirect));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    file.close();

    const std::optional<QByteArray> info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    const std::optional<QByteArray> text =
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    const QString png = QDir(ScreenshotFolder()).filePath(QStringLiteral("printout_pdf"));
    const std::optional<QByteArray> picture =
        RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"),
                                             QStringLiteral("80"), QStringLiteral("-singlefile"), pdf, png});
    if (!info || !text || !picture)
        GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext, pdftoppm) not installed";
    EXPECT_TRUE(info->contains("Pages:           1")) << info->toStdString();
    for (const char* expected :
         {"Input", "Output", "Reactants", "Products", "MW", "65.38g", "6.540g", "C=0.5mol/L", "V=250mL",
          "excess left:", "V=1.53L", "p=1atm", "T=25C", "*limiting reagent"})
        EXPECT_TRUE(text->contains(expected)) << expected << "\n" << text->toStdString();
    EXPECT_GT(QImage(png + QStringLiteral(".png")).width(), 0);

    // The same page from the view straight into a file.
    const QString direct = QDir(ScreenshotFolder()).filePath(QStringLiteral("printout_direct.pdf"));
    ASSERT_TRUE(view->PrintToPdf(direct));
    const std::optional<QByteArray> again =
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), direct, QStringLiteral("-")});
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(*again, *text);
}

TEST_F(PrintoutTest, PrintPreviewShowsThePage) {
    ZincInAcid();
    ASSERT_TRUE(Run(kPrintout));
    bool shown = false;
    // The preview is a modal dialog: look at it once it is up, then close it.
    QTimer::singleShot(0, [&shown] {
        QWidget* preview = QApplication::activeModalWidget();
        if (preview == nullptr)
            return;
        shown = true;
        preview->resize(900, 1000);
        QApplication::processEvents();
        test_support::SaveScreenshot(*preview, QStringLiteral("printout_preview"));
        preview->close();
    });
    ASSERT_TRUE(Run(ui::cmd::FilePrintPreview));
    EXPECT_TRUE(shown);
}

} // namespace
