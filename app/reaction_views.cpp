#include "app/reaction_views.h"

#include "app/placeholder_reaction_view.h"

ui::View* CreateReactionView(ModelHost::ViewKind kind) {
    // Until the form views and the printout exist, every kind shows the reaction as one line of text.
    return new PlaceholderReactionView(kind);
}
