#include "platform/ui/doc_frame.h"

#include "platform/ui/file_dialog.h"
#include "platform/ui/open_document.h"
#include "platform/ui/view.h"

#include <QCloseEvent>

namespace ui {

DocFrame::DocFrame(View* view, int menuId, bool resizable, QWidget* parent)
    : ChildFrame(view, menuId, resizable, parent) {}

DocFrame::~DocFrame() {
    // The view leaves the document while both are still there; a closed document lives on until the last
    // of its frames is gone.
    OpenDocument* document = m_document;
    m_document = nullptr;
    if (document == nullptr)
        return;
    if (auto* documentView = dynamic_cast<DocumentView*>(ActiveView()))
        document->GetDocument().RemoveView(documentView);
    if (ActiveView())
        ActiveView()->SetDocumentTarget(nullptr);
    document->FrameDestroyed(this);
}

void DocFrame::AttachDocument(OpenDocument* document) {
    m_document = document;
    if (View* view = ActiveView()) {
        view->SetDocumentTarget(document);
        if (auto* documentView = dynamic_cast<DocumentView*>(view))
            document->GetDocument().AddView(documentView);
    }
}

void DocFrame::UpdateTitle(int number) {
    if (!m_autoTitle || m_document == nullptr)
        return;
    QString title = m_document->GetTitle();
    if (number > 0)
        title += QStringLiteral(":%1").arg(number);
    SetTitle(title);
}

void DocFrame::CloseForDocument() {
    m_closingForDocument = true;
    close();
}

bool DocFrame::CanCloseFrame() {
    return m_closingForDocument || m_document == nullptr || m_document->CanCloseFrame(this);
}

void DocFrame::closeEvent(QCloseEvent* event) {
    ChildFrame::closeEvent(event);
    if (event->isAccepted() && m_document != nullptr)
        m_document->FrameClosed(this);
}

} // namespace ui
