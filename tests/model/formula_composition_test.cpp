#include "model/chemical_formula.h"

#include "model/composition_vector.h"
#include "model/element_table.h"
#include "support/named_rows.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

class FormulaComposition : public ::testing::Test {
protected:
    // The composition of symbols and counts, the charge in slot 0.
    CompositionVector Expected(const std::vector<std::pair<const char*, int>>& atoms, int charge = 0) {
        CompositionVector v;
        for (const auto& [symbol, count] : atoms) {
            const int row = host.GetElementTable().Find(symbol);
            EXPECT_GT(row, 0) << symbol;
            v.Set(row, v[row] + count);
        }
        v.Set(0, charge);
        return v;
    }

    double Mass(const char* symbol) {
        const ElementTable& table = host.GetElementTable();
        return table[table.Find(symbol)].GetMolarMass();
    }

    ScopedTestModelHost host;
};

struct CompositionCase {
    const char* text;
    std::vector<std::pair<const char*, int>> atoms;
    int charge;
};

TEST_F(FormulaComposition, FormulasThatParse) {
    const std::vector<CompositionCase> cases = {
        {"H2O", {{"H", 2}, {"O", 1}}, 0},
        {"Ca(OH)2", {{"Ca", 1}, {"O", 2}, {"H", 2}}, 0},
        {"(NH4)2SO4", {{"N", 2}, {"H", 8}, {"S", 1}, {"O", 4}}, 0},
        {"K4[Fe(CN)6]", {{"K", 4}, {"Fe", 1}, {"C", 6}, {"N", 6}}, 0},
        {"CuSO4&5H2O", {{"Cu", 1}, {"S", 1}, {"O", 9}, {"H", 10}}, 0},
        {"CuSO4,5H2O", {{"Cu", 1}, {"S", 1}, {"O", 9}, {"H", 10}}, 0},
        {"CuSO4\xB7"
         "5H2O",
         {{"Cu", 1}, {"S", 1}, {"O", 9}, {"H", 10}},
         0},
        {"CuSO_4&5H_2O", {{"Cu", 1}, {"S", 1}, {"O", 9}, {"H", 10}}, 0},
        {"SO_4^{2-}", {{"S", 1}, {"O", 4}}, -2},
        {"Fe^3+", {{"Fe", 1}}, 3},
        {"NH_4^+", {{"N", 1}, {"H", 4}}, 1},
        {"e^-", {}, -1},
        {"2H2O", {{"H", 2}, {"O", 1}}, 0},
        {"1.5H2O", {{"H", 2}, {"O", 1}}, 0},
        {"H2O(g)", {{"H", 2}, {"O", 1}}, 0},
        {"NaCl(s)", {{"Na", 1}, {"Cl", 1}}, 0},
        {"NaCl[s)", {{"Na", 1}, {"Cl", 1}}, 0},
        {"H2O)NaCl", {{"H", 2}, {"O", 1}}, 0},
        {"", {}, 0},
        {"2", {}, 0},
        // Longest symbol first, case-sensitive.
        {"Co", {{"Co", 1}}, 0},
        {"CO", {{"C", 1}, {"O", 1}}, 0},
        // A count after a hydrate separator multiplies the hydrate part, braced or not, and one after a
        // bracket the bracket's group.
        {"CuSO4&{5}H2O", {{"Cu", 1}, {"S", 1}, {"O", 9}, {"H", 10}}, 0},
        {"CuSO4&_{5}H2O", {{"Cu", 1}, {"S", 1}, {"O", 9}, {"H", 10}}, 0},
        {"CuSO4&5(H2O)", {{"Cu", 1}, {"S", 1}, {"O", 9}, {"H", 10}}, 0},
        {"CuSO4&(H2O)5", {{"Cu", 1}, {"S", 1}, {"O", 9}, {"H", 10}}, 0},
        {"Fe4[Fe(CN)6]3&14H2O", {{"Fe", 7}, {"C", 18}, {"N", 18}, {"H", 28}, {"O", 14}}, 0},
        {"((CH3)3C)2O", {{"C", 8}, {"H", 18}, {"O", 1}}, 0},
        // A hydrate inside brackets ends at the bracket, so the count after it takes the hydrate part only.
        {"(CuSO4&5H2O)2", {{"Cu", 1}, {"S", 1}, {"O", 14}, {"H", 20}}, 0},
        // A count after a charge multiplies the charge only.
        {"Fe^{3+}2", {{"Fe", 1}}, 6},
        {"Fe^-2", {{"Fe", 1}}, -2},
        {"Fe^2-", {{"Fe", 1}}, -2},
        {"Fe^{2-}", {{"Fe", 1}}, -2},
        {"Fe^+", {{"Fe", 1}}, 1},
        // A charge mark at the end carries nothing.
        {"Fe^", {{"Fe", 1}}, 0},
        {"Fe^{", {{"Fe", 1}}, 0},
        {"CuSO4&", {{"Cu", 1}, {"S", 1}, {"O", 4}}, 0},
        {"H2147483647", {{"H", 2147483647}}, 0},
    };
    for (const CompositionCase& c : cases) {
        SCOPED_TRACE(c.text);
        const ChemicalFormula formula(c.text);
        EXPECT_EQ(formula.GetComposition(), Expected(c.atoms, c.charge));
        EXPECT_FALSE(formula.HasParseError());
    }
}

TEST_F(FormulaComposition, FormulasThatDoNotParse) {
    const std::string deepGroups = "H" + [] {
        std::string s;
        for (int i = 0; i < 32; ++i)
            s += "(H";
        return s + std::string(32, ')');
    }();
    const std::vector<std::string> cases = {
        "NaCl(aq)",
        "NaCl(a)",
        "Xy",
        " H2O",
        "?H2O",
        "H2O x",
        // "." is no hydrate separator, and a count has no fraction.
        "CuSO4.5H2O",
        "H1.9O",
        "H2.",
        "CuSO4&0.5H2O",
        "Fe^2.5+",
        // A charge mark needs a number or a sign.
        "Fe^Cl",
        "Fe^{Cl}",
        "Fe^{}",
        "Fe^.",
        // A count with nothing of its own group to multiply: a mass number, a count opening a group, after
        // an empty group or a phase label, and a hydrate count with nothing after it.
        "_{12}C",
        "(2H2O)",
        "Na(2H2O)",
        "K3[2Fe(CN)6]",
        "Fe(2)",
        "H()2",
        "H2O(g)2",
        "CuSO4&(5H2O)",
        "CuSO4&5(s)",
        "(H2O&2)",
        "H2O&2",
        "&12)",
        // Counts beyond an int, directly or by multiplying and adding.
        "H2147483648",
        "(H2147483647)2",
        "H2147483647H",
        "(H65536)65536",
        // More levels than the stack has, or groups nested deeper than it.
        deepGroups,
        std::string(33, '(') + "H",
        std::string(100000, '(') + "H",
        std::string(100000, '&') + "H",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        const ChemicalFormula formula(text);
        EXPECT_EQ(formula.GetComposition(), CompositionVector());
        EXPECT_TRUE(formula.HasParseError());
        EXPECT_EQ(formula.GetMolarMass(), 0.0);
    }
}

// Generated texts of the notation's pieces. A count multiplies something of its own group, so whatever
// stands before a bracket or a hydrate separator is read the same with or without what follows it:
// P(G) is P and (G), P&G is P and &G, and both parse or neither does. No formula that parses holds an
// element whose symbol the text does not name (a count left multiplying nothing counts every element).
TEST_F(FormulaComposition, ACountMultipliesOnlyItsOwnGroup) {
    const std::vector<std::string> pieces = {"H",   "O", "C", "S", "Cu", "Fe", "e", "2",    "5",
                                             "12",  "(", ")", "[", "]",  "&",  ",", "\xB7", "(g)",
                                             "(s)", "{", "}", "_", "^",  "+",  "-"};
    const ElementTable& table = host.GetElementTable();
    std::mt19937 random(29);
    for (int i = 0; i < 4000; ++i) {
        std::string group;
        for (int k = std::uniform_int_distribution<int>(0, 7)(random); k > 0; --k)
            group += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        for (const std::string& part : {"(" + group + ")", "&" + group}) {
            const ChemicalFormula alone(part);
            const CompositionVector partComposition = alone.GetComposition();
            ASSERT_TRUE(alone.HasParseError() || NamesEveryRowItCounts(part, partComposition, table)) << part;
            for (const char* before : {"Na", "CuSO4"}) {
                const ChemicalFormula whole(before + part);
                const CompositionVector composition = whole.GetComposition();
                ASSERT_EQ(whole.HasParseError(), alone.HasParseError()) << before + part;
                if (!whole.HasParseError()) {
                    ASSERT_EQ(composition, CompositionVector::Sum(ChemicalFormula(before).GetComposition(),
                                                                  partComposition))
                        << before + part;
                }
            }
        }
    }
}

TEST_F(FormulaComposition, TheStackAndNestingBoundsStillLeaveRoomForRealFormulas) {
    std::string groups = "H";
    for (int i = 0; i < 31; ++i)
        groups += "(H";
    groups += std::string(31, ')');
    const ChemicalFormula fullStack(groups);
    EXPECT_EQ(fullStack.GetComposition(), Expected({{"H", 32}}));
    EXPECT_FALSE(fullStack.HasParseError());

    const ChemicalFormula nested(std::string(32, '(') + "H" + std::string(32, ')'));
    EXPECT_EQ(nested.GetComposition(), Expected({{"H", 1}}));
    EXPECT_FALSE(nested.HasParseError());
}

TEST_F(FormulaComposition, ParseNumber) {
    struct Case {
        const char* text;
        double value;
        int length;
    };
    const std::vector<Case> cases = {
        {"12.5x", 12.5, 4}, {"7", 7.0, 1}, {"3.", 3.0, 2}, {"0.25.5", 0.25, 4}, {"+2", 1.0, 1},
        {"-", -1.0, 1},     {"x", 0.0, 0}, {"", 0.0, 0},   {".5", 0.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int length = -1;
        EXPECT_EQ(ChemicalFormula::ParseNumber(c.text, length), c.value);
        EXPECT_EQ(length, c.length);
    }
    int length = 0;
    EXPECT_EQ(ChemicalFormula::ParseNumber(std::string(400, '9'), length), HUGE_VAL);
    EXPECT_EQ(length, 400);
}

TEST_F(FormulaComposition, MolarMass) {
    const double water = 2 * Mass("H") + Mass("O");
    const double salt = Mass("Na") + Mass("Cl");
    EXPECT_DOUBLE_EQ(ChemicalFormula("H2O").GetMolarMass(), water);
    EXPECT_DOUBLE_EQ(ChemicalFormula("2NaCl").GetMolarMass(), salt);
    EXPECT_DOUBLE_EQ(ChemicalFormula("SO_4^{2-}").GetMolarMass(), Mass("S") + 4 * Mass("O"));
    EXPECT_DOUBLE_EQ(ChemicalFormula("e^-").GetMolarMass(), 0.0);
    EXPECT_EQ(ChemicalFormula("").GetMolarMass(), 0.0);
}

TEST_F(FormulaComposition, MixtureMolarMass) {
    const double water = 2 * Mass("H") + Mass("O");
    const double salt = Mass("Na") + Mass("Cl");
    struct Case {
        const char* text;
        double mass;
    };
    const std::vector<Case> cases = {
        {"NaCl,2H2O", salt + 2 * water},
        {"2NaCl", 2 * salt},
        {"NaCl,0H2O", salt + water},
        // The rest ".5H2O" does not parse and adds nothing.
        {"NaCl,0.5H2O", salt},
        {"NaCl,Xy,H2O", salt + water},
        {",,NaCl,", salt},
        {"NaCl, 2H2O", salt},
        {"", 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ChemicalFormula formula(c.text);
        EXPECT_DOUBLE_EQ(formula.GetMixtureMolarMass(), c.mass);
        EXPECT_FALSE(formula.HasParseError());
    }
}

TEST_F(FormulaComposition, ParseErrorStaysUntilTheTextIsSetAgain) {
    ChemicalFormula formula("Xy2");
    EXPECT_EQ(formula.GetMolarMass(), 0.0);
    ASSERT_EQ(host.GetElementTable().AddElement("Xy", "", "", 10.0, 1), ElementTable::kFirstMoietyRow);

    // The table now knows the moiety, but the formula keeps its error until it is set again.
    const CompositionVector composition = formula.GetComposition();
    EXPECT_EQ(composition[ElementTable::kFirstMoietyRow], 2);
    EXPECT_TRUE(formula.HasParseError());
    EXPECT_EQ(formula.GetMolarMass(), 0.0);

    formula.SetText("Xy2");
    EXPECT_DOUBLE_EQ(formula.GetMolarMass(), 20.0);
    EXPECT_EQ(ChemicalFormula("Na3Xy").GetComposition(), Expected({{"Na", 3}, {"Xy", 1}}));
}

TEST_F(FormulaComposition, Phase) {
    struct Case {
        const char* text;
        int phase;
    };
    const std::vector<Case> cases = {
        {"NaCl(s)", ChemicalFormula::kPhaseSolid}, {"NaCl(a)", ChemicalFormula::kPhaseAqueous},
        {"H2O(g)", ChemicalFormula::kPhaseGas},    {"NaCl", ChemicalFormula::kPhaseNone},
        {"", ChemicalFormula::kPhaseNone},         {"X(a)(g)(s)", ChemicalFormula::kPhaseSolid},
        {"X(a)(g)", ChemicalFormula::kPhaseGas},   {"NaCl(aq)", ChemicalFormula::kPhaseNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ChemicalFormula(c.text).GetPhase(), c.phase);
    }
    const ChemicalFormula aqueous("NaCl(a)");
    aqueous.GetComposition();
    EXPECT_TRUE(aqueous.HasParseError());
}

} // namespace
