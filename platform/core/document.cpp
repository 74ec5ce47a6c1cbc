#include "platform/core/document.h"

#include "platform/core/archive.h"
#include "platform/core/file_io.h"

#include <algorithm>

void Document::SetPathName(const std::filesystem::path& path) {
    m_path = path;
    m_title = path.filename().string();
}

void Document::AddView(DocumentView* view) {
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void Document::RemoveView(DocumentView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void Document::UpdateAllViews(DocumentView* sender, std::uintptr_t hint) {
    // A view may add or remove views while it is told; walk a copy and skip the ones gone meanwhile.
    const std::vector<DocumentView*> views = m_views;
    for (DocumentView* view : views) {
        if (view == sender || std::find(m_views.begin(), m_views.end(), view) == m_views.end())
            continue;
        view->OnUpdate(sender, hint);
    }
}

bool Document::TakeShownValues() {
    const std::vector<DocumentView*> views = m_views;
    for (DocumentView* view : views) {
        if (std::find(m_views.begin(), m_views.end(), view) != m_views.end() && !view->TakeShownValues())
            return false;
    }
    return true;
}

bool Document::OnNewDocument() {
    m_path.clear();
    m_title.clear();
    m_modified = false;
    return true;
}

std::vector<std::uint8_t> Document::SaveToBytes() {
    Archive ar;
    Serialize(ar);
    return ar.Bytes();
}

void Document::LoadFromBytes(std::vector<std::uint8_t> bytes) {
    Archive ar(std::move(bytes));
    Serialize(ar);
}

void Document::CheckFileHead(const std::vector<std::uint8_t>&, std::uint64_t) const {}

void Document::OnOpenDocument(const std::filesystem::path& path) {
    LoadFromBytes(ReadFileBytes(path, [this](const std::vector<std::uint8_t>& head, std::uint64_t size) {
        CheckFileHead(head, size);
    }));
    SetPathName(path);
    m_modified = false;
}

void Document::OnSaveDocument(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = SaveToBytes();
    // A save refuses what the reader would refuse: every file saved opens again.
    CheckFileHead(
        std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + std::min(bytes.size(), kFileHeadSize)),
        bytes.size());
    WriteFileAtomically(path, bytes);
    SetPathName(path);
    m_modified = false;
}
