#include "app/kestrolab_app.h"

#include "app/dialogs/about_dlg.h"
#include "app/dialogs/database_path_dlg.h"
#include "app/dialogs/tip_of_the_day.h"
#include "app/main_frame.h"
#include "app/qelt_command_ids.h"
#include "app/window_size.h"
#include "platform/ui/command_ids.h"
#include "platform/ui/doc_frame.h"
#include "platform/ui/doc_manager.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/help_window.h"
#include "platform/ui/message_box.h"
#include "platform/ui/open_document.h"
#include "platform/ui/settings.h"
#include "platform/ui/view.h"

#include <QApplication>
#include <QPageSetupDialog>

namespace {

CKestrolabApp* g_app = nullptr;

const QString kFirstRunTopic = QStringLiteral("html\\tutorial_1st_run.htm");
const QString kTutorialTopic = QStringLiteral("html\\list_of_examples.htm");

QString SettingsSection() {
    return QString::fromLatin1(CKestrolabApp::kSettings);
}

} // namespace

CKestrolabApp::CKestrolabApp()
    : m_docManager(std::make_unique<ui::DocManager>()),
      m_database(std::make_unique<ProgramDatabase>(m_databaseDesktop)) {
    g_app = this;
    m_databaseDesktop.SetRefreshAllDocuments([this] { RefreshAllDocuments(); });
    m_docManager->SetRecentFileSink(
        [this](const std::filesystem::path& path) { AddToRecentFileList(ui::FromPath(path)); });

    MapCommand(ui::cmd::FileNew, &CKestrolabApp::OnFileNew);
    MapCommand(ui::cmd::FileOpen, &CKestrolabApp::OnFileOpen);
    MapCommand(ui::cmd::FilePrintSetup, &CKestrolabApp::OnFilePrintSetup);
    MapCommand(qelt_cmd::Tutorial, &CKestrolabApp::OnTutorial);
    MapCommand(qelt_cmd::TipOfTheDay, &CKestrolabApp::OnTipOfTheDay);
    MapCommand(ui::cmd::AppAbout, &CKestrolabApp::OnAppAbout);
    MapCommand(qelt_cmd::Digits4, &CKestrolabApp::OnDigits4);
    MapUpdateCommand(qelt_cmd::Digits4, &CKestrolabApp::OnUpdateDigits4);
    MapCommand(qelt_cmd::Digits6, &CKestrolabApp::OnDigits6);
    MapUpdateCommand(qelt_cmd::Digits6, &CKestrolabApp::OnUpdateDigits6);
    MapCommand(qelt_cmd::DatabasePath, &CKestrolabApp::OnDatabasePath);
    MapCommand(qelt_cmd::DatabasePassword, &CKestrolabApp::OnDatabasePassword);
    MapCommand(qelt_cmd::SaveDatabase, &CKestrolabApp::OnSaveDatabase);
    MapUpdateCommand(qelt_cmd::SaveDatabase, &CKestrolabApp::OnUpdateSaveDatabase);
    MapCommand(qelt_cmd::WindowWidthUp16, &CKestrolabApp::OnWindowWidthUp16);
    MapCommand(qelt_cmd::WindowWidthDown16, &CKestrolabApp::OnWindowWidthDown16);
    MapCommand(qelt_cmd::CycleWindowSize, &CKestrolabApp::OnCycleWindowSize);
}

CKestrolabApp::~CKestrolabApp() {
    // Windows first, then the documents they show, then the tables the documents were read against.
    DestroyMainFrame();
    m_docManager.reset();
    m_database.reset();
    if (g_app == this)
        g_app = nullptr;
}

CKestrolabApp* CKestrolabApp::GetApp() {
    return g_app;
}

bool CKestrolabApp::InitInstance() {
    // Any stored value is used as it is, not only 4 or 6.
    m_displayDigits = ui::GetProfileInt(SettingsSection(), QStringLiteral("DisplayDigits"), 4);
    RecentFiles().Load();
    return true;
}

int CKestrolabApp::ExitInstance() {
    DestroyMainFrame();
    if (m_programDefaultsModified && ui::MessageBox(ProgramFileMessages::kSaveProgramDefaults,
                                                    ui::MB_YESNO | ui::MB_ICONQUESTION) == ui::IDYES)
        SaveConfig();
    ui::WriteProfileInt(SettingsSection(), QStringLiteral("DisplayDigits"), m_displayDigits);
    return 0;
}

bool CKestrolabApp::SaveAllModified() {
    const bool documents = m_docManager->SaveAllModified();
    // The database prompt comes whatever the answers to the documents' prompts were.
    if (!documents) {
        OnSaveDatabase(); // the program keeps running anyway
        return false;
    }
    // A database that could not be written keeps the program running when the user would rather stay.
    return m_database->OnSaveDatabaseAtExit();
}

int CKestrolabApp::Run() {
    QApplication::exec();
    return ExitInstance();
}

bool CKestrolabApp::CreateMainFrame() {
    auto frame = std::make_unique<CMainFrame>(this);
    if (!frame->LoadFrame(qelt_res::MainFrame))
        return false;
    m_mainFrame = std::move(frame);
    m_docManager->SetMainFrame(m_mainFrame.get());
    return true;
}

void CKestrolabApp::DestroyMainFrame() {
    if (!m_mainFrame)
        return;
    m_docManager->CloseAllDocuments();
    m_docManager->SetMainFrame(nullptr);
    m_mainFrame.reset();
}

void CKestrolabApp::ShowStartupHelp() {
    if (ui::GetProfileInt(SettingsSection(), QStringLiteral("FirstRun"), 0) != 0) {
        ui::WriteProfileInt(SettingsSection(), QStringLiteral("FirstRun"), 0);
        ui::ShowHelpTopic(kFirstRunTopic);
    } else if (CTipofTheDay::ShowsAtStartup()) {
        OnTipOfTheDay();
    }
}

void CKestrolabApp::UpdateAllDocuments() {
    for (ui::OpenDocument* document : m_docManager->GetDocuments())
        document->GetDocument().UpdateAllViews(nullptr, 0);
}

bool CKestrolabApp::OpenDocumentFile(const QString& path) {
    return m_docManager->OpenDocumentFile(ui::ToPath(path)) != nullptr;
}

void CKestrolabApp::OnFileNew() {
    m_docManager->OnFileNew();
}

void CKestrolabApp::OnFileOpen() {
    m_docManager->OnFileOpen(m_mainFrame.get());
}

void CKestrolabApp::OnFilePrintSetup() {
    QPageSetupDialog dialog(&GetPrinter(), m_mainFrame.get());
    if (dialog.exec() == QDialog::Accepted)
        PageSetupChanged();
}

void CKestrolabApp::PageSetupChanged() {
    for (ui::OpenDocument* document : m_docManager->GetDocuments()) {
        for (ui::DocFrame* frame : document->GetFrames()) {
            if (ui::View* view = frame->ActiveView())
                view->OnPageSetupChanged();
        }
    }
}

void CKestrolabApp::OnTutorial() {
    ui::ShowHelpTopic(kTutorialTopic);
}

void CKestrolabApp::OnTipOfTheDay() {
    CTipofTheDay dialog;
    dialog.DoModal();
}

void CKestrolabApp::OnAppAbout() {
    CAboutDlg dialog;
    dialog.DoModal();
}

void CKestrolabApp::SetDisplayDigits(int digits) {
    m_displayDigits = digits;
    UpdateAllDocuments();
}

void CKestrolabApp::OnDigits4() {
    SetDisplayDigits(4);
}

void CKestrolabApp::OnDigits6() {
    SetDisplayDigits(6);
}

void CKestrolabApp::OnUpdateDigits4(ui::CmdUI& cmdUi) {
    cmdUi.SetCheck(m_displayDigits == 4 ? 1 : 0);
}

void CKestrolabApp::OnUpdateDigits6(ui::CmdUI& cmdUi) {
    cmdUi.SetCheck(m_displayDigits == 6 ? 1 : 0);
}

void CKestrolabApp::OnDatabasePath() {
    CDatabasePathDlg dialog(*m_database);
    dialog.DoModal();
}

void CKestrolabApp::OnDatabasePassword() {
    m_database->OnDatabasePassword();
}

void CKestrolabApp::OnSaveDatabase() {
    m_database->OnSaveDatabase();
}

void CKestrolabApp::OnUpdateSaveDatabase(ui::CmdUI& cmdUi) {
    cmdUi.Enable(IsDatabaseModified());
}

void CKestrolabApp::OnWindowWidthUp16() {
    ResizeMainWindow(qelt_cmd::WindowWidthUp16);
}

void CKestrolabApp::OnWindowWidthDown16() {
    ResizeMainWindow(qelt_cmd::WindowWidthDown16);
}

void CKestrolabApp::OnCycleWindowSize() {
    ResizeMainWindow(qelt_cmd::CycleWindowSize);
}

void CKestrolabApp::ResizeMainWindow(int commandId) {
    if (!m_mainFrame)
        return;
    const WindowSize current = m_mainFrame->OuterSize();
    WindowSize wanted = current;
    switch (commandId) {
    case qelt_cmd::WindowWidthUp16:
        wanted = window_size::WidthUp16(current);
        break;
    case qelt_cmd::WindowWidthDown16:
        wanted = window_size::WidthDown16(current);
        break;
    default:
        wanted = window_size::Cycle(current);
        break;
    }
    m_mainFrame->SetOuterSize(wanted);
    m_mainFrame->SetStatusText(QString::fromStdString(window_size::StatusText(wanted)));
}
