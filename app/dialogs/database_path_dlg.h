#pragma once

#include "platform/ui/dialog.h"

#include <QString>

class ProgramDatabase;
class QPushButton;

// "Database path": moves the program database to another file, either writing the database in use there or
// reading the database found there (see ProgramDatabase::ChangeDatabasePath).
class CDatabasePathDlg : public ui::Dialog {
public:
    static constexpr int kTemplateId = 2079;
    static constexpr int kPathEdit = 2085;
    static constexpr int kBrowseButton = 2086;
    static constexpr int kDefaultButton = 2087;

    explicit CDatabasePathDlg(ProgramDatabase& database, QWidget* parent = nullptr);

    // Chooses the file the Browse button offers (tests answer it; the default shows the desktop's file
    // dialog). An empty answer is a cancelled choice.
    using FileChooser = std::function<QString(QWidget* parent, const QString& proposal)>;
    static void SetFileChooser(FileChooser chooser);

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnChangePath();
    void OnDefaultPath();
    void OnBrowse();
    void EnableOkForPath();
    QString CurrentDatabasePath() const;

    ProgramDatabase& m_database;
    QPushButton* m_ok = nullptr;
    QString m_path;
};
