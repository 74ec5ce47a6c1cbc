#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

// The document templates and what acts on all documents at once: File New, File Open, opening a named
// file, the save prompts at shut-down and closing everything.
namespace ui {

class DocFrame;
class DocTemplate;
class MainFrame;
class OpenDocument;

class DocManager {
public:
    DocManager();
    ~DocManager();
    DocManager(const DocManager&) = delete;
    DocManager& operator=(const DocManager&) = delete;

    // Templates in the order added; the first one with a file-new name is File New's.
    DocTemplate* AddDocTemplate(std::unique_ptr<DocTemplate> docTemplate);
    const std::vector<std::unique_ptr<DocTemplate>>& GetTemplates() const { return m_templates; }
    // The first template whose document name is the text, or null.
    DocTemplate* FindTemplateByDocName(const QString& docName) const;

    // The window whose document area new frames go to.
    void SetMainFrame(MainFrame* frame) { m_mainFrame = frame; }
    MainFrame* GetMainFrame() const { return m_mainFrame; }
    // Puts a new frame into the main window's document area, not yet shown.
    void AddFrameWindow(DocFrame* frame);

    // File New: a new document of the first template that has a file-new name; null when none was made.
    OpenDocument* OnFileNew();
    // File Open: asks for a file and opens it.
    OpenDocument* OnFileOpen(QWidget* parent);
    // Opens the file in the first template; a document already open from that file is only activated.
    // Null (the user told why) when it cannot be read.
    OpenDocument* OpenDocumentFile(const std::filesystem::path& path);

    // Every open document, template by template.
    std::vector<OpenDocument*> GetDocuments() const;
    // Asks to save each modified document; false at the first the user cancels.
    bool SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments();

    // Told of every file opened or saved under a name (the recent-file list).
    void SetRecentFileSink(std::function<void(const std::filesystem::path&)> sink) {
        m_recentSink = std::move(sink);
    }
    void AddToRecentFileList(const std::filesystem::path& path);

private:
    std::vector<std::unique_ptr<DocTemplate>> m_templates;
    MainFrame* m_mainFrame = nullptr;
    std::function<void(const std::filesystem::path&)> m_recentSink;
};

} // namespace ui
