#include "platform/ui/dialog.h"

#include "platform/ui/menu_resource.h"
#include "platform/ui/resource_text.h"

#include <QAbstractButton>
#include <QShortcut>
#include <cstdio>

namespace ui {
namespace {

Dialog::ModalHook& Hook() {
    static Dialog::ModalHook hook;
    return hook;
}

} // namespace

Dialog::Dialog(int templateId, QWidget* parent) : QDialog(parent), m_templateId(templateId) {}

Dialog::Dialog(DialogTemplate dialogTemplate, QWidget* parent)
    : QDialog(parent), m_templateId(dialogTemplate.id), m_ownTemplate(std::move(dialogTemplate)) {}

Dialog::~Dialog() = default;

void Dialog::SetModalHook(ModalHook hook) {
    Hook() = std::move(hook);
}

void Dialog::Build() {
    const DialogTemplate& dialog = m_ownTemplate ? *m_ownTemplate : LoadDialogTemplate(m_templateId);
    setWindowTitle(dialog.caption);
    BuildControls(this, dialog);
    setFixedSize(Units().ToPixels(dialog.size));
    setResult(IDCANCEL);
    const bool focusFirst = OnInitDialog();
    setFixedSize(MakeRoomForControls(size()));
    if (focusFirst) {
        for (QWidget* w = nextInFocusChain(); w != nullptr && w != this; w = w->nextInFocusChain()) {
            if (w->parentWidget() == this && (w->focusPolicy() & Qt::TabFocus) && !w->isHidden() &&
                w->isEnabled()) {
                GotoDlgCtrl(w);
                break;
            }
        }
    }
}

int Dialog::DoModal() {
    Build();
    if (Hook()) {
        show();
        const int answer = Hook()(*this);
        if (isVisible())
            hide();
        return answer;
    }
    exec();
    return result();
}

void Dialog::Create() {
    Build();
    show();
}

void Dialog::EndDialog(int result) {
    done(result);
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void Dialog::PressButton(int id) {
    NotifyInfo info;
    info.id = id;
    info.code = BN_CLICKED;
    OnControlNotify(info);
}

bool Dialog::LoadAccelerators(int tableId) {
    try {
        for (const Accelerator& entry : ui::LoadAccelerators(tableId).entries) {
            auto* shortcut = new QShortcut(entry.keys, this);
            const int id = entry.command;
            connect(shortcut, &QShortcut::activated, this, [this, id] { PressButton(id); });
        }
    } catch (const ResourceError& error) {
        std::fprintf(stderr, "QELT: %s\n", error.what());
        return false;
    }
    return true;
}

bool Dialog::OnControlNotify(const NotifyInfo& info) {
    if (DispatchNotification(info))
        return true;
    if (info.code != BN_CLICKED)
        return false;
    if (info.id == IDOK) {
        OnOK();
        return true;
    }
    if (info.id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return RouteCommand(info.id);
}

void Dialog::reject() {
    PressButton(IDCANCEL);
}

void Dialog::accept() {
    PressButton(IDOK);
}

} // namespace ui
