#include "app/child_frame2.h"

#include "app/qelt_printout.h"
#include "model/model_host.h"
#include "model/qelt_doc.h"
#include "platform/ui/doc_manager.h"
#include "platform/ui/open_document.h"

#include <QStyle>

namespace {

constexpr auto kPrintoutKind = ModelHost::ViewKind::Printout;

} // namespace

CChildFrame2::CChildFrame2(CQELTPrintout* view, QWidget* parent)
    : ui::DocFrame(view, kMenuId, true, parent), m_printout(view) {
    SetAutoTitle(false);
}

CChildFrame2::~CChildFrame2() {
    // The next Printout command opens a fresh frame.
    if (CQELTDoc* document = ReactionDocument()) {
        if (document->GetViewFrame(kPrintoutKind) == this)
            document->SetViewFrame(kPrintoutKind, nullptr);
    }
}

CQELTDoc* CChildFrame2::ReactionDocument() const {
    ui::OpenDocument* open = GetOpenDocument();
    return open ? dynamic_cast<CQELTDoc*>(&open->GetDocument()) : nullptr;
}

CChildFrame2* CChildFrame2::ShowPrintout(ui::OpenDocument& document) {
    auto* reaction = dynamic_cast<CQELTDoc*>(&document.GetDocument());
    if (reaction != nullptr) {
        if (auto* known = dynamic_cast<CChildFrame2*>(reaction->GetViewFrame(kPrintoutKind))) {
            known->Activate();
            return known;
        }
    }

    auto* view = new CQELTPrintout;
    auto* frame = new CChildFrame2(view);
    frame->SetTitle(QStringLiteral("%1 - printout").arg(document.GetTitle()));
    if (ui::DocManager* manager = document.GetDocManager())
        manager->AddFrameWindow(frame);
    document.AddFrame(frame);
    view->OnInitialUpdate();

    // Wide enough for the whole width of the page, as tall as the page or the document area allows.
    const QSize page = view->PageSizeOnScreen();
    const int scrollBar = frame->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize client(page.width() + scrollBar + 2 * view->frameWidth(), page.height());
    if (QWidget* area = frame->parentWidget())
        client.setHeight(std::min(client.height(), area->height() * 9 / 10));
    else
        client.setHeight(std::min(client.height(), 700));
    frame->ResizeClientTo(client);

    frame->show();
    frame->Activate();
    if (reaction != nullptr)
        reaction->SetViewFrame(kPrintoutKind, frame);
    return frame;
}
