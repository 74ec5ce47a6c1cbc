#include "platform/ui/doc_manager.h"

#include "platform/ui/doc_frame.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/main_frame.h"
#include "platform/ui/open_document.h"

#include <QMdiArea>

#include <system_error>

namespace ui {
namespace {

// Two names of one file are the same file even when spelt differently.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    return std::filesystem::absolute(a, error).lexically_normal() ==
           std::filesystem::absolute(b, error).lexically_normal();
}

} // namespace

DocManager::DocManager() = default;

DocManager::~DocManager() {
    // Every frame window and document goes before the templates that made them.
    for (auto& docTemplate : m_templates)
        docTemplate->DeleteAll();
}

DocTemplate* DocManager::AddDocTemplate(std::unique_ptr<DocTemplate> docTemplate) {
    docTemplate->SetDocManager(this);
    m_templates.push_back(std::move(docTemplate));
    return m_templates.back().get();
}

DocTemplate* DocManager::FindTemplateByDocName(const QString& docName) const {
    for (const auto& docTemplate : m_templates) {
        if (docTemplate->GetDocString(DocTemplate::DocName) == docName)
            return docTemplate.get();
    }
    return nullptr;
}

void DocManager::AddFrameWindow(DocFrame* frame) {
    if (m_mainFrame != nullptr)
        m_mainFrame->MdiArea()->addSubWindow(frame);
}

OpenDocument* DocManager::OnFileNew() {
    for (const auto& docTemplate : m_templates) {
        if (!docTemplate->GetDocString(DocTemplate::FileNewName).isEmpty())
            return docTemplate->OpenNewDocument();
    }
    return nullptr;
}

OpenDocument* DocManager::OnFileOpen(QWidget* parent) {
    if (m_templates.empty())
        return nullptr;
    FileDialogRequest request;
    request.open = true;
    request.filter = m_templates.front()->GetDocString(DocTemplate::FilterName);
    request.defaultExtension = m_templates.front()->GetDocString(DocTemplate::FilterExt);
    const std::optional<std::filesystem::path> chosen = PromptFileName(request, parent);
    if (!chosen)
        return nullptr;
    return OpenDocumentFile(*chosen);
}

OpenDocument* DocManager::OpenDocumentFile(const std::filesystem::path& path) {
    if (m_templates.empty())
        return nullptr;
    for (OpenDocument* document : GetDocuments()) {
        const std::filesystem::path& open = document->GetDocument().GetPathName();
        if (!open.empty() && SameFile(open, path)) {
            document->ActivateFirstFrame();
            return document;
        }
    }
    OpenDocument* document = m_templates.front()->OpenDocumentFile(path);
    if (document)
        AddToRecentFileList(path);
    return document;
}

std::vector<OpenDocument*> DocManager::GetDocuments() const {
    std::vector<OpenDocument*> documents;
    for (const auto& docTemplate : m_templates) {
        for (OpenDocument* document : docTemplate->GetDocuments())
            documents.push_back(document);
    }
    return documents;
}

bool DocManager::SaveAllModified() {
    for (OpenDocument* document : GetDocuments()) {
        if (!document->SaveModified())
            return false;
    }
    return true;
}

void DocManager::CloseAllDocuments() {
    for (OpenDocument* document : GetDocuments())
        document->OnCloseDocument();
}

void DocManager::AddToRecentFileList(const std::filesystem::path& path) {
    if (!m_recentSink)
        return;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    m_recentSink(error ? path : absolute.lexically_normal());
}

} // namespace ui
