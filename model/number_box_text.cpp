#include "model/number_box_text.h"

#include "model/editable_double.h"
#include "model/float_numbers_string.h"
#include "model/number_parser.h"

bool ParseEditableDouble(std::string& text, CEditableDouble& target) {
    return ParseDouble(text, target.value);
}

std::string NumberBoxText(double value) {
    CFloatNumbersString text;
    text.FormatFixed(value);
    return text;
}

std::string NumberBoxText(const CEditableDouble& number) {
    if (number.digits < 0)
        return {};
    CFloatNumbersString text;
    if (number.digits == 0)
        text.FormatFixed(number.value);
    else
        text.Format(number.value, number.digits);
    return text;
}

std::optional<ReformattedNumber> ReformatNumberBoxText(const std::string& typed) {
    std::string text = LimitNumberBoxText(typed);
    double value = 0.0;
    if (!ParseDouble(text, value))
        return std::nullopt;
    ReformattedNumber result;
    result.value = value;
    result.digits = CFloatNumbersString(text).CountSignificantDigits();
    result.text = NumberBoxText(CEditableDouble(value, result.digits));
    return result;
}

std::optional<CEditableDouble> ReadCountedNumber(const std::string& typed) {
    std::string text = LimitNumberBoxText(typed);
    CEditableDouble number;
    if (!ParseEditableDouble(text, number))
        return std::nullopt;
    number.digits = CFloatNumbersString(text).CountSignificantDigits();
    return number;
}
