#pragma once

#include <array>

// Conversion factors indexed by the unit codes of the unit-name tables.

// The value of 1 atm in each pressure unit: atm, mmHg/torr, Pa, kPa, bar, mbar, psi.
inline constexpr std::array<double, 7> PressureUnitsPerAtm = {1.0,     760.0,   101325.0, 101.325,
                                                              1.01325, 1013.25, 14.6959};
// The molar volume of an ideal gas at 0 C and 1 atm in each gas-volume unit: L, mL, m3, ft3.
inline constexpr std::array<double, 4> MolarVolumeByUnit = {22.414, 22414.0, 0.022414, 0.7915428};
// 0 C on the absolute scale of each temperature unit: C and K in kelvin, F in degrees Rankine.
inline constexpr std::array<double, 3> ZeroCelsiusAbsolute = {273.15, 273.15, 491.67};

inline constexpr int kPressureUnitCount = static_cast<int>(PressureUnitsPerAtm.size());
inline constexpr int kTemperatureUnitCount = static_cast<int>(ZeroCelsiusAbsolute.size());

bool IsPressureUnit(int unit);
bool IsTemperatureUnit(int unit);

// A pressure in unit `from` expressed in unit `to` (both valid codes).
double ConvertPressure(double value, int from, int to);
// A temperature in unit `from` (0 C, 1 K, 2 F) expressed in unit `to`.
double ConvertTemperature(double value, int from, int to);
