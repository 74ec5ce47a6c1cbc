#include "model/unit_factors.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(UnitFactors, PressureKeepsItsMeaningAcrossUnits) {
    EXPECT_DOUBLE_EQ(ConvertPressure(1.0, 0, 3), 101.325);
    EXPECT_DOUBLE_EQ(ConvertPressure(101.325, 3, 1), 760.0);
    EXPECT_DOUBLE_EQ(ConvertPressure(1.0, 0, 2), 101325.0);
    EXPECT_EQ(ConvertPressure(ConvertPressure(1.0, 0, 2), 2, 0), 1.0);
    EXPECT_DOUBLE_EQ(ConvertPressure(1.0, 0, 6), 14.6959);
    EXPECT_THROW(ConvertPressure(1.0, 7, 0), std::out_of_range);
    EXPECT_THROW(ConvertPressure(1.0, 0, -1), std::out_of_range);
}

TEST(UnitFactors, TemperatureBetweenCelsiusKelvinAndFahrenheit) {
    struct Case {
        double value;
        int from, to;
        double expected;
    };
    const Case cases[] = {
        {25.0, 0, 1, 298.15}, {25.0, 0, 2, 77.0},   {298.15, 1, 0, 25.0},
        {77.0, 2, 0, 25.0},   {77.0, 2, 1, 298.15}, {298.15, 1, 2, 77.0},
        {-40.0, 0, 2, -40.0}, {0.0, 1, 0, -273.15}, {12.5, 1, 1, 12.5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ConvertTemperature(c.value, c.from, c.to), c.expected, 1e-9)
            << c.value << " from " << c.from << " to " << c.to;
    EXPECT_THROW(ConvertTemperature(1.0, 3, 0), std::out_of_range);
    EXPECT_FALSE(IsTemperatureUnit(3));
    EXPECT_FALSE(IsPressureUnit(-1));
    EXPECT_TRUE(IsPressureUnit(6));
}

} // namespace
