#include "app/qelt_printout.h"

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

#include <algorithm>
#include <cmath>

namespace {

// One inch is 254 tenths of a millimetre.
constexpr double kUnitsPerInch = 254.0;
constexpr double kUnitsPerMillimetre = 10.0;

constexpr int kHelpContext = qelt_res::PrintoutHelp;

// The application's printer, which Print Setup sets up; a printer of its own where there is no application.
QPrinter& Printer() {
    if (ui::Application* app = ui::Application::Instance())
        return app->GetPrinter();
    static QPrinter* printer = new QPrinter;
    return *printer;
}

// The print dialog and the preview can change the paper of the printer every printout shares: each of them
// takes it again.
void PrinterMayHaveChanged(CQELTPrintout& view) {
    if (ui::Application* app = ui::Application::Instance())
        app->PageSetupChanged();
    else
        view.OnPageSetupChanged();
}

} // namespace

// The sheet of paper on screen.
class CQELTPrintout::Page : public QWidget {
    Q_OBJECT

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
        m_view.DrawOnScreen(painter);
    }

private:
    CQELTPrintout& m_view;
};

CQELTPrintout::CQELTPrintout(QWidget* parent) : QScrollArea(parent), m_page(new Page(*this)) {
    setWidget(m_page);
    setWidgetResizable(false);
    setBackgroundRole(QPalette::Dark);
    // The page alone until the view is shown and takes the printer's sheet.
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
    if (ui::ChildFrame* frame = Frame())
        frame->SetHelpContext(kHelpContext);
    FitPageToPrinter();
}

void CQELTPrintout::OnUpdate(DocumentView*, std::uintptr_t) {
    // The frame's initial update reaches a view that is not a form as its first update.
    if (!m_initialized && Frame() != nullptr)
        OnInitialUpdate();
    m_page->update();
}

void CQELTPrintout::OnPageSetupChanged() {
    FitPageToPrinter();
}

void CQELTPrintout::FitPageToPrinter() {
    m_sheet = ui::PrinterSheet(Printer());
    m_page->resize(PageSizeOnScreen());
    m_page->update();
}

double CQELTPrintout::PixelsPerUnit() const {
    // One factor for both directions, as on the printer: text keeps its size relative to the positions.
    return m_page->logicalDpiY() / kUnitsPerInch;
}

QSize CQELTPrintout::PageSizeOnScreen() const {
    const QPointF origin = m_sheet.origin * kUnitsPerMillimetre;
    const double width =
        std::max(m_sheet.paper.width() * kUnitsPerMillimetre, origin.x() + printout::kPageWidth);
    const double height =
        std::max(m_sheet.paper.height() * kUnitsPerMillimetre, origin.y() + printout::kPageHeight);
    const double pixelsPerUnit = PixelsPerUnit();
    return QSize(static_cast<int>(std::lround(width * pixelsPerUnit)),
                 static_cast<int>(std::lround(height * pixelsPerUnit)));
}

void CQELTPrintout::DrawOnScreen(QPainter& painter) const {
    painter.save();
    painter.translate(m_sheet.origin * kUnitsPerMillimetre * PixelsPerUnit());
    OnDraw(painter, m_page->logicalDpiY());
    painter.restore();
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

bool CQELTPrintout::TakeFormValues() const {
    // The page shows what the form views' boxes show.
    CQELTDoc* doc = GetDocument();
    return doc == nullptr || doc->TakeShownValues();
}

void CQELTPrintout::OnFilePrint() {
    if (!TakeFormValues())
        return;
    ui::PrintWithDialog(this, Printer(), PrinterPage());
    PrinterMayHaveChanged(*this);
}

void CQELTPrintout::OnFilePrintDirect() {
    if (!TakeFormValues())
        return;
    ui::PrintDirect(Printer(), PrinterPage());
}

void CQELTPrintout::OnFilePrintPreview() {
    if (!TakeFormValues())
        return;
    ui::PrintPreview(this, Printer(), PrinterPage());
    PrinterMayHaveChanged(*this);
}

void CQELTPrintout::OnUpdateFilePrint(ui::CmdUI& cmdUi) {
    cmdUi.Enable(true);
}

#include "qelt_printout.moc"
