#include "platform/ui/doc_template.h"

#include "platform/ui/doc_frame.h"
#include "platform/ui/doc_manager.h"
#include "platform/ui/doc_strings.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/open_document.h"
#include "platform/ui/string_table.h"
#include "platform/ui/view.h"

#include <QPointer>
#include <algorithm>

namespace ui {

DocTemplate::DocTemplate(int resourceId, DocumentFactory makeDocument, FrameFactory makeFrame,
                         ViewFactory makeView)
    : m_resourceId(resourceId), m_makeDocument(std::move(makeDocument)), m_makeFrame(std::move(makeFrame)),
      m_makeView(std::move(makeView)) {}

DocTemplate::~DocTemplate() {
    DeleteAll();
}

QString DocTemplate::GetDocString(DocStringIndex index) const {
    const QStringList fields = LoadString(m_resourceId).split(QLatin1Char('\n'));
    return index < fields.size() ? fields[index] : QString();
}

std::vector<OpenDocument*> DocTemplate::GetDocuments() const {
    std::vector<OpenDocument*> documents;
    for (const auto& document : m_documents)
        documents.push_back(document.get());
    return documents;
}

OpenDocument* DocTemplate::AddDocument(std::unique_ptr<OpenDocument> document) {
    document->m_template = this;
    m_documents.push_back(std::move(document));
    return m_documents.back().get();
}

OpenDocument* DocTemplate::OpenNewDocument() {
    std::unique_ptr<OpenDocument> made = m_makeDocument();
    if (!made || !made->GetDocument().OnNewDocument())
        return nullptr;
    ++m_untitledCount;
    QString title = GetDocString(DocName);
    if (title.isEmpty())
        title = LoadString(str::Untitled);
    made->GetDocument().SetTitle(ToPath(title + QString::number(m_untitledCount)).string());
    OpenDocument* document = AddDocument(std::move(made));
    DocFrame* frame = CreateNewFrame(*document);
    if (frame == nullptr) {
        document->OnCloseDocument();
        return nullptr;
    }
    InitialUpdateFrame(frame, *document);
    return document;
}

OpenDocument* DocTemplate::OpenDocumentFile(const std::filesystem::path& path) {
    std::unique_ptr<OpenDocument> made = m_makeDocument();
    if (!made)
        return nullptr;
    try {
        made->GetDocument().OnOpenDocument(path);
    } catch (const std::exception& error) {
        MessageBox(FormatString(str::FailedToOpen, {FromPath(path), QString::fromUtf8(error.what())}),
                   MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    OpenDocument* document = AddDocument(std::move(made));
    DocFrame* frame = CreateNewFrame(*document);
    if (frame == nullptr) {
        document->OnCloseDocument();
        return nullptr;
    }
    InitialUpdateFrame(frame, *document);
    return document;
}

DocFrame* DocTemplate::CreateNewFrame(OpenDocument& document) {
    View* view = m_makeView ? m_makeView() : nullptr;
    if (view == nullptr)
        return nullptr;
    DocFrame* frame = m_makeFrame ? m_makeFrame(view, m_resourceId) : nullptr;
    if (frame == nullptr) {
        delete view->Widget();
        return nullptr;
    }
    if (m_manager)
        m_manager->AddFrameWindow(frame);
    document.AddFrame(frame);
    return frame;
}

void DocTemplate::InitialUpdateFrame(DocFrame* frame, OpenDocument& document, bool visible) {
    // A frame that has not been shown yet has not laid its view out: the view gets the frame's inside now,
    // so that a view that sizes its frame in its initial update measures the frame as it will be.
    frame->ensurePolished();
    if (QWidget* inside = frame->widget())
        inside->setGeometry(frame->contentsRect());
    View* view = frame->ActiveView();
    if (auto* form = dynamic_cast<FormView*>(view))
        form->Create();
    else if (auto* documentView = dynamic_cast<DocumentView*>(view))
        documentView->OnUpdate(nullptr, 0);
    document.UpdateFrameTitles();
    if (visible) {
        frame->show();
        frame->Activate();
    }
}

void DocTemplate::RetireDocument(OpenDocument* document, bool deleteNow) {
    const auto open = std::find_if(m_documents.begin(), m_documents.end(),
                                   [document](const auto& entry) { return entry.get() == document; });
    if (open != m_documents.end()) {
        m_retired.push_back(std::move(*open));
        m_documents.erase(open);
    }
    if (deleteNow)
        DeleteRetired(document);
}

void DocTemplate::DeleteRetired(OpenDocument* document) {
    const auto it = std::find_if(m_retired.begin(), m_retired.end(),
                                 [document](const auto& entry) { return entry.get() == document; });
    if (it == m_retired.end())
        return;
    std::unique_ptr<OpenDocument> doomed = std::move(*it);
    m_retired.erase(it);
    doomed.reset();
}

void DocTemplate::DeleteAll() {
    // Frames go first (each takes its view along); the documents follow their last frame.
    QList<QPointer<DocFrame>> frames;
    for (const auto* list : {&m_documents, &m_retired}) {
        for (const auto& document : *list) {
            for (DocFrame* frame : document->m_frameObjects)
                frames.append(frame);
        }
    }
    for (const QPointer<DocFrame>& frame : frames)
        delete frame.data();
    m_documents.clear();
    m_retired.clear();
}

} // namespace ui
