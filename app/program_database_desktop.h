#pragma once

#include "app/program_database.h"

#include <functional>

// The program database's host on the desktop: the data folder and Settings/DatabasePath of the user's
// settings, message boxes from the string table, and the password dialog. The application gives it the
// refresh of its open reactions.
class ProgramDatabaseDesktop : public ProgramDatabaseHost {
public:
    explicit ProgramDatabaseDesktop(std::function<void()> refreshAllDocuments = {});

    void SetRefreshAllDocuments(std::function<void()> refresh) { m_refresh = std::move(refresh); }

    std::filesystem::path DataFolder() const override;
    std::string StoredDatabasePath() const override;
    void StoreDatabasePath(const std::string& path) override;
    void ShowMessage(int stringId, const std::string& cause) override;
    PromptAnswer Ask(int stringId, PromptButtons buttons, PromptIcon icon,
                     const std::string& detail) override;
    std::optional<std::string> AskPassword(PasswordDialogMode mode, const std::string& digest) override;
    void ElementTableReplaced() override;

private:
    std::function<void()> m_refresh;
};
