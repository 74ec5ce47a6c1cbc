#include "model/element_table.h"
#include "model/moiety_rules.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using moiety_rules::Fault;

ElementTable TableWith(std::initializer_list<std::pair<const char*, const char*>> moieties) {
    ElementTable table;
    table.BuildDefault();
    for (const auto& [symbol, composition] : moieties)
        table.AddElement(symbol, composition, "", 100.0, 1);
    return table;
}

TEST(MoietyRules, AMolarMassIsAPositiveFiniteNumber) {
    for (double mass : {189.1, 1e-9, 1e300})
        EXPECT_TRUE(moiety_rules::IsValidMolarMass(mass)) << mass;
    for (double mass :
         {0.0, -5.0, -0.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(moiety_rules::IsValidMolarMass(mass)) << mass;
}

TEST(MoietyRules, ACompositionMayNotLeadBackToItsMoiety) {
    ScopedTestModelHost host;
    struct Case {
        const char* what;
        ElementTable table;
        int row; // -1: added
        const char* symbol;
        const char* composition;
        bool namesItself;
    };
    const Case cases[] = {
        {"elements only", TableWith({}), -1, "Cit", "C6H5O7", false},
        {"its own symbol alone is no composition", TableWith({}), -1, "Cit", "Cit", false},
        {"itself, changed", TableWith({{"Cit", "C6H5O7"}}), 104, "Cit", "Cit2", true},
        {"itself in a hydrate", TableWith({{"Cit", "C6H5O7"}}), 104, "Cit", "C6H5O7&Cit", true},
        {"through a moiety that names the new one", TableWith({{"Bb", "Aa"}}), -1, "Aa", "Bb", true},
        {"through two others", TableWith({{"Bb", "Cc"}, {"Cc", "Aa2"}}), -1, "Aa", "HBb", true},
        {"another moiety's cycle is not this one's", TableWith({{"Bb", "Cc"}, {"Cc", "Bb"}}), -1, "Aa", "Bb",
         false},
        {"renamed into a cycle", TableWith({{"Bb", "Xx"}, {"Aa", "Bb"}}), 105, "Xx", "Bb", true},
        {"a symbol the table refuses", TableWith({{"Bb", "Aa"}}), -1, "Fe", "Bb", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(moiety_rules::WouldNameItself(c.table, c.row, c.symbol, c.composition), c.namesItself)
            << c.what;
}

TEST(MoietyRules, StoredRowsAreJudgedAsTheyStand) {
    ScopedTestModelHost host;
    ElementTable table = TableWith({{"Cit", "C6H5O7"}, {"Aa", "Bb"}, {"Bb", "Aa"}});
    table.AddElement("Neg", "", "", -5.0, 0);
    EXPECT_EQ(moiety_rules::FaultOf(table, 104), Fault::None);
    EXPECT_EQ(moiety_rules::FaultOf(table, 105), Fault::NamesItself);
    EXPECT_EQ(moiety_rules::FaultOf(table, 106), Fault::NamesItself);
    EXPECT_EQ(moiety_rules::FaultOf(table, 107), Fault::MolarMass);
    EXPECT_EQ(moiety_rules::FaultOf(table, 6), Fault::None) << "built-in rows are not judged";
}

} // namespace
