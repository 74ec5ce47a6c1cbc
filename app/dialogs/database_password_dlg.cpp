#include "app/dialogs/database_password_dlg.h"

#include "model/md5_checksum.h"

#include <QLineEdit>
#include <QPushButton>

std::string PasswordDigest(const std::string& password) {
    return password.empty() ? std::string() : CMD5Checksum::HexDigest(password);
}

CDatabasePasswordDlg::CDatabasePasswordDlg(QWidget* parent) : ui::Dialog(kTemplateId, parent) {
    MapNotify(kCurrentEntry, ui::EN_CHANGE, &CDatabasePasswordDlg::OnChangePassword);
    MapNotify(kNewEntry, ui::EN_CHANGE, &CDatabasePasswordDlg::OnChangePassword);
    MapNotify(kRepeatedEntry, ui::EN_CHANGE, &CDatabasePasswordDlg::OnChangePassword);
}

void CDatabasePasswordDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, ui::IDOK, m_ok);
    ui::DDX_Control(dx, kCurrentEntry, m_currentEdit);
    ui::DDX_Control(dx, kNewEntry, m_newEdit);
    ui::DDX_Control(dx, kRepeatedEntry, m_repeatedEdit);
    ui::DDX_Text(dx, kCurrentEntry, m_current);
    ui::DDX_Text(dx, kNewEntry, m_new);
    ui::DDX_Text(dx, kRepeatedEntry, m_repeated);
}

bool CDatabasePasswordDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    switch (m_mode) {
    case PasswordDialogMode::Enter:
        m_newEdit->setEnabled(false);
        m_repeatedEdit->setEnabled(false);
        break;
    case PasswordDialogMode::Set:
        m_currentEdit->setEnabled(false);
        break;
    case PasswordDialogMode::Change:
        break;
    }
    // The dialog may be shown again after a wrong entry: it always starts with an empty entry.
    m_current.clear();
    m_currentEdit->clear();
    m_ok->setEnabled(m_mode == PasswordDialogMode::Enter);
    return true;
}

void CDatabasePasswordDlg::OnChangePassword() {
    UpdateData(true);
    switch (m_mode) {
    case PasswordDialogMode::Set:
        m_ok->setEnabled(m_new == m_repeated);
        break;
    case PasswordDialogMode::Change:
        m_ok->setEnabled(!m_current.empty() && CMD5Checksum::HexDigest(m_current) == m_digest &&
                         m_new == m_repeated);
        break;
    case PasswordDialogMode::Enter:
        break;
    }
}

void CDatabasePasswordDlg::OnOK() {
    // Enter reaches here also while OK is disabled (the entries do not agree yet).
    if (!m_ok->isEnabled())
        return;
    UpdateData(true);
    m_digest = PasswordDigest(m_mode == PasswordDialogMode::Enter ? m_current : m_new);
    EndDialog(ui::IDOK);
}
