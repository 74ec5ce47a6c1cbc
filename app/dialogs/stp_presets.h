#pragma once

#include <array>

// The three standard-condition presets of the STP definition dialog.
struct StpPreset {
    int buttonId;
    double pressure;
    int pressureUnit; // index into PressureUnitNames
    double temperature;
    int temperatureUnit; // index into TemperatureUnitNames
};

inline constexpr int kIupacStpButton = 142;
inline constexpr int kSatpButton = 164;
inline constexpr int kOneAtmZeroCButton = 150;

inline constexpr std::array<StpPreset, 3> StpPresets = {{
    {kIupacStpButton, 100.0, 3, 0.0, 0},  // IUPAC STP: 100 kPa, 0 C
    {kSatpButton, 100.0, 3, 25.0, 0},     // SATP: 100 kPa, 25 C
    {kOneAtmZeroCButton, 1.0, 0, 0.0, 0}, // 1 atm, 0 C
}};
