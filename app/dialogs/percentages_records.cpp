#include "app/dialogs/percentages_records.h"

#include "app/dialogs/column_sort.h"
#include "model/composition_vector.h"
#include "model/element_table.h"
#include "model/molar_mass.h"

std::vector<PercentagesRecord> ComputePercentages(const CompositionVector& composition,
                                                  const ElementTable& table) {
    // The shares are of the composition's own mass: the molar mass of the text as a mixture can count a
    // leading coefficient or a bracketed hydrate differently, which would make the shares miss 100 %.
    const double formulaMass = GetMolarMassOf(composition, table);
    std::vector<PercentagesRecord> records;
    for (int z = 1; z < table.GetCount(); ++z) {
        const int count = composition[z];
        if (count == 0)
            continue;
        PercentagesRecord record;
        record.element = z;
        record.atoms = count;
        record.symbol = table[z].GetSymbol();
        record.molarMass = table[z].GetMolarMass();
        record.totalMass = count * record.molarMass;
        if (formulaMass != 0.0) {
            record.percent = record.totalMass * 100.0 / formulaMass;
            record.hasPercent = true;
        }
        records.push_back(std::move(record));
    }
    return records;
}

int ComparePercentagesRecords(const PercentagesRecord& a, const PercentagesRecord& b, int column) {
    switch (column) {
    case 0:
        return CompareValues(a.element, b.element);
    case 1:
        return CompareNoCase(a.symbol, b.symbol);
    case 2:
        return CompareValues(a.molarMass, b.molarMass);
    case 3:
        return CompareValues(a.atoms, b.atoms);
    case 4:
        return CompareValues(a.totalMass, b.totalMass);
    case 5:
        return CompareValues(a.percent, b.percent);
    default:
        return 0;
    }
}
