#pragma once

#include "model/editable_double.h"

#include <array>

// Conversion factors indexed by the unit codes of the unit-name tables, and the conversions built on them.

// The value of 1 atm in each pressure unit: atm, mmHg/torr, Pa, kPa, bar, mbar, psi.
inline constexpr std::array<double, 7> PressureUnitsPerAtm = {1.0,     760.0,   101325.0, 101.325,
                                                              1.01325, 1013.25, 14.6959};
// The molar volume of an ideal gas at 0 C and 1 atm in each gas-volume unit: L, mL, m3, ft3.
inline constexpr std::array<double, 4> MolarVolumeByUnit = {22.414, 22414.0, 0.022414, 0.7915428};
// 0 C on the absolute scale of each temperature unit: C and K in kelvin, F in degrees Rankine.
inline constexpr std::array<double, 3> ZeroCelsiusAbsolute = {273.15, 273.15, 491.67};
// Units per litre of each solution volume unit (VolumeUnitNames): L, mL.
inline constexpr std::array<double, 2> VolumeUnitFactors = {1.0, 1000.0};
// Units per mol/L of each concentration unit (ConcentrationUnitNames): mol/L, mmol/L, mmol/mL.
inline constexpr std::array<double, 3> ConcentrationUnitFactors = {1.0, 1000.0, 1.0};

inline constexpr int kPressureUnitCount = static_cast<int>(PressureUnitsPerAtm.size());
inline constexpr int kTemperatureUnitCount = static_cast<int>(ZeroCelsiusAbsolute.size());

bool IsPressureUnit(int unit);
bool IsTemperatureUnit(int unit);

// A pressure in unit `from` expressed in unit `to` (both valid codes).
double ConvertPressure(double value, int from, int to);
// A temperature in unit `from` (0 C, 1 K, 2 F) expressed in unit `to`.
double ConvertTemperature(double value, int from, int to);
// A temperature on the absolute scale of its unit: kelvin for C and K, degrees Rankine for F.
double AbsoluteTemperature(double value, int unit);
// A gas volume in unit `from` expressed in unit `to` (GasVolumeUnitNames codes).
double ConvertGasVolume(double value, int from, int to);
// The gas constant in the units chosen for volume, pressure and temperature: the molar volume at 0 C and
// 1 atm times 1 atm, over 0 C on the absolute scale.
double GasConstant(int gasVolumeUnit, int pressureUnit, int temperatureUnit);

// A solution volume or a concentration re-expressed in another unit. The count of significant digits stays
// as it is: a new unit says the same with the same precision.
CEditableDouble ConvertSolutionVolume(const CEditableDouble& value, int from, int to);
CEditableDouble ConvertConcentration(const CEditableDouble& value, int from, int to);
