#pragma once

#include "platform/core/document.h"
#include "platform/ui/printing.h"
#include "platform/ui/view.h"

#include <QScrollArea>
#include <QString>

#include <cstdint>

class CQELTDoc;
class QPainter;

namespace ui {
class CmdUI;
}

// The printout of a reaction document: its one-page report (laid out by printout::DrawReaction in 0.1 mm)
// and the only view that prints. The same drawing serves the screen, the print preview, the printer and PDF
// files. On screen the page lies on the printer's sheet of paper, drawn at the screen's resolution from the
// same place as on the printed sheet, so the screen shows whatever the paper shows.
class CQELTPrintout : public QScrollArea, public ui::View, public DocumentView {
    Q_OBJECT
public:
    explicit CQELTPrintout(QWidget* parent = nullptr);
    ~CQELTPrintout() override;

    QWidget* Widget() override { return this; }
    // The reaction shown; null while the view is not attached to one.
    CQELTDoc* GetDocument() const;

    // Sizes the scrolled page and gives the frame the printout's help context.
    void OnInitialUpdate();
    // Every change of the document redraws the page.
    void OnUpdate(DocumentView* sender, std::uintptr_t hint) override;
    // The sheet on screen follows the printer's new paper.
    void OnPageSetupChanged() override;

    // Draws the page on a painter whose origin is the page's top left corner, at the resolution of its
    // device in dots per inch.
    void OnDraw(QPainter& painter, double dotsPerInch) const;

    // The sheet in pixels of the screen: the printer's paper, and at least as much as the page needs from
    // where it is drawn on the paper.
    QSize PageSizeOnScreen() const;
    // Draws the page as the screen shows it, on a painter whose origin is the top left corner of the sheet.
    void DrawOnScreen(QPainter& painter) const;
    // Prints the page to a PDF file; false when it cannot be written.
    bool PrintToPdf(const QString& path) const;

private:
    class Page;

    // The document takes what the form views' boxes show before it is printed; false when a box is refused.
    bool TakeFormValues() const;
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnUpdateFilePrint(ui::CmdUI& cmdUi);
    // Takes the sheet of the printer's page layout (which the print dialogs may change) and sizes the sheet
    // on screen to it.
    void FitPageToPrinter();
    // Pixels of the screen per 0.1 mm.
    double PixelsPerUnit() const;
    // Draws the page on a printer's painter.
    ui::PagePainter PrinterPage() const;

    Page* m_page;
    ui::Sheet m_sheet;
    bool m_initialized = false;
};
