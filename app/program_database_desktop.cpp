#include "app/program_database_desktop.h"

#include "app/dialogs/database_password_dlg.h"
#include "platform/ui/command_ids.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/settings.h"
#include "platform/ui/string_table.h"

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kDatabasePathEntry = QStringLiteral("DatabasePath");

} // namespace

ProgramDatabaseDesktop::ProgramDatabaseDesktop(std::function<void()> refreshAllDocuments)
    : m_refresh(std::move(refreshAllDocuments)) {}

std::filesystem::path ProgramDatabaseDesktop::DataFolder() const {
    return ui::ToPath(ui::UserDataFolder());
}

std::string ProgramDatabaseDesktop::StoredDatabasePath() const {
    return ui::ToPath(ui::GetProfileFileName(kSection, kDatabasePathEntry)).string();
}

void ProgramDatabaseDesktop::StoreDatabasePath(const std::string& path) {
    ui::WriteProfileFileName(kSection, kDatabasePathEntry, ui::FromPath(path));
}

void ProgramDatabaseDesktop::ShowMessage(int stringId, const std::string& cause) {
    QString text = ui::LoadString(stringId);
    if (!cause.empty())
        text += QLatin1Char('\n') + QString::fromUtf8(cause);
    ui::MessageBox(text, ui::MB_OK);
}

PromptAnswer ProgramDatabaseDesktop::Ask(int stringId, PromptButtons buttons, PromptIcon icon,
                                         const std::string& detail) {
    unsigned style = buttons == PromptButtons::YesNoCancel      ? ui::MB_YESNOCANCEL
                     : buttons == PromptButtons::YesNoDefaultNo ? ui::MB_YESNO | ui::MB_DEFBUTTON2
                                                                : ui::MB_YESNO;
    if (icon == PromptIcon::Exclamation)
        style |= ui::MB_ICONEXCLAMATION;
    else if (icon == PromptIcon::Stop)
        style |= ui::MB_ICONSTOP;
    // A box closed without an answer (Escape, its close button) takes No or Cancel, which write nothing.
    switch (ui::MessageBox(ui::FormatString(stringId, {QString::fromUtf8(detail)}), style)) {
    case ui::IDYES:
        return PromptAnswer::Yes;
    case ui::IDNO:
        return PromptAnswer::No;
    default:
        return buttons == PromptButtons::YesNoCancel ? PromptAnswer::Cancel : PromptAnswer::No;
    }
}

std::optional<std::string> ProgramDatabaseDesktop::AskPassword(PasswordDialogMode mode,
                                                               const std::string& digest) {
    CDatabasePasswordDlg dialog;
    dialog.m_mode = mode;
    dialog.m_digest = digest;
    if (dialog.DoModal() != ui::IDOK)
        return std::nullopt;
    return dialog.m_digest;
}

void ProgramDatabaseDesktop::ElementTableReplaced() {
    if (m_refresh)
        m_refresh();
}
