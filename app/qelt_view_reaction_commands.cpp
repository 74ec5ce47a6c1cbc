// The reaction views' commands that act on the reaction as a whole: copying it to the clipboard and
// balancing it with H+ or OH-. Each takes what the boxes show first.
#include "app/qelt_view.h"
#include "app/reaction_copy.h"
#include "model/ion_balancing.h"
#include "model/qelt_doc.h"
#include "platform/ui/command_target.h"

void CQELTView::OnCopyReaction(int id) {
    // What the boxes show is what is copied.
    if (!Doc().TakeShownValues())
        return;
    reaction_copy::CopyReaction(Doc(), id);
}

void CQELTView::OnUpdateCopyAs(ui::CmdUI& cmdUi) {
    cmdUi.Enable(reaction_copy::CanCopy(Doc()));
}

void CQELTView::OnBalanceWithH() {
    if (!Doc().TakeShownValues())
        return;
    ion_balancing::RunCommand(Doc(), ion_balancing::kHydrogenIon, [this](int oldReactants, int oldProducts) {
        SetRowCounts(oldReactants, oldProducts);
    });
}

void CQELTView::OnBalanceWithOH() {
    if (!Doc().TakeShownValues())
        return;
    ion_balancing::RunCommand(Doc(), ion_balancing::kHydroxideIon, [this](int oldReactants, int oldProducts) {
        SetRowCounts(oldReactants, oldProducts);
    });
}
