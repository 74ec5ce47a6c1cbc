#include "support/test_model_host.h"

#include "platform/core/archive.h"

#include <stdexcept>

TestModelHost::TestModelHost() {
    m_table.BuildDefault();
}

bool TestModelHost::AskReactionString(std::string& text) {
    m_reactionStringPrompts.push_back(text);
    if (m_reactionStringAnswers.empty())
        return false;
    std::optional<std::string> answer = std::move(m_reactionStringAnswers.front());
    m_reactionStringAnswers.pop_front();
    if (!answer)
        return false;
    text = std::move(*answer);
    return true;
}

void TestModelHost::SerializeEndMarker(bool& valid, bool check, Archive& ar) {
    if (ar.IsStoring()) {
        ar << std::string(kEndMarker);
    } else if (check) {
        valid = ar.ReadString() == kEndMarker;
    } else {
        valid = true;
    }
}

void TestModelHost::OpenViewFrame(CQELTDoc& document, ViewKind kind) {
    m_viewFrameRequests.push_back({&document, kind});
}

namespace {
ModelHost* InstalledHost() {
    try {
        return &GetModelHost();
    } catch (const std::logic_error&) {
        return nullptr;
    }
}
} // namespace

ModelHostInstallation::ModelHostInstallation(ModelHost& host) : m_previous(InstalledHost()) {
    SetModelHost(&host);
}

ModelHostInstallation::~ModelHostInstallation() {
    SetModelHost(m_previous);
}
