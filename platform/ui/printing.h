#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>
#include <functional>

class QPageLayout;
class QPainter;
class QPrinter;
class QWidget;

// Printing of one-page documents on a printer the caller keeps (the application's, set up by Print Setup):
// with the print dialog or straight to the printer, in print preview, or into a PDF file (which works where
// no printer is installed).
//
// A view hands over a function that draws its page on a painter open on the printer; the painter's origin
// is the top left corner of the printable area, in device pixels (QPrinter::resolution per inch).
namespace ui {

using PagePainter = std::function<void(QPainter& painter, QPrinter& printer)>;

// String-table entry shown when a print job cannot be started.
inline constexpr int kPrintFailedString = 0xE010; // "Failed to start print job."

// The sheet of paper the printer's page layout describes, in millimetres, and the point on it from which a
// page is drawn: the top left corner of the printable area (of the paper itself in full-page mode).
struct Sheet {
    QSizeF paper;
    QPointF origin;
};
Sheet PrinterSheet(const QPrinter& printer);

// Print...: the print dialog (printer, copies, print to file), then the page. False when cancelled or the
// job could not start (the user is told).
bool PrintWithDialog(QWidget* parent, QPrinter& printer, const PagePainter& drawPage);
// Prints straight to the printer without a dialog. False (the user told) when the job cannot start.
bool PrintDirect(QPrinter& printer, const PagePainter& drawPage);
// Print Preview: the page as it will print, in a dialog from which it can be printed.
void PrintPreview(QWidget* parent, QPrinter& printer, const PagePainter& drawPage);

// Prints the page into a PDF file with the page layout; false when the file cannot be written (nothing is
// shown).
bool PrintToPdf(const QString& path, const QPageLayout& layout, const PagePainter& drawPage);

} // namespace ui
