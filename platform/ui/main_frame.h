#pragma once

#include "platform/ui/command_target.h"
#include "platform/ui/menu_resource.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

// The main window: menu bar, one tool bar, the status bar with its message pane, and the document windows
// in a multiple-document area. Commands from menus, tool bar and accelerators go to the active child
// frame (its view, then the view's document), then to the main frame itself, then to the application.
// Before a menu opens, and for the tool bar whenever the program falls idle, every command's update
// handler decides whether it is enabled and checked; a command that nobody handles is disabled.
namespace ui {

class Application;
class ChildFrame;

class MainFrame : public QMainWindow, public virtual CommandTarget {
    Q_OBJECT
public:
    explicit MainFrame(Application* application = nullptr, QWidget* parent = nullptr);
    ~MainFrame() override;

    // Loads menu, accelerators and tool bar <resourceId> and takes string <resourceId> as the title; false
    // (after saying why on the error output) when a resource is missing or faulty.
    bool LoadFrame(int resourceId);

    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* ToolBar() const { return m_toolBar; }
    // Adds a document window and shows it.
    void AddChildFrame(ChildFrame* frame);
    ChildFrame* ActiveChildFrame() const;
    QList<ChildFrame*> ChildFrames() const;

    // Shows the menu with the id (the active child frame's menu, or the frame's own without one).
    void SetMenuResource(int id);
    int MenuResourceId() const { return m_menuId; }

    // The message pane: the text stays until a menu prompt replaces it; after the prompt the idle text
    // ("Ready") comes back.
    void SetMessageText(const QString& text);
    QString MessageText() const;

    // Runs a command as a menu item, tool bar button or accelerator would: nothing when it is disabled.
    bool ExecuteCommand(int id);
    // The update state of a command as the update handlers decide it now.
    struct CommandState {
        bool enabled = false;
        bool checkSet = false;
        int check = 0;
    };
    CommandState QueryCommandState(int id);
    // Refreshes every tool bar button (the frame does this whenever the program falls idle).
    void UpdateToolBarState();
    // Refreshes the items of one menu (the frame does this before the menu opens).
    void UpdateMenuState(QMenu* menu);
    // The menu bar's action of a command (null when the menu has none).
    QAction* MenuAction(int id) const;
    QAction* ToolBarAction(int id) const;

    bool RouteCommand(int id) override;
    bool RouteUpdate(CmdUI& cmdUi) override;
    bool RouteHasHandler(int id) override;

    // The window's place, size and tool bar, kept in the settings (section "Workspace") beside the
    // program's own values. The frame saves them when it closes; RestoreLayout before showing it.
    void SaveLayout() const;
    bool RestoreLayout();

    // Files dropped on the window are opened through the application (and join the recent files).
    void DragAcceptFiles(bool accept = true) { setAcceptDrops(accept); }
    // What a drop does: opens each local file; a file that opens goes to the top of the recent files.
    void OpenDroppedFiles(const QList<QUrl>& urls);

protected:
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Standard commands of the frame.
    void OnAppExit();
    void OnViewToolBar();
    void OnUpdateViewToolBar(CmdUI& cmdUi);
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CmdUI& cmdUi);
    void OnWindowCascade();
    void OnWindowArrange();
    void OnNextPane();
    void OnPrevPane();
    void OnHelpFinder();
    void OnHelp();

private:
    void BuildMenu(QMenu* menu, const QList<MenuItem>& items);
    void ApplyState(QAction* action, int id);
    void FillRecentFiles(QMenu* menu);
    void FillWindowList(QMenu* menu);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void UpdateTitle();

    Application* m_application;
    QMdiArea* m_mdiArea;
    QToolBar* m_toolBar;
    QLabel* m_messagePane;
    QString m_baseTitle;
    int m_frameResourceId = 0;
    int m_menuId = 0;
    QList<QPointer<QMenu>> m_menus; // the menu bar's own menus, deleted when another menu takes its place
    QHash<int, QAction*> m_menuActions;
    QHash<int, QAction*> m_toolBarActions;
    QList<QAction*> m_dynamicActions; // recent files and window list, rebuilt on opening
    QPointer<ChildFrame> m_lastActive;
};

} // namespace ui
