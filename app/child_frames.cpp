#include "app/child_frames.h"

#include "app/qelt_command_ids.h"
#include "platform/ui/resource_icon.h"

#include <QIcon>

namespace {
constexpr int kPrintoutIcon = 192;
} // namespace

CChildFrame::CChildFrame(ui::View* view, int menuId, QWidget* parent)
    : ui::DocFrame(view, menuId, /*resizable*/ false, parent) {}

ModelHost::ViewKind CChildFrame::Kind() const {
    return MenuId() == qelt_res::AlternateTemplate ? ModelHost::ViewKind::AlternateForm
                                                   : ModelHost::ViewKind::DefaultForm;
}

CChildFrame2::CChildFrame2(ui::View* view, QWidget* parent)
    : ui::DocFrame(view, qelt_res::ReactionTemplate, /*resizable*/ true, parent) {
    // The printout has an icon of its own; its menu is the reaction's.
    if (const QIcon icon = ResourceIcon(kPrintoutIcon); !icon.isNull())
        setWindowIcon(icon);
}

ModelHost::ViewKind ViewKindOf(const ui::DocFrame& frame) {
    if (qobject_cast<const CChildFrame2*>(&frame))
        return ModelHost::ViewKind::Printout;
    if (const auto* form = qobject_cast<const CChildFrame*>(&frame))
        return form->Kind();
    return ModelHost::ViewKind::DefaultForm;
}
