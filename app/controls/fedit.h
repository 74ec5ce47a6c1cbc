#pragma once

#include <QLineEdit>

#include <optional>
#include <string>

#include "model/editable_double.h"

namespace ui {
class ControlHost;
class DataExchange;
} // namespace ui

// The amount box: a single-line edit that takes the lenient number syntax (see number_parser.h) and, when
// the focus leaves it, rewrites an accepted text to the significant digits the user typed. A rejected text
// stays as typed until a data exchange reports it. Either way the box then shows the start of its text.
//
// A box remembers the exact value behind the text a data exchange put in it: as long as the user does not
// edit that text, reading the box gives the exact value back, not the rounded one shown (101325 shown as
// 1.013e+05 reads back as 101325), with the significant digits it was given.
class CFEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CFEdit(QWidget* parent = nullptr);

    // Significant digits of the text as last rewritten on leaving the box (0 when it had none).
    int DigitsEntered() const { return m_digitsEntered; }

    // Puts a CFEdit in place of the template's edit with the id; returns it.
    static CFEdit* Attach(ui::ControlHost& host, int id);

    // Shows the text for a number and remembers the number behind it.
    void ShowNumber(const std::string& text, const CEditableDouble& exact);
    // The remembered number while the box shows the text it was given, unedited; else nothing.
    std::optional<CEditableDouble> ShownNumber() const;
    // Whether the user has typed in the box since a number was last shown in it.
    bool EditedSinceShown() const { return m_edited; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_digitsEntered = 0;
    bool m_hasShown = false;
    bool m_edited = false;
    QString m_shownText;
    CEditableDouble m_shownNumber;
};

// The number a box means: the number behind its text while it shows what an exchange put there, else the
// value and significant digits of the text; nothing when the text is rejected.
std::optional<CEditableDouble> BoxNumber(const QLineEdit* box);

// Data exchange of a box with a plain double: saving parses the text ("Enter a number." and the focus back
// on the box when it is rejected); loading shows the value with the display digits.
void DDX_FEdit(ui::DataExchange& dx, int id, double& value);
// Data exchange with a counted number: saving takes the value and the significant digits of the text;
// loading shows as many digits as the number carries (compact when none, nothing when negative).
void DDX_FEdit(ui::DataExchange& dx, int id, CEditableDouble& value);
