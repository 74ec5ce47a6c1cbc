#pragma once

#include "app/program_database.h"
#include "app/program_database_desktop.h"
#include "model/composition_vector.h"
#include "platform/ui/application.h"

#include <memory>

class CMainFrame;

namespace ui {
class DocManager;
}

// What every program of the family shares: the display digits, the program database (element table with
// the user's moieties, substances, password digest) and its commands, the program defaults flag, the
// documents, the main window, start-up and shut-down, help, the tip of the day and the About box. The
// product's application class implements the hooks below.
class CKestrolabApp : public ui::Application {
public:
    static constexpr const char* kSettings = "Settings";

    CKestrolabApp();
    ~CKestrolabApp() override;
    CKestrolabApp(const CKestrolabApp&) = delete;
    CKestrolabApp& operator=(const CKestrolabApp&) = delete;

    // The one application object (null when there is none).
    static CKestrolabApp* GetApp();

    // Start-up: the settings the family shares (display digits, recent files). False ends the program.
    virtual bool InitInstance();
    // Shut-down after the main window closed: offers to save the program defaults, writes the display
    // digits. Returns the program's exit code.
    virtual int ExitInstance();
    // Offers to save every modified document, then (whatever the answers) the program database. False
    // when the user cancelled a document's prompt, or chose to stay when the database could not be written:
    // the program then keeps running.
    virtual bool SaveAllModified();
    // Runs the program until the main window closes, then ExitInstance.
    int Run();

    // The family's hooks.
    // The composition used by all open documents and by the substance database.
    virtual CompositionVector GetUsedComposition() = 0;
    // Re-reads and redraws every open document after the element table changed.
    virtual void RefreshAllDocuments() = 0;
    // Replaces the database in use by the built-in element table and the default substances.
    virtual void CreateDefaultDatabase() = 0;
    // Reads and writes "config.dat" (the standard conditions).
    virtual void LoadConfig() = 0;
    virtual void SaveConfig() = 0;
    // Whether the element table or the substance database has unsaved changes.
    virtual bool IsDatabaseModified() const = 0;

    int GetDisplayDigits() const { return m_displayDigits; }
    // Set by the standard-conditions dialog when the user changed the program defaults.
    bool& ProgramDefaultsModified() { return m_programDefaultsModified; }
    ProgramDatabase& GetProgramDatabase() { return *m_database; }
    ui::DocManager& GetDocManager() { return *m_docManager; }
    CMainFrame* GetMainFrame() const { return m_mainFrame.get(); }
    // Every view of every document takes the printer's paper and margins again.
    void PageSetupChanged() override;

    // Every view of every document redraws everything (after a change of the display digits).
    void UpdateAllDocuments();
    // Opens a document file (recent files, command line, dropped files, a later start's files).
    bool OpenDocumentFile(const QString& path) override;

    // Commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnTutorial();
    void OnTipOfTheDay();
    void OnAppAbout();
    void OnDigits4();
    void OnDigits6();
    void OnUpdateDigits4(ui::CmdUI& cmdUi);
    void OnUpdateDigits6(ui::CmdUI& cmdUi);
    void OnDatabasePath();
    void OnDatabasePassword();
    void OnSaveDatabase();
    void OnUpdateSaveDatabase(ui::CmdUI& cmdUi);
    void OnWindowWidthUp16();
    void OnWindowWidthDown16();
    void OnCycleWindowSize();

protected:
    // Creates the main window from resource 203; false when that fails.
    bool CreateMainFrame();
    // The start-up tail: the first-run tutorial page on the first start, else the tip of the day.
    void ShowStartupHelp();
    // Closes the main window's frames and deletes the main window.
    void DestroyMainFrame();

    std::unique_ptr<ui::DocManager> m_docManager;
    std::unique_ptr<CMainFrame> m_mainFrame;
    ProgramDatabaseDesktop m_databaseDesktop;
    std::unique_ptr<ProgramDatabase> m_database;

private:
    void SetDisplayDigits(int digits);
    void ResizeMainWindow(int commandId);

    int m_displayDigits = 4;
    bool m_programDefaultsModified = false;
};
