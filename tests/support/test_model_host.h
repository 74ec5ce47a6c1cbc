#pragma once

#include "model/element_table.h"
#include "model/model_host.h"
#include "model/stp.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// A ModelHost for tests: it owns a built-in element table and default standard conditions, answers with
// settable values and records what the model told it.
class TestModelHost : public ModelHost {
public:
    // The marker the end-marker routine writes and checks, as the application does.
    static constexpr const char* kEndMarker = "Database EOF";

    TestModelHost();

    ElementTable& GetElementTable() override { return m_table; }
    int GetDisplayDigits() const override { return m_displayDigits; }
    const STP& GetStandardConditions() const override { return m_standardConditions; }
    bool IsNewFromString() const override { return m_newFromString; }
    bool IsNewFromClipboard() const override { return m_newFromClipboard; }
    std::string GetClipboardText() override { return m_clipboardText; }
    // Answers with the next scripted answer; cancels (false) when none is left.
    bool AskReactionString(std::string& text) override;
    void SetStatusText(const std::string& text) override { m_statusTexts.push_back(text); }
    void ShowMessage(const std::string& text) override { m_messages.push_back(text); }
    void SerializeEndMarker(bool& valid, bool check, Archive& ar) override;
    void OpenViewFrame(CQELTDoc& document, ViewKind kind) override;

    // Settings.
    void SetDisplayDigits(int digits) { m_displayDigits = digits; }
    STP& StandardConditions() { return m_standardConditions; }
    void SetNewFromString(bool on) { m_newFromString = on; }
    void SetNewFromClipboard(bool on) { m_newFromClipboard = on; }
    void SetClipboardText(std::string text) { m_clipboardText = std::move(text); }
    // Queues the user's next answer to the reaction-string dialog: a text to accept, or nullopt to cancel.
    void QueueReactionStringAnswer(std::optional<std::string> answer) {
        m_reactionStringAnswers.push_back(std::move(answer));
    }

    // What the model did.
    struct ViewFrameRequest {
        CQELTDoc* document;
        ViewKind kind;
    };
    const std::vector<std::string>& StatusTexts() const { return m_statusTexts; }
    // The texts of the message boxes shown, in order.
    const std::vector<std::string>& Messages() const { return m_messages; }
    // The last status text, or empty.
    std::string LastStatusText() const {
        return m_statusTexts.empty() ? std::string() : m_statusTexts.back();
    }
    // The texts the reaction-string dialog was shown with, in order.
    const std::vector<std::string>& ReactionStringPrompts() const { return m_reactionStringPrompts; }
    const std::vector<ViewFrameRequest>& ViewFrameRequests() const { return m_viewFrameRequests; }

private:
    ElementTable m_table;
    STP m_standardConditions;
    int m_displayDigits = 4;
    bool m_newFromString = false;
    bool m_newFromClipboard = false;
    std::string m_clipboardText;
    std::deque<std::optional<std::string>> m_reactionStringAnswers;
    std::vector<std::string> m_reactionStringPrompts;
    std::vector<std::string> m_statusTexts;
    std::vector<std::string> m_messages;
    std::vector<ViewFrameRequest> m_viewFrameRequests;
};

// Installs a host for the lifetime of the object and puts the previous one back afterwards.
class ModelHostInstallation {
public:
    explicit ModelHostInstallation(ModelHost& host);
    ~ModelHostInstallation();
    ModelHostInstallation(const ModelHostInstallation&) = delete;
    ModelHostInstallation& operator=(const ModelHostInstallation&) = delete;

private:
    ModelHost* m_previous;
};

// A TestModelHost that is installed while it lives:
//     ScopedTestModelHost host;
//     host.SetDisplayDigits(6);
class ScopedTestModelHost : public TestModelHost {
public:
    ScopedTestModelHost() : m_installation(*this) {}

private:
    ModelHostInstallation m_installation;
};
