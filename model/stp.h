#pragma once

#include <cstdint>

class Archive;

// The user's standard temperature and pressure: the conditions new reagents start from and the ideal-gas
// calculator's "My STP". Units are indexes into PressureUnitNames and TemperatureUnitNames. Defaults: 1 atm
// and 0 C.
class STP {
public:
    static constexpr std::int32_t kVersion = 0x10000;
    // Bytes of the stored record: version, the two units, temperature, pressure.
    static constexpr int kRecordSize = 28;

    int pressureUnit = 0;
    int temperatureUnit = 0;
    double pressure = 1.0;
    double temperature = 0.0;
    // Set when the user changed the record; never stored.
    bool modified = false;

    // Copies all five fields, the modified flag included.
    void Copy(const STP& source);

    // Conditions a gas can be at: a known pressure unit and a pressure above zero, a known temperature unit
    // and a temperature above absolute zero, all finite.
    bool HasPhysicalPressure() const;
    bool HasPhysicalTemperature() const;
    bool IsPhysical() const { return HasPhysicalPressure() && HasPhysicalTemperature(); }

    // Stores or loads the 28-byte record. Loading ignores the version and leaves the modified flag alone;
    // a record that is short or names a unit outside its table throws ArchiveError and changes nothing.
    void Serialize(Archive& ar);
};
