#include "platform/ui/view.h"

#include "platform/ui/child_frame.h"
#include "platform/ui/open_document.h"

namespace ui {

View::View(QWidget* parent) : QWidget(parent) {}

View::~View() { AttachDocument(nullptr); }

Document* View::GetDocument() const { return m_document ? &m_document->GetDocument() : nullptr; }

ChildFrame* View::GetParentFrame() const {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<ChildFrame*>(w))
            return frame;
    }
    return nullptr;
}

void View::OnInitialUpdate() { OnUpdate(nullptr, 0); }

void View::OnUpdate(DocumentView*, std::uintptr_t) { update(); }

bool View::RouteCommand(int id) {
    if (HandleOwnCommand(id))
        return true;
    return m_document != nullptr && m_document->RouteCommand(id);
}

bool View::RouteUpdate(CmdUI& cmdUi) {
    if (HandleOwnUpdate(cmdUi))
        return true;
    return m_document != nullptr && m_document->RouteUpdate(cmdUi);
}

bool View::RouteHasHandler(int id) {
    if (HasOwnHandler(id))
        return true;
    return m_document != nullptr && m_document->RouteHasHandler(id);
}

void View::AttachDocument(OpenDocument* document) {
    if (document == m_document)
        return;
    if (m_document)
        m_document->GetDocument().RemoveView(this);
    m_document = document;
    if (m_document)
        m_document->GetDocument().AddView(this);
}

} // namespace ui
