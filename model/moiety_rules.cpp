#include "model/moiety_rules.h"

#include "model/chemical_formula.h"
#include "model/composition_vector.h"
#include "model/element_table.h"

#include <cmath>
#include <vector>

namespace moiety_rules {

namespace {

// The rows the composition of a row names (none for an empty composition or the row's own symbol alone).
std::vector<int> NamedRows(const ElementTable& table, int row) {
    const Element& element = table[row];
    const std::string& composition = element.GetComposition();
    std::vector<int> rows;
    if (composition.empty() || composition == element.GetSymbol())
        return rows;
    ChemicalFormula formula;
    formula.SetText(composition, true);
    const CompositionVector counts = formula.GetCompositionIn(table);
    // Slot 0 is the charge.
    for (int named = 1; named < counts.GetSize() && named < table.GetCount(); ++named) {
        if (counts[named] != 0)
            rows.push_back(named);
    }
    return rows;
}

} // namespace

bool IsValidMolarMass(double molarMass) {
    return std::isfinite(molarMass) && molarMass > 0.0;
}

bool NamesItself(const ElementTable& table, int row) {
    if (row < 0 || row >= table.GetCount())
        return false;
    std::vector<bool> seen(static_cast<std::size_t>(table.GetCount()), false);
    std::vector<int> pending = NamedRows(table, row);
    while (!pending.empty()) {
        const int next = pending.back();
        pending.pop_back();
        if (next == row)
            return true;
        if (seen[static_cast<std::size_t>(next)])
            continue;
        seen[static_cast<std::size_t>(next)] = true;
        const std::vector<int> further = NamedRows(table, next);
        pending.insert(pending.end(), further.begin(), further.end());
    }
    return false;
}

bool WouldNameItself(const ElementTable& table, int row, const std::string& symbol,
                     const std::string& composition) {
    // The moiety as it would stand in the table: its symbol may be what makes another row's composition
    // lead back to it.
    if (row >= table.GetCount())
        return false;
    ElementTable changed = table;
    const int placed = row < 0 ? changed.AddElement(symbol, composition, std::string(), 1.0, 0)
                               : changed.ModifyElement(row, symbol, composition, std::string(), 1.0, 0);
    return placed >= 0 && NamesItself(changed, placed);
}

Fault FaultOf(const ElementTable& table, int row) {
    if (row < ElementTable::kFirstMoietyRow || row >= table.GetCount())
        return Fault::None;
    if (!IsValidMolarMass(table[row].GetMolarMass()))
        return Fault::MolarMass;
    return NamesItself(table, row) ? Fault::NamesItself : Fault::None;
}

} // namespace moiety_rules
