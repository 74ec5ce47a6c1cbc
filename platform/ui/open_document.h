#pragma once

#include "platform/core/document.h"
#include "platform/ui/command_target.h"

#include <QString>
#include <filesystem>
#include <memory>
#include <vector>

// A document open in the program: the document itself, the template that made it, the frames that show it,
// and the commands that act on its file (Close, Save, Save As). Commands reach it from its views.
//
// Lifetime: the document is open from its creation until its last frame closes or File Close closes it.
// A closed document leaves its template's list at once and is deleted when the last of its frame
// windows is gone.
namespace ui {

class DocFrame;
class DocManager;
class DocTemplate;

class OpenDocument : public virtual CommandTarget {
public:
    explicit OpenDocument(std::unique_ptr<Document> document);
    ~OpenDocument() override;

    Document& GetDocument() const { return *m_document; }
    DocManager* GetDocManager() const;
    // Title (the file name, or the default "Reaction equation1") and full path, for display.
    QString GetTitle() const;
    QString GetPathName() const;

    // Open frames, in the order they were added.
    const std::vector<DocFrame*>& GetFrames() const { return m_frames; }
    void ActivateFirstFrame();
    // Gives every frame with an automatic title its title ("title", or "title:n" with several).
    void UpdateFrameTitles();

    // Asks whether to save a modified document ("Save changes to <name>?", Yes/No/Cancel) and saves on Yes.
    // The views take what they show first (Document::TakeShownValues), so a text typed and not yet taken
    // counts. False when the user cancelled, a view could not take its text or the save failed; true when
    // the document may be closed.
    bool SaveModified();
    // Save: under the document's path, or, when it has none, under a name the user gives.
    bool DoFileSave();
    // Saves under the path, or asks for a name when the path is empty; reports a failure and returns false.
    // The views take what they show first; when one cannot, nothing is saved.
    bool DoSave(const std::filesystem::path& path);
    // Whether the frame may close: closing the last frame of the document asks to save it.
    bool CanCloseFrame(DocFrame* frame);
    // Closes every frame without asking, and the document with them. The caller must not use the
    // document afterwards.
    void OnCloseDocument();

    // Frame bookkeeping (DocFrame and DocTemplate).
    void AddFrame(DocFrame* frame);
    void FrameClosed(DocFrame* frame);
    void FrameDestroyed(DocFrame* frame);

protected:
    // A subclass that remembers its frames by kind keeps its records here.
    virtual void OnFrameAdded(DocFrame*) {}
    virtual void OnFrameRemoved(DocFrame*) {}

private:
    friend class DocTemplate;

    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    std::unique_ptr<Document> m_document;
    DocTemplate* m_template = nullptr;
    std::vector<DocFrame*> m_frames;       // open
    std::vector<DocFrame*> m_frameObjects; // not yet destroyed (open or closed)
    bool m_closing = false;
    bool m_retired = false;
};

} // namespace ui
