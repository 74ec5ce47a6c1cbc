#include "app/reaction_views.h"

#include "app/qelt_printout.h"
#include "app/qelt_view1.h"
#include "app/qelt_view2.h"

ui::View* CreateReactionView(ModelHost::ViewKind kind) {
    switch (kind) {
    case ModelHost::ViewKind::DefaultForm:
        return new CQELTView1;
    case ModelHost::ViewKind::AlternateForm:
        return new CQELTView2;
    case ModelHost::ViewKind::Printout:
        return new CQELTPrintout;
    }
    return nullptr;
}
