#include "app/reaction_views.h"

#include "app/placeholder_reaction_view.h"
#include "app/qelt_view1.h"
#include "app/qelt_view2.h"

ui::View* CreateReactionView(ModelHost::ViewKind kind) {
    switch (kind) {
    case ModelHost::ViewKind::DefaultForm:
        return new CQELTView1;
    case ModelHost::ViewKind::AlternateForm:
        return new CQELTView2;
    case ModelHost::ViewKind::Printout:
        break;
    }
    // Until the printout exists, it shows the reaction as one line of text.
    return new PlaceholderReactionView(kind);
}
