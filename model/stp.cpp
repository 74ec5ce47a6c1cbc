#include "model/stp.h"

#include "model/unit_names.h"
#include "platform/core/archive.h"

void STP::Copy(const STP& source) {
    *this = source;
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
