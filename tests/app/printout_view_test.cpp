#include "app/child_frame2.h"
#include "app/qelt_printout.h"

#include "app_test_host.h"
#include "model/qelt_doc.h"
#include "platform/ui/command_ids.h"
#include "platform/ui/command_target.h"
#include "platform/ui/open_document.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Zinc in hydrochloric acid: 6.54 g of zinc and 250 mL of 0.5 mol/L acid, the hydrogen collected as a
// gas at 25 C. The acid limits; zinc is left over.
std::unique_ptr<CQELTDoc> ZincInAcid() {
    auto document = std::make_unique<CQELTDoc>();
    document->SetTitle("zinc.equ");
    EXPECT_TRUE(document->SetFromString("Zn + HCl = ZnCl2 + H2(g)"));
    CQELTReagent* zinc = document->GetReagent(0);
    zinc->enteredMass = CEditableDouble(6.54, 3);
    zinc->enteredMoles = CEditableDouble(6.54 / zinc->GetMolarMass(), 4);
    CQELTReagent* acid = document->GetReagent(1);
    acid->inputKind = CQELTReagent::kSolution;
    acid->inputConcentration = CEditableDouble(0.5, 2);
    acid->inputVolume = CEditableDouble(250, 3);
    acid->inputVolumeUnit = 1;
    acid->enteredMoles = CEditableDouble(0.125, 3);
    acid->enteredMass = CEditableDouble(acid->GetMolarMass() * 0.125, 4);
    EXPECT_TRUE(document->BalanceReaction());
    CQELTReagent* hydrogen = document->GetReagent(CQELTDoc::kFirstProductRow + 1);
    hydrogen->outputKind = CQELTReagent::kGas;
    hydrogen->outputVolume = CEditableDouble(1.53, 3);
    hydrogen->outputPressure = CEditableDouble(1, 4);
    hydrogen->outputTemperature = CEditableDouble(25, 2);
    return document;
}

QString ScreenshotFolder() {
    QString folder = qEnvironmentVariable("QELT_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QDir::temp().filePath(QStringLiteral("qelt-screenshots"));
    QDir().mkpath(folder);
    return folder;
}

// Runs a poppler tool; its standard output, or nothing when it is missing or failed.
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

// A view that shows nothing: a second frame keeps the document open while its printout comes and goes.
class BlankView : public QWidget, public ui::View {
public:
    QWidget* Widget() override { return this; }
};

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(PrintoutView, OneFramePerDocumentTitledAfterItAndFreshAfterClosing) {
    AppTestHost host;
    ui::OpenDocument open(ZincInAcid());
    auto& document = dynamic_cast<CQELTDoc&>(open.GetDocument());
    auto* other = new ui::DocFrame(new BlankView, 201, true);
    open.AddFrame(other);

    QPointer<CChildFrame2> frame = CChildFrame2::ShowPrintout(open);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("zinc.equ - printout"));
    EXPECT_EQ(frame->HelpContext(), 182);
    EXPECT_TRUE(frame->IsResizable());
    EXPECT_FALSE(frame->windowIcon().isNull());
    EXPECT_EQ(document.GetViewFrame(ModelHost::ViewKind::Printout), frame.data());
    EXPECT_EQ(frame->Printout()->GetDocument(), &document);
    // Asked again, the same frame comes to the front.
    EXPECT_EQ(CChildFrame2::ShowPrintout(open), frame.data());

    frame->close();
    DeleteClosedWindows();
    EXPECT_TRUE(frame.isNull());
    EXPECT_EQ(document.GetViewFrame(ModelHost::ViewKind::Printout), nullptr);
    QPointer<CChildFrame2> fresh = CChildFrame2::ShowPrintout(open);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(document.GetViewFrame(ModelHost::ViewKind::Printout), fresh.data());
    open.OnCloseDocument();
    DeleteClosedWindows();
    EXPECT_TRUE(fresh.isNull());
}

TEST(PrintoutView, OnlyThePrintoutPrintsAndItsPrintCommandsAreAlwaysEnabled) {
    AppTestHost host;
    ui::OpenDocument open(std::make_unique<CQELTDoc>());
    CChildFrame2* frame = CChildFrame2::ShowPrintout(open);
    CQELTPrintout* view = frame->Printout();
    for (int id : {ui::cmd::FilePrint, ui::cmd::FilePrintPreview}) {
        ui::CmdUI state(id);
        EXPECT_TRUE(view->RouteUpdate(state));
        EXPECT_TRUE(state.EnableSet() && state.Enabled());
    }
    EXPECT_TRUE(view->RouteHasHandler(ui::cmd::FilePrintDirect));
    // Print Setup belongs to the application.
    EXPECT_FALSE(view->HasOwnHandler(ui::cmd::FilePrintSetup));
    open.OnCloseDocument();
    DeleteClosedWindows();
}

TEST(PrintoutView, TheReportOnScreenAndAsAOnePagePdf) {
    AppTestHost host;
    ui::OpenDocument open(ZincInAcid());
    CChildFrame2* frame = CChildFrame2::ShowPrintout(open);
    CQELTPrintout* view = frame->Printout();
    const QSize page = view->PageSizeOnScreen();
    // 180 mm by 275 mm at the screen's resolution.
    EXPECT_NEAR(page.width(), 180.0 / 25.4 * view->logicalDpiX(), 1.0);
    EXPECT_NEAR(page.height(), 275.0 / 25.4 * view->logicalDpiX(), 1.0);

    frame->ResizeClientTo(QSize(page.width() + 40, page.height() / 2));
    QApplication::processEvents();
    const QImage onScreen = frame->grab().toImage();
    test_support::SaveScreenshot(*frame, QStringLiteral("printout_view"));
    // Something dark was drawn on the white sheet.
    int dark = 0;
    for (int y = 0; y < onScreen.height(); ++y)
        for (int x = 0; x < onScreen.width(); ++x)
            dark += qGray(onScreen.pixel(x, y)) < 100;
    EXPECT_GT(dark, 500);

    const QString pdf = QDir(ScreenshotFolder()).filePath(QStringLiteral("printout.pdf"));
    QFile::remove(pdf);
    ASSERT_TRUE(view->PrintToPdf(pdf));
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
    EXPECT_TRUE(QImage(png + QStringLiteral(".png")).width() > 0);
    open.OnCloseDocument();
    DeleteClosedWindows();
}

} // namespace
