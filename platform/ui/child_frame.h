#pragma once

#include "platform/core/document.h"
#include "platform/ui/command_target.h"

#include <QMdiSubWindow>
#include <QString>

// A window inside the main window's document area that holds one view of a document. Commands reach it
// from the main frame while it is active: its view (and so the document) first, then its own map.
//
// A frame without a sizing border cannot be resized by the user; it takes the size its view asks for.
// Closing the last frame of a modified document asks whether to save it first.
namespace ui {

class DocTemplate;
class OpenDocument;
class View;

class ChildFrame : public QMdiSubWindow, public DocumentFrame, public virtual CommandTarget {
    Q_OBJECT
public:
    explicit ChildFrame(QWidget* parent = nullptr);
    ~ChildFrame() override;

    // The frame holds the view (and deletes it with itself).
    void SetView(View* view);
    View* GetActiveView() const { return m_view; }
    OpenDocument* GetOpenDocument() const { return m_document; }

    // The template the frame was made from (null for frames made by hand); its id names the menu shown
    // while the frame is active.
    DocTemplate* GetDocTemplate() const { return m_template; }
    void SetDocTemplate(DocTemplate* docTemplate) { m_template = docTemplate; }
    // The menu (and accelerators) shown while the frame is active; 0 for the main frame's own.
    int GetMenuId() const { return m_menuId; }
    void SetMenuId(int id) { m_menuId = id; }

    // Whether the frame's title follows its document's ("title", or "title:n" while the document has several
    // such frames); a frame with a fixed title keeps the one it was given.
    bool HasAutoTitle() const { return m_autoTitle; }
    void SetAutoTitle(bool on) { m_autoTitle = on; }
    // Called by the document with the frame's number (0 when it is the only numbered frame).
    void UpdateTitle(int number);

    // The help context of the frame's view (0: none); F1 shows its topic.
    int GetHelpContextId() const { return m_helpContextId; }
    void SetHelpContextId(int id) { m_helpContextId = id; }

    bool HasSizingBorder() const { return m_sizingBorder; }
    // Lays the frame out around its view: a frame without sizing border takes the view's size.
    void RecalcLayout();

    // Brings the frame to the front of the document area.
    void Activate() override;

    // Routing: the view (and its document), then the frame's own map.
    bool RouteCommand(int id) override;
    bool RouteUpdate(CmdUI& cmdUi) override;
    bool RouteHasHandler(int id) override;

    // Closes the frame as part of closing its document: no question is asked.
    void CloseForDocument();

    // Used by OpenDocument when the frame joins a document.
    void SetOpenDocument(OpenDocument* document) { m_document = document; }

protected:
    // Frames of forms call this from their constructor: no sizing border, no maximize box.
    void RemoveSizingBorder();
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:

    View* m_view = nullptr;
    OpenDocument* m_document = nullptr;
    DocTemplate* m_template = nullptr;
    int m_menuId = 0;
    int m_helpContextId = 0;
    bool m_autoTitle = true;
    bool m_sizingBorder = true;
    bool m_closingForDocument = false;
    bool m_inLayout = false;
};

} // namespace ui
