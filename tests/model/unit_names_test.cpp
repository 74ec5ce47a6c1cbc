#include "model/unit_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TableCase {
    const char* name;
    UnitNameTable table;
    std::vector<std::string_view> names;
};

TEST(UnitNames, TablesHoldTheirNamesInCodeOrder) {
    const std::vector<TableCase> cases = {
        {"concentration", ConcentrationUnitNames, {"mol/L", "mmol/L", "mmol/mL"}},
        {"volume", VolumeUnitNames, {"L", "mL"}},
        {"pressure", PressureUnitNames, {"atm", "mmHg/torr", "Pa", "kPa", "bar", "mbar", "psi"}},
        {"temperature", TemperatureUnitNames, {"C", "K", "F"}},
        {"gas volume", GasVolumeUnitNames, {"L", "mL", "m3", "ft3"}},
        {"mass", MassUnitNames, {"g", "mg", "mol", "mmol", "???"}},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.table.size(), c.names.size());
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            const int code = static_cast<int>(i);
            EXPECT_EQ(UnitName(c.table, code), c.names[i]);
            EXPECT_EQ(UnitIndex(c.table, c.names[i]), code);
        }
        // A damaged file may hold any code: no name, never a read past the table.
        EXPECT_EQ(UnitName(c.table, -1), "");
        EXPECT_EQ(UnitName(c.table, static_cast<int>(c.names.size())), "");
        EXPECT_FALSE(IsUnitIndex(c.table, static_cast<int>(c.names.size())));
    }
}

struct LookupCase {
    UnitNameTable table;
    const char* text;
    int code;
};

TEST(UnitNames, SelectedTextMapsBackToItsCodeInItsOwnTable) {
    const std::vector<LookupCase> cases = {
        {ConcentrationUnitNames, "mmol/mL", 2},
        {GasVolumeUnitNames, "ft3", 3},
        {PressureUnitNames, "psi", 6},
        {VolumeUnitNames, "mL", 1},
        {GasVolumeUnitNames, "mL", 1},
        // Case-sensitive, exact, and bounded by the table the list belongs to.
        {PressureUnitNames, "ATM", -1},
        {PressureUnitNames, "atm ", -1},
        {TemperatureUnitNames, "c", -1},
        {VolumeUnitNames, "m3", -1},
        {MassUnitNames, "", -1},
    };
    for (const LookupCase& c : cases)
        EXPECT_EQ(UnitIndex(c.table, c.text), c.code) << c.text;
}

} // namespace
