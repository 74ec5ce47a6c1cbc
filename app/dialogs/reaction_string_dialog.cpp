#include "app/dialogs/reaction_string_dialog.h"

#include "model/unicode_notation.h"
#include "platform/ui/data_exchange.h"

ReactionStringDialog::ReactionStringDialog(QWidget* parent) : ui::Dialog(kTemplateId, parent) {
    MapNotify(kTextId, ui::EN_CHANGE, &ReactionStringDialog::OnChangeText);
}

void ReactionStringDialog::DoDataExchange(ui::DataExchange& dx) {
    ui::Dialog::DoDataExchange(dx);
    ui::DDX_Control(dx, ui::IDOK, m_ok);
    ui::DDX_Text(dx, kTextId, m_text, UnicodeToNotation);
}

bool ReactionStringDialog::OnInitDialog() {
    const bool result = ui::Dialog::OnInitDialog();
    if (!m_shownText.isEmpty())
        SetDlgItemText(kTextId, m_shownText);
    EnableOk();
    return result;
}

// The text is read into the member only on OK: a character the notation cannot hold is refused there, not
// while the user is still typing.
void ReactionStringDialog::OnChangeText() {
    EnableOk();
}

void ReactionStringDialog::EnableOk() {
    if (m_ok)
        m_ok->setEnabled(!GetDlgItemText(kTextId).isEmpty());
}
