#include "app/controls/delete_key_lists.h"

#include "platform/ui/command_target.h"
#include "platform/ui/control_host.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

template <class List> List* TemplateList(ui::ControlHost& host, int id) {
    auto* list = host.Control<List>(id);
    if (list == nullptr)
        throw std::logic_error("no list of the right kind with id " + std::to_string(id));
    return list;
}

} // namespace

void PostDeleteKeyMessage(QWidget* list, const QKeyEvent* event) {
    if (event->key() != Qt::Key_Delete)
        return;
    // The message goes to the window whose message map holds the list (a dialog, or a form view).
    for (QWidget* window = list->parentWidget(); window != nullptr; window = window->parentWidget()) {
        if (dynamic_cast<ui::CommandTarget*>(window) != nullptr) {
            ui::PostMessage(window, kDeleteKeyMessage);
            return;
        }
    }
}

void CListCtrlD::ReplaceTemplateList(ui::ControlHost& host, int id, CListCtrlD* replacement) {
    // The list is ours from the call on: deleted with the exception when the template's is not a list view.
    std::unique_ptr<CListCtrlD> list(replacement);
    const ui::ListView* old = TemplateList<ui::ListView>(host, id);
    list->setSelectionMode(old->selectionMode());
    list->setSelectionBehavior(old->selectionBehavior());
    list->header()->setSectionsClickable(old->header()->sectionsClickable());
    list->setHeaderHidden(old->isHeaderHidden());
    host.ReplaceControl(id, list.release());
}

CListCtrlD* CListCtrlD::Attach(ui::ControlHost& host, int id) {
    auto* list = new CListCtrlD;
    ReplaceTemplateList(host, id, list);
    return list;
}

void CListCtrlD::keyPressEvent(QKeyEvent* event) {
    PostDeleteKeyMessage(this, event);
    ui::ListView::keyPressEvent(event);
}

CListBoxD* CListBoxD::Attach(ui::ControlHost& host, int id) {
    const ui::ListBox* old = TemplateList<ui::ListBox>(host, id);
    auto* list = new CListBoxD;
    list->SetSorted(old->IsSorted());
    list->setSelectionMode(old->selectionMode());
    host.ReplaceControl(id, list);
    return list;
}

void CListBoxD::keyPressEvent(QKeyEvent* event) {
    PostDeleteKeyMessage(this, event);
    ui::ListBox::keyPressEvent(event);
}
