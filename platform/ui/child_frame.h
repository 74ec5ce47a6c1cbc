#pragma once

#include "platform/core/document.h"
#include "platform/ui/command_target.h"

#include <QMdiSubWindow>

// A document window inside the main window: it shows one view and routes commands to that view first.
// It is the DocumentFrame a document brings to the front when the frame of a view it already has is asked
// for again.
namespace ui {

class View;

class ChildFrame : public QMdiSubWindow, public virtual CommandTarget, public DocumentFrame {
    Q_OBJECT
public:
    // menuId: the menu shown while this frame is active, and the icon of the frame. A frame that is not resizable has no sizing
    // border: its size changes only through ResizeClientTo and GrowBy.
    ChildFrame(View* view, int menuId, bool resizable, QWidget* parent = nullptr);
    ~ChildFrame() override;

    View* ActiveView() const { return m_view; }
    int MenuId() const { return m_menuId; }
    bool IsResizable() const { return m_resizable; }

    // The help page the help key opens while this frame is active (0: the contents).
    void SetHelpContext(int context) { m_helpContext = context; }
    int HelpContext() const { return m_helpContext; }

    void SetTitle(const QString& title) { setWindowTitle(title); }

    // Brings the frame to the front of the document windows (restoring it when minimised).
    void Activate() override;

    // The size of the area the view fills.
    QSize ClientSize() const;
    void ResizeClientTo(const QSize& size);
    void GrowBy(int dx, int dy);

    bool RouteCommand(int id) override;
    bool RouteUpdate(CmdUI& cmdUi) override;
    bool RouteHasHandler(int id) override;

protected:
    // Asked before the frame closes; false keeps it open (e.g. the user cancelled a save prompt).
    virtual bool CanCloseFrame() { return true; }
    void closeEvent(QCloseEvent* event) override;

private:
    View* m_view;
    int m_menuId;
    bool m_resizable;
    int m_helpContext = 0;
};

} // namespace ui
