#pragma once

#include "platform/ui/child_frame.h"

// A child frame that shows a view of a document. It takes its title from the document ("title", or
// "title:n" while the document has several such frames), asks to save a modified document when it is the
// document's last frame to close, and lets the document go when it is destroyed.
namespace ui {

class OpenDocument;

class DocFrame : public ChildFrame {
    Q_OBJECT
public:
    DocFrame(View* view, int menuId, bool resizable, QWidget* parent = nullptr);
    ~DocFrame() override;

    OpenDocument* GetOpenDocument() const { return m_document; }
    // Joins the document: the view routes its commands to it and, when it is a DocumentView, is told of
    // its changes (OpenDocument::AddFrame does this).
    void AttachDocument(OpenDocument* document);

    // Whether the title follows the document's; a frame with a fixed title keeps the one it was given.
    bool HasAutoTitle() const { return m_autoTitle; }
    void SetAutoTitle(bool on) { m_autoTitle = on; }
    // Called by the document with the frame's number (0 when it is its only frame with an automatic title).
    void UpdateTitle(int number);

    // Closes the frame as part of closing its document: no question is asked.
    void CloseForDocument();

protected:
    bool CanCloseFrame() override;
    void closeEvent(QCloseEvent* event) override;

private:
    OpenDocument* m_document = nullptr;
    bool m_autoTitle = true;
    bool m_closingForDocument = false;
};

} // namespace ui
