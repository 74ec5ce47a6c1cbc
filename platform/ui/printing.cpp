#include "platform/ui/printing.h"

#include "platform/ui/message_box.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace ui {
namespace {

// Opens a painter on the printer and draws the page; false when the job could not start.
bool PrintPage(QPrinter& printer, const PagePainter& drawPage) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    drawPage(painter, printer);
    return painter.end();
}

} // namespace

QPrinter& ProgramPrinter() {
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

bool PrintSetup(QWidget* parent) {
    QPageSetupDialog dialog(&ProgramPrinter(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool PrintWithDialog(QWidget* parent, const PagePainter& drawPage) {
    QPrinter& printer = ProgramPrinter();
    QPrintDialog dialog(&printer, parent);
    // One page: no page ranges, no selection.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (PrintPage(printer, drawPage))
        return true;
    MessageBox(kPrintFailedString, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool PrintDirect(const PagePainter& drawPage) {
    if (PrintPage(ProgramPrinter(), drawPage))
        return true;
    MessageBox(kPrintFailedString, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void PrintPreview(QWidget* parent, const PagePainter& drawPage) {
    QPrintPreviewDialog dialog(&ProgramPrinter(), parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&drawPage](QPrinter* printer) {
        QPainter painter(printer);
        drawPage(painter, *printer);
    });
    dialog.exec();
}

bool PrintToPdf(const QString& path, const PagePainter& drawPage) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(ProgramPrinter().pageLayout());
    return PrintPage(printer, drawPage);
}

} // namespace ui
