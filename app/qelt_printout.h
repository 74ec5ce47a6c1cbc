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
// shown in a scrolled window at its real size, and the only view that prints. The same drawing serves the
// screen, the print preview, the printer and PDF files.
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

    // Draws the page on a painter whose origin is the page's top left corner, at the resolution of its
    // device in dots per inch.
    void OnDraw(QPainter& painter, double dotsPerInch) const;

    // The page in pixels of the screen.
    QSize PageSizeOnScreen() const;
    // Prints the page to a PDF file; false when it cannot be written.
    bool PrintToPdf(const QString& path) const;

private:
    class Page;

    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnUpdateFilePrint(ui::CmdUI& cmdUi);
    // Draws the page on a printer's painter.
    ui::PagePainter PrinterPage() const;

    Page* m_page;
    bool m_initialized = false;
};
