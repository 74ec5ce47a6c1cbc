#include "app/dialogs/database_path_dlg.h"

#include "app/program_database.h"
#include "platform/ui/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

namespace {

// An open-file dialog that also takes the name of a file still to be made.
QString ChooseWithFileDialog(QWidget* parent, const QString& proposal) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("*.dat"));
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    dialog.selectFile(proposal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

CDatabasePathDlg::FileChooser& Chooser() {
    static CDatabasePathDlg::FileChooser chooser = ChooseWithFileDialog;
    return chooser;
}

} // namespace

void CDatabasePathDlg::SetFileChooser(FileChooser chooser) {
    Chooser() = chooser ? std::move(chooser) : FileChooser(ChooseWithFileDialog);
}

CDatabasePathDlg::CDatabasePathDlg(ProgramDatabase& database, QWidget* parent)
    : ui::Dialog(kTemplateId, parent), m_database(database) {
    MapNotify(kPathEdit, ui::EN_CHANGE, &CDatabasePathDlg::OnChangePath);
    MapNotify(kDefaultButton, ui::BN_CLICKED, &CDatabasePathDlg::OnDefaultPath);
    MapNotify(kBrowseButton, ui::BN_CLICKED, &CDatabasePathDlg::OnBrowse);
}

QString CDatabasePathDlg::CurrentDatabasePath() const {
    return ui::FromPath(m_database.GetDatabasePath());
}

void CDatabasePathDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, ui::IDOK, m_ok);
    ui::DDX_Text(dx, kPathEdit, m_path);
}

bool CDatabasePathDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_path = CurrentDatabasePath();
    m_ok->setEnabled(false);
    UpdateData(false);
    return true;
}

void CDatabasePathDlg::EnableOkForPath() {
    // A path of nothing but blanks names no file.
    m_ok->setEnabled(!m_path.trimmed().isEmpty() && m_path != CurrentDatabasePath());
}

void CDatabasePathDlg::OnChangePath() {
    UpdateData(true);
    EnableOkForPath();
}

void CDatabasePathDlg::OnDefaultPath() {
    m_path = ui::FromPath(m_database.GetDefaultDatabasePath());
    EnableOkForPath();
    UpdateData(false);
}

void CDatabasePathDlg::OnBrowse() {
    // The proposal is the database file name, in the folder of the path shown.
    const QString folder = QFileInfo(m_path).path();
    const QString name = ui::FromPath(ProgramDatabase::GetDatabaseFileName());
    const QString chosen = Chooser()(this, m_path.isEmpty() ? name : QFileInfo(folder, name).filePath());
    if (chosen.isEmpty())
        return; // cancelled: the path stays as it was
    m_path = QFileInfo(chosen).absoluteFilePath();
    EnableOkForPath();
    UpdateData(false);
}

void CDatabasePathDlg::OnOK() {
    if (!m_ok->isEnabled())
        return;
    switch (m_database.ChangeDatabasePath(ui::ToPath(m_path))) {
    case ProgramDatabase::PathChange::KeepDialogOpen:
        break;
    case ProgramDatabase::PathChange::Changed:
    case ProgramDatabase::PathChange::NotChanged:
        EndDialog(ui::IDOK);
        break;
    }
}
