#include "model/percentages_records.h"

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
