#pragma once

#include <array>
#include <span>
#include <string_view>

// The names of the units a quantity can be given in. A quantity stores its unit as the zero-based index of
// the unit's name in one of these tables; the same names fill the unit lists of the calculators and dialogs
// and follow each quantity in the printout.

using UnitNameTable = std::span<const std::string_view>;

inline constexpr std::array<std::string_view, 3> ConcentrationUnitNames = {"mol/L", "mmol/L", "mmol/mL"};
// Volumes of solutions.
inline constexpr std::array<std::string_view, 2> VolumeUnitNames = {"L", "mL"};
inline constexpr std::array<std::string_view, 7> PressureUnitNames = {"atm", "mmHg/torr", "Pa", "kPa",
                                                                      "bar", "mbar",      "psi"};
// No degree sign.
inline constexpr std::array<std::string_view, 3> TemperatureUnitNames = {"C", "K", "F"};
// Volumes of gases.
inline constexpr std::array<std::string_view, 4> GasVolumeUnitNames = {"L", "mL", "m3", "ft3"};
// Amounts of an elemental analysis; the last entry marks an unknown unit and is never offered for selection.
inline constexpr std::array<std::string_view, 5> MassUnitNames = {"g", "mg", "mol", "mmol", "???"};

// The index of the name in the table (exact, case-sensitive, first match), or -1.
int UnitIndex(UnitNameTable table, std::string_view name);

// The name of a unit index, or an empty text for an index outside the table (a damaged file can hold any
// number).
std::string_view UnitName(UnitNameTable table, int index);

// Whether the index names an entry of the table.
bool IsUnitIndex(UnitNameTable table, int index);
