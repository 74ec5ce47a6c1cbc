#include "model/unit_factors.h"

#include <stdexcept>

namespace {

constexpr int kKelvin = 1;
constexpr int kFahrenheit = 2;

void RequirePressureUnit(int unit) {
    if (!IsPressureUnit(unit))
        throw std::out_of_range("unknown pressure unit");
}

void RequireTemperatureUnit(int unit) {
    if (!IsTemperatureUnit(unit))
        throw std::out_of_range("unknown temperature unit");
}

} // namespace

bool IsPressureUnit(int unit) {
    return unit >= 0 && unit < kPressureUnitCount;
}

bool IsTemperatureUnit(int unit) {
    return unit >= 0 && unit < kTemperatureUnitCount;
}

double ConvertPressure(double value, int from, int to) {
    RequirePressureUnit(from);
    RequirePressureUnit(to);
    if (from == to)
        return value;
    return value * PressureUnitsPerAtm[static_cast<std::size_t>(to)] /
           PressureUnitsPerAtm[static_cast<std::size_t>(from)];
}

double ConvertTemperature(double value, int from, int to) {
    RequireTemperatureUnit(from);
    RequireTemperatureUnit(to);
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
