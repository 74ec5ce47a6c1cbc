#pragma once

#include "platform/core/document.h"
#include "platform/ui/command_target.h"

#include <QWidget>
#include <cstdint>

// The widget that shows a document inside a child frame. It is told of the document's changes through
// OnUpdate, and it is the first stop of every command while its frame is active: a command it does not
// handle goes on to its document.
//
// A form view built from a dialog template also derives from ui::ControlHost; both share the one
// CommandTarget.
namespace ui {

class ChildFrame;
class OpenDocument;

class View : public QWidget, public DocumentView, public virtual CommandTarget {
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    // The document shown, or null before the view is attached and after it was detached.
    OpenDocument* GetOpenDocument() const { return m_document; }
    Document* GetDocument() const;
    // The frame the view lives in, or null.
    ChildFrame* GetParentFrame() const;

    // Called once after the view was attached and before its frame is first shown. The default redraws
    // everything (OnUpdate with no sender and hint 0).
    virtual void OnInitialUpdate();
    // The default repaints the widget.
    void OnUpdate(DocumentView* sender, std::uintptr_t hint) override;

    // Routing: the view's own map, then the document's.
    bool RouteCommand(int id) override;
    bool RouteUpdate(CmdUI& cmdUi) override;
    bool RouteHasHandler(int id) override;

    // Registers the view with the document (the template and the frames do it); null detaches.
    void AttachDocument(OpenDocument* document);

private:
    OpenDocument* m_document = nullptr;
};

} // namespace ui
