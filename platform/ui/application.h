#pragma once

#include "platform/ui/command_target.h"
#include "platform/ui/settings.h"

#include <memory>

class QPrinter;

// The end of every command route: commands that belong to no window. The program's application class
// derives from it (one object for the whole run), maps its commands in its constructor and reaches the
// main window, the recent-file list and the printer here.
namespace ui {

class MainFrame;
class WindowsOnScreen;

class Application : public virtual CommandTarget {
public:
    Application();
    ~Application() override;

    // The one application object (null before it is made and after it is gone).
    static Application* Instance();

    MainFrame* MainWindow() const { return m_mainWindow; }
    void SetMainWindow(MainFrame* frame) { m_mainWindow = frame; }

    RecentFileList& RecentFiles() { return m_recentFiles; }
    // Puts the path at the top of the recent-file list and saves the list.
    void AddToRecentFileList(const QString& path);

    // Opens a document file (recent files, command line, dropped files); false when it could not be opened.
    virtual bool OpenDocumentFile(const QString& path);

    // The printer that Print Setup sets up and every printout prints on.
    QPrinter& GetPrinter();
    // The printer's paper or margins may have changed (Print Setup, Print, Print Preview): every view takes
    // them again. The program's application, which knows the documents and their views, does it.
    virtual void PageSetupChanged() {}

protected:
    // A recent-file item: opens that file; a file that cannot be opened leaves the list.
    void OnOpenRecentFile(int id);

private:
    MainFrame* m_mainWindow = nullptr;
    RecentFileList m_recentFiles{4};
    std::unique_ptr<QPrinter> m_printer;
    // Every window the program shows opens inside its screen.
    std::unique_ptr<WindowsOnScreen> m_windowsOnScreen;
};

} // namespace ui
