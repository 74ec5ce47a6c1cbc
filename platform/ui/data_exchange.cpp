#include "platform/ui/data_exchange.h"

#include "platform/ui/command_ids.h"
#include "platform/ui/control_host.h"
#include "platform/ui/eight_bit_input.h"
#include "platform/ui/list_controls.h"
#include "platform/ui/message_box.h"
#include "platform/ui/string_table.h"
#include "platform/ui/text_codec.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <charconv>
#include <cmath>

namespace ui {
namespace {

// Blanks and tabs only, as the number texts of the other platform allow.
QString TrimBlanks(const QString& text) {
    int begin = 0;
    int end = static_cast<int>(text.size());
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

void Refuse(DataExchange& dx, const QString& message) {
    MessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    dx.Fail();
}

} // namespace

QWidget* DataExchange::PrepareCtrl(int id) {
    QWidget* control = m_host.GetDlgItem(id);
    if (control == nullptr)
        throw std::logic_error("data exchange: no control " + std::to_string(id));
    m_last = control;
    return control;
}

QLineEdit* DataExchange::PrepareEditCtrl(int id) {
    auto* edit = qobject_cast<QLineEdit*>(PrepareCtrl(id));
    if (edit == nullptr)
        throw std::logic_error("data exchange: control " + std::to_string(id) + " is not an edit");
    return edit;
}

void DataExchange::Fail() {
    if (m_last != nullptr)
        m_host.GotoDlgCtrl(m_last);
    throw DataExchangeFailure{};
}

namespace {

// The parsers behind DDX_Text, independent of the user's locale.
bool ParseIntText(const QString& text, int& value) {
    const std::string bytes = TrimBlanks(text).toStdString();
    if (bytes.empty())
        return false;
    const char* begin = bytes.data();
    const char* end = begin + bytes.size();
    if (*begin == '+')
        ++begin;
    if (begin == end || *begin == '+')
        return false;
    int parsed = 0;
    const auto result = std::from_chars(begin, end, parsed, 10);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    value = parsed;
    return true;
}

bool ParseDoubleText(const QString& text, double& value) {
    const std::string bytes = TrimBlanks(text).toStdString();
    if (bytes.empty())
        return false;
    // Only the plain decimal notation: no hexadecimal, infinity or NaN.
    for (const char c : bytes) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-'))
            return false;
    }
    const char* begin = bytes.data();
    const char* end = begin + bytes.size();
    const char first = *begin;
    if (*begin == '+')
        ++begin;
    if (begin == end || *begin == '+')
        return false;
    double parsed = 0.0;
    const auto result = std::from_chars(begin, end, parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed))
        return false;
    // A zero must be written as one: "-0" and the like are not taken for numbers.
    if (parsed == 0.0 && first != '0' && first != '.')
        return false;
    value = parsed;
    return true;
}

} // namespace

QString FormatDoubleText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

void DDX_Text(DataExchange& dx, int id, QString& value) {
    QWidget* control = dx.PrepareCtrl(id);
    if (dx.IsSaving())
        value = GetWindowText(control);
    else
        SetWindowTextIfChanged(control, value);
}

void DDX_Text(DataExchange& dx, int id, std::string& value, TextEncoder encode) {
    QWidget* control = dx.PrepareCtrl(id);
    // What the user types or pastes is kept to what the text can hold as it comes in.
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        FilterEightBitInput(*edit, encode);
    if (!dx.IsSaving()) {
        SetWindowTextIfChanged(control, FromCp1252(value));
        return;
    }
    cp1252::Encoded encoded = EncodeUserText(GetWindowText(control), encode);
    if (encoded.refused)
        Refuse(dx, RefusedCharacterMessage(*encoded.refused));
    value = std::move(encoded.bytes);
}

void DDX_Text(DataExchange& dx, int id, int& value) {
    QWidget* control = dx.PrepareCtrl(id);
    if (!dx.IsSaving()) {
        SetWindowTextIfChanged(control, QString::number(value));
        return;
    }
    int parsed = 0;
    if (!ParseIntText(GetWindowText(control), parsed))
        Refuse(dx, LoadString(str::ParseInt));
    value = parsed;
}

void DDX_Text(DataExchange& dx, int id, double& value) {
    QWidget* control = dx.PrepareCtrl(id);
    if (!dx.IsSaving()) {
        SetWindowTextIfChanged(control, FormatDoubleText(value));
        return;
    }
    double parsed = 0.0;
    if (!ParseDoubleText(GetWindowText(control), parsed))
        Refuse(dx, LoadString(str::ParseReal));
    value = parsed;
}

void DDX_Check(DataExchange& dx, int id, int& value) {
    auto* box = qobject_cast<QAbstractButton*>(dx.PrepareCtrl(id));
    if (box == nullptr)
        throw std::logic_error("DDX_Check: control " + std::to_string(id) + " is not a button");
    auto* check = qobject_cast<QCheckBox*>(box);
    if (dx.IsSaving()) {
        if (check != nullptr)
            value = check->checkState() == Qt::Checked            ? 1
                    : check->checkState() == Qt::PartiallyChecked ? 2
                                                                  : 0;
        else
            value = box->isChecked() ? 1 : 0;
        return;
    }
    if (check != nullptr && value == 2 && check->isTristate())
        check->setCheckState(Qt::PartiallyChecked);
    else
        box->setChecked(value != 0);
}

void DDX_Radio(DataExchange& dx, int firstId, int& value) {
    QWidget* first = dx.PrepareCtrl(firstId);
    QButtonGroup* group = dx.Host().RadioGroup(first);
    if (group == nullptr)
        throw std::logic_error("DDX_Radio: control " + std::to_string(firstId) + " is not a radio button");
    const QList<QAbstractButton*> buttons = group->buttons();
    if (dx.IsSaving()) {
        value = -1;
        for (int i = 0; i < buttons.size(); ++i) {
            if (buttons[i]->isChecked())
                value = i;
        }
        return;
    }
    group->setExclusive(false);
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setChecked(i == value);
    group->setExclusive(true);
}

void DDX_CBIndex(DataExchange& dx, int id, int& value) {
    auto* combo = qobject_cast<QComboBox*>(dx.PrepareCtrl(id));
    if (combo == nullptr)
        throw std::logic_error("DDX_CBIndex: control " + std::to_string(id) + " is not a combo box");
    if (dx.IsSaving())
        value = combo->currentIndex();
    else
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
}

void DDX_LBIndex(DataExchange& dx, int id, int& value) {
    auto* list = qobject_cast<QListWidget*>(dx.PrepareCtrl(id));
    if (list == nullptr)
        throw std::logic_error("DDX_LBIndex: control " + std::to_string(id) + " is not a list box");
    if (dx.IsSaving())
        value = list->currentRow();
    else
        list->setCurrentRow(value >= 0 && value < list->count() ? value : -1);
}

void DDV_MinMaxDouble(DataExchange& dx, double value, double minValue, double maxValue) {
    if (!dx.IsSaving() || (value >= minValue && value <= maxValue))
        return;
    Refuse(dx, FormatString(str::ParseRealRange, {FormatDoubleText(minValue), FormatDoubleText(maxValue)}));
}

} // namespace ui
