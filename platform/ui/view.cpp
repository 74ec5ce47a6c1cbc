#include "platform/ui/view.h"

#include "platform/ui/child_frame.h"

namespace ui {

ChildFrame* View::Frame() const {
    auto* self = const_cast<View*>(this);
    for (QWidget* w = self->Widget(); w != nullptr; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<ChildFrame*>(w))
            return frame;
    }
    return nullptr;
}

bool View::RouteCommand(int id) {
    return HandleOwnCommand(id) || (m_documentTarget != nullptr && m_documentTarget->RouteCommand(id));
}

bool View::RouteUpdate(CmdUI& cmdUi) {
    return HandleOwnUpdate(cmdUi) || (m_documentTarget != nullptr && m_documentTarget->RouteUpdate(cmdUi));
}

bool View::RouteHasHandler(int id) {
    return HasOwnHandler(id) || (m_documentTarget != nullptr && m_documentTarget->RouteHasHandler(id));
}

FormView::FormView(int templateId, QWidget* parent)
    : QScrollArea(parent), m_page(new QWidget), m_templateId(templateId) {
    setWidget(m_page);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    // The form is no stop of its own on the way through its controls: it could not show that it has the
    // focus, and a click between the controls leaves the focus where it was. A control that takes the
    // focus is scrolled into view.
    setFocusPolicy(Qt::NoFocus);
}

FormView::FormView(const DialogTemplate& form, QWidget* parent) : FormView(form.id, parent) {
    m_ownTemplate = form;
}

FormView::~FormView() = default;

void FormView::Create() {
    if (!m_created) {
        const DialogTemplate& form = m_ownTemplate ? *m_ownTemplate : LoadDialogTemplate(m_templateId);
        BuildControls(m_page, form);
        m_page->resize(Units().ToPixels(form.size));
        m_created = true;
    }
    OnInitialUpdate();
}

void FormView::OnInitialUpdate() {
    UpdateData(false);
}

QSize FormView::FormSize() const {
    return m_page->size();
}

void FormView::SetFormSize(const QSize& size) {
    m_page->resize(size);
}

void FormView::ResizeParentToFit(bool shrinkOnly) {
    ChildFrame* frame = Frame();
    if (frame == nullptr)
        return;
    QSize wanted = FormSize();
    if (shrinkOnly)
        wanted = wanted.boundedTo(frame->ClientSize());
    frame->ResizeClientTo(wanted);
}

} // namespace ui
