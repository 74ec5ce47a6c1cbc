#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

// A kind of document window: which document class, in which frame, shown by which view. The template's
// resource id names its menu, accelerators, icon and its document strings, the string-table entry of the
// same id: "\n<document name>\n<file-new name>\n<filter name>\n<filter extension>\n<file type>\n<type name>".
// A template whose file-new name is empty is never offered by File New.
//
// The template keeps the documents it made. Frames of other templates may show them as well (a second view
// of a document opens with the other template's frame and view).
namespace ui {

class DocFrame;
class DocManager;
class OpenDocument;
class View;

class DocTemplate {
public:
    enum DocStringIndex {
        WindowTitle,
        DocName,
        FileNewName,
        FilterName,
        FilterExt,
        RegFileTypeId,
        RegFileTypeName
    };

    using DocumentFactory = std::function<std::unique_ptr<OpenDocument>()>;
    // The frame around a new view; menuId is the template's resource id.
    using FrameFactory = std::function<DocFrame*(View* view, int menuId)>;
    using ViewFactory = std::function<View*()>;

    DocTemplate(int resourceId, DocumentFactory makeDocument, FrameFactory makeFrame, ViewFactory makeView);
    ~DocTemplate();
    DocTemplate(const DocTemplate&) = delete;
    DocTemplate& operator=(const DocTemplate&) = delete;

    QString GetDocString(DocStringIndex index) const;
    DocManager* GetDocManager() const { return m_manager; }
    void SetDocManager(DocManager* manager) { m_manager = manager; }

    // Open documents made by this template.
    std::vector<OpenDocument*> GetDocuments() const;

    // A new empty document, titled "<document name><n>", after its OnNewDocument agreed; shown in a new
    // frame. Null when the document refused (the user cancelled).
    OpenDocument* OpenNewDocument();
    // The document read from the file, shown in a new frame; null (the user told why) when it cannot be read.
    OpenDocument* OpenDocumentFile(const std::filesystem::path& path);

    // A new frame with a new view of the document, not yet shown; null when the template cannot make one.
    DocFrame* CreateNewFrame(OpenDocument& document);
    // The view's initial update (a form view builds its controls); then the frame is shown and activated
    // when visible is true.
    static void InitialUpdateFrame(DocFrame* frame, OpenDocument& document, bool visible = true);

    // A closed document leaves the list; deleteNow also deletes it (no frame window of it is left).
    void RetireDocument(OpenDocument* document, bool deleteNow);
    // Deletes every frame window of the template's documents and the documents (shut-down).
    void DeleteAll();

private:
    OpenDocument* AddDocument(std::unique_ptr<OpenDocument> document);
    void DeleteRetired(OpenDocument* document);

    int m_resourceId;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    DocManager* m_manager = nullptr;
    int m_untitledCount = 0;
    std::vector<std::unique_ptr<OpenDocument>> m_documents;
    std::vector<std::unique_ptr<OpenDocument>> m_retired;
};

} // namespace ui
