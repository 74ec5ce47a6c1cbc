#pragma once

#include "model/element_table.h"
#include "model/model_host.h"
#include "model/stp.h"

#include <string>
#include <vector>

// The model's host in the application tests: the built-in element table, default standard conditions and
// settable display digits; installed while it lives.
class AppTestHost : public ModelHost {
public:
    AppTestHost();
    ~AppTestHost() override;
    AppTestHost(const AppTestHost&) = delete;
    AppTestHost& operator=(const AppTestHost&) = delete;

    ElementTable& GetElementTable() override { return *m_table; }
    int GetDisplayDigits() const override { return displayDigits; }
    const STP& GetStandardConditions() const override { return standardConditions; }
    bool IsNewFromString() const override { return false; }
    bool IsNewFromClipboard() const override { return false; }
    std::string GetClipboardText() override { return {}; }
    bool AskReactionString(std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void SerializeEndMarker(bool& valid, bool check, Archive& ar) override;
    void OpenViewFrame(CQELTDoc&, ViewKind) override {}

    // Points the host at another table (the program database's, once loaded); nullptr for its own.
    void UseElementTable(ElementTable* table) { m_table = table ? table : &m_ownTable; }

    int displayDigits = 4;
    STP standardConditions;
    // What the model told the user.
    std::vector<std::string> messages;

private:
    ElementTable m_ownTable;
    ElementTable* m_table = &m_ownTable;
    ModelHost* m_previous = nullptr;
};
