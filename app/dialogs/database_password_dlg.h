#pragma once

#include "app/program_database.h"
#include "platform/ui/dialog.h"

#include <string>

class QLineEdit;
class QPushButton;

// "Database password": asks for the password that guards the program database against overwriting (mode
// Enter), or sets (Set) or changes (Change) it. After OK the digest field holds the MD5 digest in hexadecimal
// of the accepted password, or is empty for an empty entry; the password itself is never kept.
class CDatabasePasswordDlg : public ui::Dialog {
public:
    static constexpr int kTemplateId = 2078;
    static constexpr int kCurrentEntry = 2082;
    static constexpr int kNewEntry = 2083;
    static constexpr int kRepeatedEntry = 2084;

    explicit CDatabasePasswordDlg(QWidget* parent = nullptr);

    PasswordDialogMode m_mode = PasswordDialogMode::Enter;
    // Change mode: the digest the current password must match. After OK: the result.
    std::string m_digest;

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnChangePassword();

    QPushButton* m_ok = nullptr;
    QLineEdit* m_currentEdit = nullptr;
    QLineEdit* m_newEdit = nullptr;
    QLineEdit* m_repeatedEdit = nullptr;
    std::string m_current;
    std::string m_new;
    std::string m_repeated;
};

// The digest a password is kept as: 32 lower-case hexadecimal characters, or empty for an empty password.
std::string PasswordDigest(const std::string& password);
