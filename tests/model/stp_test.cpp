#include "model/stp.h"

#include "platform/core/archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(STP, DefaultsAreOneAtmosphereAndZeroCelsius) {
    const STP stp;
    EXPECT_EQ(stp.pressureUnit, 0);
    EXPECT_EQ(stp.temperatureUnit, 0);
    EXPECT_EQ(stp.pressure, 1.0);
    EXPECT_EQ(stp.temperature, 0.0);
    EXPECT_FALSE(stp.modified);
}

TEST(STP, RecordStoresTemperatureBeforePressure) {
    STP stp;
    stp.pressureUnit = 3;
    stp.temperatureUnit = 1;
    stp.pressure = 100.0;
    stp.temperature = 273.15;
    stp.modified = true;
    Archive out;
    stp.Serialize(out);
    const Bytes expected = {
        0x00, 0x00, 0x01, 0x00,                         // version 0x10000
        0x03, 0x00, 0x00, 0x00,                         // kPa
        0x01, 0x00, 0x00, 0x00,                         // K
        0x66, 0x66, 0x66, 0x66, 0x66, 0x12, 0x71, 0x40, // 273.15
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x59, 0x40, // 100.0
    };
    ASSERT_EQ(out.Bytes().size(), static_cast<std::size_t>(STP::kRecordSize));
    EXPECT_EQ(out.Bytes(), expected);

    // Loading ignores the version and leaves the modified flag as it was.
    Bytes bytes = expected;
    bytes[2] = 0x07;
    STP read;
    Archive in(bytes);
    read.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(read.pressureUnit, 3);
    EXPECT_EQ(read.temperatureUnit, 1);
    EXPECT_EQ(read.pressure, 100.0);
    EXPECT_EQ(read.temperature, 273.15);
    EXPECT_FALSE(read.modified);
}

TEST(STP, UnreadableRecordChangesNothing) {
    STP good;
    good.pressureUnit = 6;
    good.temperatureUnit = 2;
    Archive out;
    good.Serialize(out);
    const Bytes valid = out.Bytes();

    std::vector<Bytes> damaged = {Bytes(valid.begin(), valid.end() - 1), valid, valid, valid};
    damaged[1][4] = 7;     // no eighth pressure unit
    damaged[2][8] = 3;     // no fourth temperature unit
    damaged[3][11] = 0xFF; // negative temperature unit
    for (const Bytes& bytes : damaged) {
        STP stp;
        Archive in(bytes);
        EXPECT_THROW(stp.Serialize(in), ArchiveError);
        EXPECT_EQ(stp.pressureUnit, 0);
        EXPECT_EQ(stp.temperatureUnit, 0);
        EXPECT_EQ(stp.pressure, 1.0);
        EXPECT_EQ(stp.temperature, 0.0);
    }
}

TEST(STP, CopyTakesEveryFieldWithTheModifiedFlag) {
    STP source;
    source.pressureUnit = 2;
    source.temperatureUnit = 2;
    source.pressure = 101325.0;
    source.temperature = 77.0;
    source.modified = true;
    STP copy;
    copy.Copy(source);
    EXPECT_EQ(copy.pressureUnit, 2);
    EXPECT_EQ(copy.temperatureUnit, 2);
    EXPECT_EQ(copy.pressure, 101325.0);
    EXPECT_EQ(copy.temperature, 77.0);
    EXPECT_TRUE(copy.modified);
}

TEST(STP, OnlyConditionsAGasCanBeAtArePhysical) {
    struct Case {
        double p;
        int pressureUnit;
        double T;
        int temperatureUnit;
        bool pressureOk, temperatureOk;
    };
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {1.0, 0, 0.0, 0, true, true},      {100.0, 3, 25.0, 0, true, true},
        {-5.0, 0, 0.0, 0, false, true},    {0.0, 0, 0.0, 0, false, true},
        {nan, 0, 0.0, 0, false, true},     {inf, 0, 0.0, 0, false, true},
        {1.0, 0, -273.15, 0, true, false}, {1.0, 0, -300.0, 0, true, false},
        {1.0, 0, -272.0, 0, true, true},   {1.0, 0, 0.0, 1, true, false},
        {1.0, 0, 1.0, 1, true, true},      {1.0, 0, -459.67, 2, true, false},
        {1.0, 0, -400.0, 2, true, true},   {1.0, 0, nan, 0, true, false},
        {1.0, 7, 0.0, 0, false, true},     {1.0, 0, 0.0, 3, true, false},
    };
    for (const Case& c : cases) {
        STP stp;
        stp.pressure = c.p;
        stp.pressureUnit = c.pressureUnit;
        stp.temperature = c.T;
        stp.temperatureUnit = c.temperatureUnit;
        EXPECT_EQ(stp.HasPhysicalPressure(), c.pressureOk) << c.p << " in unit " << c.pressureUnit;
        EXPECT_EQ(stp.HasPhysicalTemperature(), c.temperatureOk) << c.T << " in unit " << c.temperatureUnit;
        EXPECT_EQ(stp.IsPhysical(), c.pressureOk && c.temperatureOk);
    }
}

} // namespace
