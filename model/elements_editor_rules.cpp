#include "model/elements_editor_rules.h"

#include "model/element_table.h"
#include "model/text_utils.h"

#include <algorithm>
#include <charconv>

namespace elements_editor {

int MassTextDecimals(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos)
        return 0;
    // A box shows masses from 1000 up with an exponent ("1.500e+03"): the exponent moves the point.
    const std::size_t exponent = text.find_first_of("eE", point);
    int decimals = static_cast<int>(std::min(exponent, text.size()) - point - 1);
    if (exponent != std::string_view::npos) {
        int shift = 0;
        const char* first = text.data() + exponent + 1;
        if (first < text.data() + text.size() && *first == '+')
            ++first;
        const auto [end, error] = std::from_chars(first, text.data() + text.size(), shift);
        if (error == std::errc() && end == text.data() + text.size())
            decimals = shift < -kMaxDecimals ? kMaxDecimals : decimals - shift;
    }
    return std::clamp(decimals, 0, kMaxDecimals);
}

bool IsAcceptableInput(const std::string& symbol, double molarMass) {
    // A mass of 0, below 0, "inf" or "nan" would make every formula with the moiety weigh nothing sensible.
    return !symbol.empty() && symbol[0] >= 'A' && symbol[0] <= 'Z' &&
           moiety_rules::IsValidMolarMass(molarMass);
}

bool CanAdd(const ElementTable& table, const std::string& symbol, double molarMass) {
    return IsAcceptableInput(symbol, molarMass) && table.Find(symbol) == -1;
}

bool IsUserRow(const ElementTable& table, int row) {
    return row >= ElementTable::kFirstMoietyRow && row < table.GetCount();
}

bool CanModify(const ElementTable& table, int row, const std::string& symbol, double molarMass) {
    return IsUserRow(table, row) && IsAcceptableInput(symbol, molarMass);
}

InputCheck CheckInput(const ElementTable& table, int selectedRow, const std::string& symbol,
                      const std::string& composition, double molarMass) {
    InputCheck check;
    check.canAdd = CanAdd(table, symbol, molarMass);
    check.canModify = CanModify(table, selectedRow, symbol, molarMass);
    const bool addNamesItself = check.canAdd && moiety_rules::WouldNameItself(table, -1, symbol, composition);
    const bool modifyNamesItself =
        check.canModify && moiety_rules::WouldNameItself(table, selectedRow, symbol, composition);
    check.canAdd = check.canAdd && !addNamesItself;
    check.canModify = check.canModify && !modifyNamesItself;
    if (!symbol.empty() && !moiety_rules::IsValidMolarMass(molarMass))
        check.fault = moiety_rules::Fault::MolarMass;
    else if (addNamesItself || modifyNamesItself)
        check.fault = moiety_rules::Fault::NamesItself;
    return check;
}

int CompareRows(const ElementTable& table, int rowA, int rowB, int column) {
    const Element& a = table[rowA];
    const Element& b = table[rowB];
    switch (column) {
    case kNumberColumn:
        return CompareValues(rowA, rowB);
    case kSymbolColumn:
        return CompareNoCase(a.GetSymbol(), b.GetSymbol());
    case kMolarMassColumn:
        return CompareValues(a.GetMolarMass(), b.GetMolarMass());
    case kFormulaColumn:
        return CompareNoCase(a.GetComposition(), b.GetComposition());
    default:
        return 0;
    }
}

} // namespace elements_editor
