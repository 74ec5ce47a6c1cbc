#include "model/stp.h"

#include "model/unit_factors.h"
#include "model/unit_names.h"
#include "platform/core/archive.h"

#include <cmath>

void STP::Copy(const STP& source) {
    *this = source;
}

bool STP::HasPhysicalPressure() const {
    return IsPressureUnit(pressureUnit) && std::isfinite(pressure) && pressure > 0.0;
}

bool STP::HasPhysicalTemperature() const {
    if (!IsTemperatureUnit(temperatureUnit) || !std::isfinite(temperature))
        return false;
    return AbsoluteTemperature(temperature, temperatureUnit) > 0.0;
}

void STP::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        // The temperature comes before the pressure in the record.
        ar << kVersion << std::int32_t{pressureUnit} << std::int32_t{temperatureUnit} << temperature
           << pressure;
        return;
    }
    std::int32_t version = 0, readPressureUnit = 0, readTemperatureUnit = 0;
    double readTemperature = 0.0, readPressure = 0.0;
    ar >> version >> readPressureUnit >> readTemperatureUnit >> readTemperature >> readPressure;
    if (!IsUnitIndex(PressureUnitNames, readPressureUnit) ||
        !IsUnitIndex(TemperatureUnitNames, readTemperatureUnit))
        throw ArchiveError("the standard conditions name an unknown unit");
    pressureUnit = readPressureUnit;
    temperatureUnit = readTemperatureUnit;
    temperature = readTemperature;
    pressure = readPressure;
}
