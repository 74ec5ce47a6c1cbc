#pragma once

#include <QString>
#include <functional>

class QPainter;
class QPrinter;
class QWidget;

// Printing of one-page documents: the program's printer with the choices of Print Setup, printing with the
// print dialog or straight to the printer, print preview, and printing to a PDF file (which works where no
// printer is installed).
//
// A view hands over a function that draws its page on a painter that is open on the printer; the painter's
// origin is the top left corner of the printable area, in device pixels (QPrinter::resolution per inch).
namespace ui {

using PagePainter = std::function<void(QPainter& painter, QPrinter& printer)>;

// String-table entry shown when a print job cannot be started.
inline constexpr int kPrintFailedString = 0xE010; // "Failed to start print job."

// The printer every print uses; Print Setup changes it for the rest of the run.
QPrinter& ProgramPrinter();

// Print Setup: the page setup of the program's printer (paper, orientation, margins). False when cancelled.
bool PrintSetup(QWidget* parent);

// Print...: the print dialog (printer, copies, print to file), then the page. False when cancelled or the
// job could not start (the user is told).
bool PrintWithDialog(QWidget* parent, const PagePainter& drawPage);
// Print straight to the program's printer without a dialog. False (the user told) when it cannot start.
bool PrintDirect(const PagePainter& drawPage);
// Print Preview: the page as it will print, in a dialog from which it can be printed.
void PrintPreview(QWidget* parent, const PagePainter& drawPage);

// Prints the page into a PDF file with the program printer's page layout; false when the file cannot be
// written (nothing is shown).
bool PrintToPdf(const QString& path, const PagePainter& drawPage);

} // namespace ui
