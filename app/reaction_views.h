#pragma once

#include "model/model_host.h"

namespace ui {
class View;
}

// The views of a reaction, one per kind of view frame: the default form view (template 201), the
// alternate form view (template 202) and the printout. This is where the views plug into the program;
// null when a view cannot be made.
ui::View* CreateReactionView(ModelHost::ViewKind kind);
