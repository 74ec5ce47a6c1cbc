#pragma once

#include <string>

class Archive;
class ElementTable;
class STP;
class CQELTDoc;

// What the chemistry model needs of the application that hosts it. The application implements this
// interface and installs itself with SetModelHost at start-up; model tests install a small double.
// Keep it narrow: the model asks, the application answers; the model never reaches further.
class ModelHost {
public:
    virtual ~ModelHost() = default;

    // The element and moiety table the whole program shares.
    virtual ElementTable& GetElementTable() = 0;
    // Significant digits for values that carry no count of their own (4 or 6 as a rule).
    virtual int GetDisplayDigits() const = 0;
    // Standard temperature and pressure; new reagents take their gas conditions from it.
    virtual const STP& GetStandardConditions() const = 0;

    // The two new-document flags: a new document asks for a reaction string (from the clipboard first).
    virtual bool IsNewFromString() const = 0;
    virtual bool IsNewFromClipboard() const = 0;
    // Plain clipboard text as 8-bit bytes; empty when the clipboard holds no text.
    virtual std::string GetClipboardText() = 0;
    // Shows the reaction string dialog with the given text; false when the user cancelled.
    virtual bool AskReactionString(std::string& text) = 0;

    // Shows a text on the main window's status bar (the balancing result).
    virtual void SetStatusText(const std::string& text) = 0;
    // Tells the user something in a message box with an OK button (a stored section of an unknown version).
    // The application shows a message box; a host without one puts the text on the status bar.
    virtual void ShowMessage(const std::string& text) { SetStatusText(text); }

    // Writes, or reads and checks, the end marker of a stored table. Storing writes the marker and leaves
    // valid alone; loading with check reads one string and sets valid to whether it is the marker; loading
    // without check reads nothing and sets valid.
    virtual void SerializeEndMarker(bool& valid, bool check, Archive& ar) = 0;

    // Opens, or activates, a frame of the given kind for the document.
    enum class ViewKind { DefaultForm, AlternateForm, Printout };
    virtual void OpenViewFrame(CQELTDoc& document, ViewKind kind) = 0;
};

// The installed host; throws std::logic_error when none is installed.
ModelHost& GetModelHost();
void SetModelHost(ModelHost* host);
