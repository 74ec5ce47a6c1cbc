#include "app/placeholder_reaction_view.h"

#include "app/qelt_command_ids.h"
#include "app/reaction_document.h"
#include "platform/ui/child_frame.h"
#include "platform/ui/text_codec.h"

namespace {

QString Side(const CQELTDoc& doc, int firstRow, int count) {
    QStringList terms;
    for (int row = firstRow; row < firstRow + count; ++row) {
        const CQELTReagent* reagent = doc.GetReagent(row);
        if (reagent == nullptr)
            continue;
        const int coefficient = doc.GetCoefficient(row);
        QString term = ui::FromCp1252(reagent->GetFormula());
        if (coefficient > 1)
            term = QString::number(coefficient) + QLatin1Char(' ') + term;
        terms << term;
    }
    return terms.join(QStringLiteral(" + "));
}

} // namespace

PlaceholderReactionView::PlaceholderReactionView(ModelHost::ViewKind kind) : m_kind(kind) {
    setMargin(16);
    setMinimumSize(480, 120);
    setAlignment(Qt::AlignCenter);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

QString PlaceholderReactionView::ReactionLine() const {
    const auto* document = dynamic_cast<ReactionDocument*>(DocumentTarget());
    if (document == nullptr)
        return {};
    const CQELTDoc& doc = document->Reaction();
    if (doc.GetReactantCount() == 0 && doc.GetProductCount() == 0)
        return QStringLiteral("(empty reaction)");
    return Side(doc, 0, doc.GetReactantCount()) + QStringLiteral(" = ") +
           Side(doc, CQELTDoc::kFirstProductRow, doc.GetProductCount());
}

void PlaceholderReactionView::OnUpdate(DocumentView*, std::uintptr_t) {
    setText(ReactionLine());
    if (ui::ChildFrame* frame = Frame()) {
        switch (m_kind) {
        case ModelHost::ViewKind::DefaultForm:
            frame->SetHelpContext(qelt_res::DefaultViewHelp);
            break;
        case ModelHost::ViewKind::AlternateForm:
            frame->SetHelpContext(qelt_res::AlternateViewHelp);
            break;
        case ModelHost::ViewKind::Printout:
            frame->SetHelpContext(qelt_res::PrintoutHelp);
            break;
        }
        if (!frame->IsResizable())
            frame->ResizeClientTo(sizeHint().expandedTo(minimumSize()));
    }
}
