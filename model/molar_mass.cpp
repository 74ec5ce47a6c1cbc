#include "model/molar_mass.h"

#include "model/composition_vector.h"
#include "model/element_table.h"
#include "model/model_host.h"

double GetMolarMassOf(const CompositionVector& composition, const ElementTable& table) {
    double mass = 0.0;
    for (int row = 0; row < table.GetCount(); ++row)
        mass += composition[row] * table[row].GetMolarMass();
    return mass;
}

double GetMolarMassOf(const CompositionVector& composition) {
    return GetMolarMassOf(composition, GetModelHost().GetElementTable());
}
