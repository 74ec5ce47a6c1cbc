#pragma once

#include "platform/ui/text_codec.h"

#include <QString>
#include <stdexcept>
#include <string>

class QLineEdit;
class QWidget;

// Data exchange between a dialog's controls and its members. A dialog's DoDataExchange lists its items:
//
//     void ReactionStringDialog::DoDataExchange(ui::DataExchange& dx) {
//         ui::DDX_Control(dx, ui::IDOK, m_ok);
//         ui::DDX_Text(dx, 158, m_text);
//     }
//
// UpdateData(true) reads the controls into the members (saving), UpdateData(false) writes the members into
// the controls (loading). A text that is not a number, or a value out of its range, stops a saving
// exchange: the user is told, the control gets the focus with its text selected, the members after it keep
// their contents, and UpdateData returns false.
namespace ui {

class ControlHost;

// Thrown by DataExchange::Fail; UpdateData catches it.
struct DataExchangeFailure {};

class DataExchange {
public:
    DataExchange(ControlHost& host, bool saveAndValidate) : m_host(host), m_saving(saveAndValidate) {}

    // True while reading the controls into the members.
    bool IsSaving() const { return m_saving; }
    ControlHost& Host() const { return m_host; }

    // The control with the id, remembered as the one a failure returns the focus to; throws
    // std::logic_error when the dialog has no such control (a fault in the dialog's code).
    QWidget* PrepareCtrl(int id);
    // The same for an edit control (throws std::logic_error when the control is not one).
    QLineEdit* PrepareEditCtrl(int id);

    // Abandons the exchange: the focus goes to the last prepared control (an edit gets its text selected).
    [[noreturn]] void Fail();

private:
    ControlHost& m_host;
    bool m_saving;
    QWidget* m_last = nullptr;
};

// Texts of edits, statics, buttons and combo boxes. Loading leaves a control whose text is already equal
// untouched, so it raises no change notification.
void DDX_Text(DataExchange& dx, int id, QString& value);
// The model's 8-bit text (Windows-1252). An edit exchanged so is filtered from then on: a character the
// encoder cannot hold is refused as it is typed or pasted (eight_bit_input.h). Saving refuses, naming it, one
// that code put there; the control keeps the text as it stands.
void DDX_Text(DataExchange& dx, int id, std::string& value, TextEncoder encode = cp1252::Encode);
// Integers: leading and trailing blanks allowed; anything else refused with "Enter an integer.".
void DDX_Text(DataExchange& dx, int id, int& value);
// Numbers in the "C" notation (15 significant digits when loading); refused with "Enter a number.".
void DDX_Text(DataExchange& dx, int id, double& value);

// Check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(DataExchange& dx, int id, int& value);
// Radio group that starts at the radio button firstId: index of the checked button in template order, -1
// for none.
void DDX_Radio(DataExchange& dx, int firstId, int& value);
// Combo box: selected index, -1 for none.
void DDX_CBIndex(DataExchange& dx, int id, int& value);
// List box: selected index, -1 for none.
void DDX_LBIndex(DataExchange& dx, int id, int& value);

// Binds a member pointer to the control (in both directions of the exchange).
template <class T> void DDX_Control(DataExchange& dx, int id, T*& member) {
    QWidget* control = dx.PrepareCtrl(id);
    member = qobject_cast<T*>(control);
    if (member == nullptr)
        throw std::logic_error("DDX_Control: control " + std::to_string(id) + " is of another class");
}

// Range check after the exchange of the value (saving only): "Enter a number between %1 and %2.".
void DDV_MinMaxDouble(DataExchange& dx, double value, double minValue, double maxValue);

// The formatter behind DDX_Text, independent of the user's locale.
QString FormatDoubleText(double value);

} // namespace ui
