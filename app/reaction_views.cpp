#include "app/reaction_views.h"

#include "app/placeholder_reaction_view.h"
#include "app/qelt_printout.h"

ui::View* CreateReactionView(ModelHost::ViewKind kind) {
    if (kind == ModelHost::ViewKind::Printout)
        return new CQELTPrintout;
    // Until the form views exist, each shows the reaction as one line of text.
    return new PlaceholderReactionView(kind);
}
