#include "model/unit_factors.h"

#include <stdexcept>
#include <string>

namespace {

constexpr int kKelvin = 1;
constexpr int kFahrenheit = 2;

// The factor of a unit code; a code outside the table is a fault of the caller.
template <std::size_t N> double Factor(const std::array<double, N>& table, int unit, const char* what) {
    if (unit < 0 || unit >= static_cast<int>(N))
        throw std::out_of_range(std::string("unknown ") + what + " unit");
    return table[static_cast<std::size_t>(unit)];
}

// A value in one unit of a table of units per common unit, in another.
template <std::size_t N>
double ConvertByFactors(const std::array<double, N>& table, double value, int from, int to,
                        const char* what) {
    const double fromFactor = Factor(table, from, what);
    const double toFactor = Factor(table, to, what);
    if (from == to)
        return value;
    return value * toFactor / fromFactor;
}

} // namespace

bool IsPressureUnit(int unit) {
    return unit >= 0 && unit < kPressureUnitCount;
}

bool IsTemperatureUnit(int unit) {
    return unit >= 0 && unit < kTemperatureUnitCount;
}

double ConvertPressure(double value, int from, int to) {
    return ConvertByFactors(PressureUnitsPerAtm, value, from, to, "pressure");
}

double ConvertTemperature(double value, int from, int to) {
    Factor(ZeroCelsiusAbsolute, from, "temperature");
    Factor(ZeroCelsiusAbsolute, to, "temperature");
    if (from == to)
        return value;
    double celsius = value;
    if (from == kKelvin)
        celsius = value - 273.15;
    else if (from == kFahrenheit)
        celsius = (value - 32.0) * 5.0 / 9.0;
    if (to == kKelvin)
        return celsius + 273.15;
    if (to == kFahrenheit)
        return celsius * 9.0 / 5.0 + 32.0;
    return celsius;
}

double AbsoluteTemperature(double value, int unit) {
    Factor(ZeroCelsiusAbsolute, unit, "temperature");
    if (unit == kKelvin)
        return value;
    if (unit == kFahrenheit)
        return value - 32.0 + 491.67;
    return value + 273.15;
}

double ConvertGasVolume(double value, int from, int to) {
    return ConvertByFactors(MolarVolumeByUnit, value, from, to, "gas volume");
}

double GasConstant(int gasVolumeUnit, int pressureUnit, int temperatureUnit) {
    return Factor(MolarVolumeByUnit, gasVolumeUnit, "gas volume") *
           Factor(PressureUnitsPerAtm, pressureUnit, "pressure") /
           Factor(ZeroCelsiusAbsolute, temperatureUnit, "temperature");
}

CEditableDouble ConvertSolutionVolume(const CEditableDouble& value, int from, int to) {
    return value * Factor(VolumeUnitFactors, to, "volume") / Factor(VolumeUnitFactors, from, "volume");
}

CEditableDouble ConvertConcentration(const CEditableDouble& value, int from, int to) {
    return value * Factor(ConcentrationUnitFactors, to, "concentration") /
           Factor(ConcentrationUnitFactors, from, "concentration");
}
