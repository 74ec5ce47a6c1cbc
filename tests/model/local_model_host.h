#pragma once

#include "model/model_host.h"

#include <stdexcept>

// Answers the display digits; everything else is out of these tests' reach. Installed for its lifetime.
class DisplayDigitsHost : public ModelHost {
public:
    explicit DisplayDigitsHost(int digits = 4) : displayDigits(digits) { SetModelHost(this); }
    ~DisplayDigitsHost() override { SetModelHost(nullptr); }

    ElementTable& GetElementTable() override { throw std::logic_error("no element table"); }
    int GetDisplayDigits() const override { return displayDigits; }
    const STP& GetStandardConditions() const override { throw std::logic_error("no standard conditions"); }
    bool IsNewFromString() const override { return false; }
    bool IsNewFromClipboard() const override { return false; }
    std::string GetClipboardText() override { return {}; }
    bool AskReactionString(std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void SerializeEndMarker(bool&, bool, Archive&) override {}
    void OpenViewFrame(CQELTDoc&, ViewKind) override {}

    int displayDigits;
};
