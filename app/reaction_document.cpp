#include "app/reaction_document.h"

#include "app/child_frames.h"
#include "app/qelt_command_ids.h"

ReactionDocument::ReactionDocument() : ui::OpenDocument(std::make_unique<CQELTDoc>()) {
    MapCommand(qelt_cmd::DefaultUI, &ReactionDocument::OnDefaultUI);
    MapCommand(qelt_cmd::AlternateUI, &ReactionDocument::OnAlternateUI);
    MapCommand(qelt_cmd::Printout, &ReactionDocument::OnPrintout);
}

void ReactionDocument::OnFrameAdded(ui::DocFrame* frame) {
    const ModelHost::ViewKind kind = ViewKindOf(*frame);
    if (Reaction().GetViewFrame(kind) == nullptr)
        Reaction().SetViewFrame(kind, frame);
}

void ReactionDocument::OnFrameRemoved(ui::DocFrame* frame) {
    for (ModelHost::ViewKind kind : {ModelHost::ViewKind::DefaultForm, ModelHost::ViewKind::AlternateForm,
                                     ModelHost::ViewKind::Printout}) {
        if (Reaction().GetViewFrame(kind) == frame)
            Reaction().SetViewFrame(kind, nullptr);
    }
}

void ReactionDocument::OnDefaultUI() {
    Reaction().OnDefaultUI();
}

void ReactionDocument::OnAlternateUI() {
    Reaction().OnAlternateUI();
}

void ReactionDocument::OnPrintout() {
    Reaction().OnPrintout();
}
