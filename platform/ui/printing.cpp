#include "platform/ui/printing.h"

#include "platform/ui/message_box.h"

#include <QPageLayout>
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

Sheet PrinterSheet(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    return Sheet{layout.fullRect(QPageLayout::Millimeter).size(),
                 layout.paintRect(QPageLayout::Millimeter).topLeft()};
}

bool PrintWithDialog(QWidget* parent, QPrinter& printer, const PagePainter& drawPage) {
    QPrintDialog dialog(&printer, parent);
    // One page: no page ranges, no selection.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return PrintDirect(printer, drawPage);
}

bool PrintDirect(QPrinter& printer, const PagePainter& drawPage) {
    if (PrintPage(printer, drawPage))
        return true;
    MessageBox(kPrintFailedString, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void PrintPreview(QWidget* parent, QPrinter& printer, const PagePainter& drawPage) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&drawPage](QPrinter* target) {
        QPainter painter(target);
        drawPage(painter, *target);
    });
    dialog.exec();
}

bool PrintToPdf(const QString& path, const QPageLayout& layout, const PagePainter& drawPage) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(layout);
    return PrintPage(printer, drawPage);
}

} // namespace ui
