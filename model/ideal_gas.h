#pragma once

// The ideal gas law V = nRT/p of the gas calculator, with R derived from the molar volume at 0 C and 1 atm in
// the units chosen for pressure, temperature and volume, and the molar mass linking amount and mass.
//
// The conditions and quantities are plain numbers. A quantity that cannot follow from what was given (a
// pressure or absolute temperature that is not above zero, a negative amount, mass, volume or molar mass)
// comes out as NaN, which a box shows as "???", and the recomputation says which input made it impossible.
namespace ideal_gas {

struct Conditions {
    double p = 1.0;
    int pressureUnit = 0; // PressureUnitNames
    double T = 0.0;
    int temperatureUnit = 0; // TemperatureUnitNames
    int volumeUnit = 0;      // GasVolumeUnitNames
};

struct Quantities {
    double M = 0.0;    // g/mol; 0 when unknown
    double n = 0.0;    // mol
    double mass = 0.0; // g
    double V = 0.0;    // in the volume unit
};

// What was given last; the quantities that depend on it are recomputed.
enum class Given {
    Conditions, // p, T or the standard conditions: V from the amount
    Moles,      // mass from n (with a molar mass), V from the amount
    Mass,       // n from mass (with a molar mass), V from the amount
    Volume,     // n from V, mass from n (with a molar mass)
};

// The input that makes the result impossible, in the order they are looked at; Overflow when the inputs are
// possible but a result is too large for a double.
enum class Problem { None, Pressure, Temperature, MolarMass, Amount, Mass, Volume, Overflow };

// Recomputes the quantities that depend on what was given.
Problem Recompute(const Conditions& conditions, Quantities& quantities, Given given);

} // namespace ideal_gas
