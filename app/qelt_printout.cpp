#include "app/qelt_printout.h"

#include "app/kestrolab_app.h"
#include "app/painter_surface.h"
#include "app/qelt_command_ids.h"
#include "app/reaction_printout_layout.h"
#include "model/qelt_doc.h"
#include "platform/ui/application.h"
#include "platform/ui/child_frame.h"
#include "platform/ui/command_ids.h"
#include "platform/ui/open_document.h"
#include "platform/ui/printing.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>

namespace {

// One inch is 254 tenths of a millimetre.
constexpr double kUnitsPerInch = 254.0;

constexpr int kHelpContext = qelt_res::PrintoutHelp;

// The application's printer, which Print Setup sets up; a printer of its own where there is no application.
QPrinter& Printer() {
    if (auto* app = dynamic_cast<CKestrolabApp*>(ui::Application::Instance()))
        return app->GetPrinter();
    static QPrinter* printer = new QPrinter;
    return *printer;
}

} // namespace

// The sheet of paper on screen.
class CQELTPrintout::Page : public QWidget {
public:
    explicit Page(CQELTPrintout& view) : m_view(view) {
        // White whatever the scroll area around it shows.
        QPalette colours = palette();
        colours.setColor(QPalette::Window, Qt::white);
        setPalette(colours);
        setBackgroundRole(QPalette::Window);
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_view.OnDraw(painter, logicalDpiY());
    }

private:
    CQELTPrintout& m_view;
};

CQELTPrintout::CQELTPrintout(QWidget* parent) : QScrollArea(parent), m_page(new Page(*this)) {
    setWidget(m_page);
    setWidgetResizable(false);
    setBackgroundRole(QPalette::Dark);
    m_page->resize(PageSizeOnScreen());
    // The page scrolls by the keys while the window is active, but Tab finds nothing here to stop at: the
    // view could not show that it has the focus.
    setFocusPolicy(Qt::ClickFocus);

    MapUpdateCommand(ui::cmd::FilePrint, &CQELTPrintout::OnUpdateFilePrint);
    MapUpdateCommand(ui::cmd::FilePrintPreview, &CQELTPrintout::OnUpdateFilePrint);
    MapCommand(ui::cmd::FilePrint, &CQELTPrintout::OnFilePrint);
    MapCommand(ui::cmd::FilePrintDirect, &CQELTPrintout::OnFilePrintDirect);
    MapCommand(ui::cmd::FilePrintPreview, &CQELTPrintout::OnFilePrintPreview);
}

CQELTPrintout::~CQELTPrintout() = default;

CQELTDoc* CQELTPrintout::GetDocument() const {
    auto* open = dynamic_cast<ui::OpenDocument*>(DocumentTarget());
    return open ? dynamic_cast<CQELTDoc*>(&open->GetDocument()) : nullptr;
}

void CQELTPrintout::OnInitialUpdate() {
    m_initialized = true;
    m_page->resize(PageSizeOnScreen());
    if (ui::ChildFrame* frame = Frame())
        frame->SetHelpContext(kHelpContext);
    m_page->update();
}

void CQELTPrintout::OnUpdate(DocumentView*, std::uintptr_t) {
    // The frame's initial update reaches a view that is not a form as its first update.
    if (!m_initialized && Frame() != nullptr)
        OnInitialUpdate();
    m_page->update();
}

QSize CQELTPrintout::PageSizeOnScreen() const {
    const double pixelsPerUnit = m_page->logicalDpiX() / kUnitsPerInch;
    return QSize(static_cast<int>(printout::kPageWidth * pixelsPerUnit + 0.5),
                 static_cast<int>(printout::kPageHeight * pixelsPerUnit + 0.5));
}

void CQELTPrintout::OnDraw(QPainter& painter, double dotsPerInch) const {
    const CQELTDoc* document = GetDocument();
    if (document == nullptr)
        return;
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Logical units of 0.1 mm; the surface takes y as growing upwards, the page lying at negative y.
    const double scale = dotsPerInch / kUnitsPerInch;
    painter.scale(scale, scale);
    {
        PainterSurface surface(painter, true);
        printout::DrawReaction(surface, *document);
    }
    painter.restore();
}

ui::PagePainter CQELTPrintout::PrinterPage() const {
    return [this](QPainter& painter, QPrinter& printer) { OnDraw(painter, printer.resolution()); };
}

bool CQELTPrintout::PrintToPdf(const QString& path) const {
    return ui::PrintToPdf(path, Printer().pageLayout(), PrinterPage());
}

void CQELTPrintout::OnFilePrint() {
    ui::PrintWithDialog(this, Printer(), PrinterPage());
}

void CQELTPrintout::OnFilePrintDirect() {
    ui::PrintDirect(Printer(), PrinterPage());
}

void CQELTPrintout::OnFilePrintPreview() {
    ui::PrintPreview(this, Printer(), PrinterPage());
}

void CQELTPrintout::OnUpdateFilePrint(ui::CmdUI& cmdUi) {
    cmdUi.Enable(true);
}
