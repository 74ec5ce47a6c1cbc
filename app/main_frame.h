#pragma once

#include "app/window_size.h"
#include "platform/ui/main_frame.h"

class CKestrolabApp;
class QLabel;

// The program's main window: menus 201-203, the accelerators, the tool bar, the status bar with the message
// pane and the CAP, NUM and SCRL indicators, and the reaction frames in the document area. Closing it runs
// the shut-down's save prompts.
class CMainFrame : public ui::MainFrame {
    Q_OBJECT
public:
    explicit CMainFrame(CKestrolabApp* application);
    ~CMainFrame() override;

    // Loads the menus, accelerators and tool bar of the resource and adds the indicators to the status bar;
    // false when any of it fails.
    bool LoadFrame(int resourceId);

    // Shows the text in the status bar's message pane until a prompt or the idle text replaces it.
    void SetStatusText(const QString& text);

    // The window's outer size in pixels, and moving to another with the same top-left corner.
    WindowSize OuterSize() const;
    void SetOuterSize(WindowSize size);

    // The three indicator panes, in order (tests).
    QLabel* Indicator(int index) const;
    void UpdateIndicators();

    // The window's place and size from the last run, or a default size.
    void RestorePlacement();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefreshTitle();

    CKestrolabApp* m_app;
    QLabel* m_indicators[3] = {};
};
