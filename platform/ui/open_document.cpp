#include "platform/ui/open_document.h"

#include "platform/core/archive.h"
#include "platform/core/file_io.h"
#include "platform/ui/command_ids.h"
#include "platform/ui/doc_frame.h"
#include "platform/ui/doc_manager.h"
#include "platform/ui/doc_strings.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/string_table.h"

#include <QApplication>
#include <algorithm>

namespace ui {

OpenDocument::OpenDocument(std::unique_ptr<Document> document) : m_document(std::move(document)) {
    MapCommand(cmd::FileClose, &OpenDocument::OnFileClose);
    MapCommand(cmd::FileSave, &OpenDocument::OnFileSave);
    MapCommand(cmd::FileSaveAs, &OpenDocument::OnFileSaveAs);
}

OpenDocument::~OpenDocument() = default;

DocManager* OpenDocument::GetDocManager() const {
    return m_template ? m_template->GetDocManager() : nullptr;
}

QString OpenDocument::GetTitle() const {
    return FromPath(m_document->GetTitle());
}

QString OpenDocument::GetPathName() const {
    return FromPath(m_document->GetPathName());
}

void OpenDocument::ActivateFirstFrame() {
    if (!m_frames.empty())
        m_frames.front()->Activate();
}

void OpenDocument::UpdateFrameTitles() {
    int automatic = 0;
    for (DocFrame* frame : m_frames)
        automatic += frame->HasAutoTitle() ? 1 : 0;
    int number = 0;
    for (DocFrame* frame : m_frames) {
        if (frame->HasAutoTitle())
            frame->UpdateTitle(automatic > 1 ? ++number : 0);
    }
}

bool OpenDocument::SaveModified() {
    // What the views show is part of the document to be saved (a text typed, and not taken yet).
    if (!m_document->TakeShownValues())
        return false;
    if (!m_document->IsModified())
        return true;
    QString name = GetPathName();
    if (name.isEmpty())
        name = GetTitle();
    switch (MessageBox(FormatString(str::AskToSave, {name}), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return false;
    case IDYES:
        return DoFileSave();
    default:
        return true;
    }
}

bool OpenDocument::DoFileSave() {
    return DoSave(m_document->GetPathName());
}

bool OpenDocument::DoSave(const std::filesystem::path& path) {
    if (!m_document->TakeShownValues())
        return false;
    std::filesystem::path target = path;
    if (target.empty()) {
        FileDialogRequest request;
        request.open = false;
        if (m_template) {
            request.filter = m_template->GetDocString(DocTemplate::FilterName);
            request.defaultExtension = m_template->GetDocString(DocTemplate::FilterExt);
        }
        QString suggested = GetTitle();
        // A title with characters a file name cannot hold is no good suggestion.
        if (suggested.contains(QLatin1Char('/')))
            suggested.clear();
        if (!suggested.isEmpty() && !request.defaultExtension.isEmpty() &&
            !suggested.endsWith(request.defaultExtension))
            suggested += request.defaultExtension;
        request.suggestedName = suggested;
        std::optional<std::filesystem::path> chosen = PromptFileName(request, QApplication::activeWindow());
        if (!chosen)
            return false;
        target = *chosen;
    }
    try {
        m_document->OnSaveDocument(target);
    } catch (const std::exception& error) {
        MessageBox(FormatString(str::FailedToSave, {FromPath(target), QString::fromUtf8(error.what())}),
                   MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    UpdateFrameTitles();
    if (DocManager* manager = GetDocManager())
        manager->AddToRecentFileList(target);
    return true;
}

bool OpenDocument::CanCloseFrame(DocFrame* frame) {
    for (DocFrame* other : m_frames) {
        if (other != frame)
            return true;
    }
    return SaveModified();
}

void OpenDocument::OnCloseDocument() {
    if (m_closing)
        return;
    m_closing = true;
    const std::vector<DocFrame*> frames = m_frames;
    for (DocFrame* frame : frames)
        frame->CloseForDocument();
    m_frames.clear();
    m_retired = true;
    // Deletes the document now when no frame window is left, else when the last one goes.
    if (m_template)
        m_template->RetireDocument(this, m_frameObjects.empty());
}

void OpenDocument::AddFrame(DocFrame* frame) {
    frame->AttachDocument(this);
    m_frames.push_back(frame);
    m_frameObjects.push_back(frame);
    OnFrameAdded(frame);
    UpdateFrameTitles();
}

void OpenDocument::FrameClosed(DocFrame* frame) {
    const auto it = std::find(m_frames.begin(), m_frames.end(), frame);
    if (it == m_frames.end())
        return;
    m_frames.erase(it);
    OnFrameRemoved(frame);
    if (m_closing)
        return;
    if (m_frames.empty())
        OnCloseDocument();
    else
        UpdateFrameTitles();
}

void OpenDocument::FrameDestroyed(DocFrame* frame) {
    FrameClosed(frame);
    m_frameObjects.erase(std::remove(m_frameObjects.begin(), m_frameObjects.end(), frame),
                         m_frameObjects.end());
    if (m_retired && m_frameObjects.empty() && m_template)
        m_template->RetireDocument(this, true);
}

void OpenDocument::OnFileClose() {
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void OpenDocument::OnFileSave() {
    DoFileSave();
}

void OpenDocument::OnFileSaveAs() {
    DoSave({});
}

} // namespace ui
