#include "app/dialogs/reaction_string_dialog.h"

#include "platform/ui/data_exchange.h"

ReactionStringDialog::ReactionStringDialog(QWidget* parent) : ui::Dialog(kTemplateId, parent) {
    MapNotify(kTextId, ui::EN_CHANGE, &ReactionStringDialog::OnChangeText);
}

void ReactionStringDialog::DoDataExchange(ui::DataExchange& dx) {
    ui::Dialog::DoDataExchange(dx);
    ui::DDX_Control(dx, ui::IDOK, m_ok);
    ui::DDX_Text(dx, kTextId, m_text);
}

bool ReactionStringDialog::OnInitDialog() {
    const bool result = ui::Dialog::OnInitDialog();
    EnableOk();
    return result;
}

void ReactionStringDialog::OnChangeText() {
    UpdateData(true);
    EnableOk();
}

void ReactionStringDialog::EnableOk() {
    if (m_ok)
        m_ok->setEnabled(!m_text.empty());
}
