#pragma once

#include <string>
#include <vector>

class CompositionVector;
class ElementTable;

// One row of the percentage composition: an element of the formula and the share of the mass it brings.
struct PercentagesRecord {
    // Row of the element in the element table.
    int element = 0;
    int atoms = 0;
    std::string symbol;
    // g/mol of the element.
    double molarMass = 0.0;
    // atoms x molar mass.
    double totalMass = 0.0;
    // Share of the formula's mass, in percent; 0 when hasPercent is false.
    double percent = 0.0;
    // False when the formula weighs nothing, so there is no share to show.
    bool hasPercent = false;
};

// The elements of a composition in table order (the charge is not one), each with its share of the mass of
// the composition, so that the shares add up to 100 %.
std::vector<PercentagesRecord> ComputePercentages(const CompositionVector& composition,
                                                  const ElementTable& table);
