#include "app/controls/fedit.h"

#include "model/editable_double.h"
#include "model/number_box_text.h"
#include "platform/ui/command_ids.h"
#include "platform/ui/control_host.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/message_box.h"
#include "platform/ui/string_table.h"
#include "platform/ui/text_codec.h"

#include <QFocusEvent>

#include <cmath>

namespace {

std::string BoxText(const QLineEdit* box) {
    return ui::ToCp1252(box->text());
}

// Reads a box for a saving exchange; refuses a text that is not a number. The value and digits are those of
// the text, or the number behind it when the box still shows what an exchange put there: 100 shown for 0.1
// mol/L in mmol/L carries the one digit of 0.1, not the three its text has.
CEditableDouble ReadBox(ui::DataExchange& dx, int id) {
    const std::optional<CEditableDouble> number = BoxNumber(dx.PrepareEditCtrl(id));
    if (!number) {
        ui::MessageBox(ui::str::ParseReal, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        dx.Fail();
    }
    return *number;
}

void ShowInBox(ui::DataExchange& dx, int id, const std::string& text, const CEditableDouble& exact) {
    QLineEdit* box = dx.PrepareEditCtrl(id);
    if (auto* fedit = qobject_cast<CFEdit*>(box))
        fedit->ShowNumber(text, exact);
    else
        ui::SetWindowTextIfChanged(box, ui::FromCp1252(text));
}

} // namespace

CFEdit::CFEdit(QWidget* parent) : QLineEdit(parent) {
    // Whatever the user types is taken as typed, even when it reads like the text shown before.
    connect(this, &QLineEdit::textEdited, this, [this] {
        m_hasShown = false;
        m_edited = true;
    });
}

CFEdit* CFEdit::Attach(ui::ControlHost& host, int id) {
    auto* box = new CFEdit;
    host.ReplaceControl(id, box);
    return box;
}

void CFEdit::ShowNumber(const std::string& text, const CEditableDouble& exact) {
    m_shownText = ui::FromCp1252(text);
    m_shownNumber = exact;
    m_edited = false;
    // A text that stands for no value ("???" for an infinity, nothing for a negative count) reads back as
    // what it says.
    m_hasShown = std::isfinite(exact.value) && !text.empty() && text != "???";
    ui::SetWindowTextIfChanged(this, m_shownText);
}

std::optional<CEditableDouble> CFEdit::ShownNumber() const {
    if (!m_hasShown || text() != m_shownText)
        return std::nullopt;
    return m_shownNumber;
}

void CFEdit::focusOutEvent(QFocusEvent* event) {
    // The default processing first: the dialog hears of the focus loss before the text is rewritten.
    QLineEdit::focusOutEvent(event);
    if (const std::optional<ReformattedNumber> number = ReformatNumberBoxText(BoxText(this))) {
        m_digitsEntered = number->digits;
        // Reports EN_CHANGE also when the text stays the same.
        ui::SetWindowText(this, ui::FromCp1252(number->text));
    }
    setCursorPosition(0);
    deselect();
}

std::optional<CEditableDouble> BoxNumber(const QLineEdit* box) {
    if (const auto* fedit = qobject_cast<const CFEdit*>(box))
        if (std::optional<CEditableDouble> shown = fedit->ShownNumber())
            return shown;
    return ReadCountedNumber(BoxText(box));
}

void DDX_FEdit(ui::DataExchange& dx, int id, double& value) {
    if (dx.IsSaving()) {
        value = ReadBox(dx, id).value;
        return;
    }
    ShowInBox(dx, id, NumberBoxText(value), CEditableDouble(value, 0));
}

void DDX_FEdit(ui::DataExchange& dx, int id, CEditableDouble& value) {
    if (dx.IsSaving()) {
        value = ReadBox(dx, id);
        return;
    }
    ShowInBox(dx, id, NumberBoxText(value), value);
}
