// The arithmetic of the gas and the solution calculators: what follows from what the user gave, and which
// input makes a result impossible.
#include "model/ideal_gas.h"
#include "model/solution.h"
#include "model/unit_factors.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

using ideal_gas::Given;
using GasProblem = ideal_gas::Problem;

// nullopt: not possible (shown as "???").
void ExpectValue(double actual, std::optional<double> expected, const char* what) {
    if (expected)
        EXPECT_NEAR(actual, *expected, 1e-9 * std::max(1.0, std::fabs(*expected))) << what;
    else
        EXPECT_TRUE(std::isnan(actual)) << what << " is " << actual;
}

TEST(IdealGas, QuantitiesFromWhatWasGivenOrWhyNot) {
    struct Case {
        double p, T;
        int temperatureUnit;
        ideal_gas::Quantities given;
        Given what;
        std::optional<double> n, mass, V;
        GasProblem problem;
    };
    const std::optional<double> no;
    const Case cases[] = {
        {1, 0, 0, {0, 1, 0, 0}, Given::Moles, 1.0, 0.0, 22.414, GasProblem::None},
        {1, 0, 0, {32, 0, 16, 0}, Given::Mass, 0.5, 16.0, 11.207, GasProblem::None},
        {1, 0, 0, {32, 0, 0, 11.207}, Given::Volume, 0.5, 16.0, 11.207, GasProblem::None},
        {1, 32, 2, {0, 1, 0, 0}, Given::Conditions, 1.0, 0.0, 22.414, GasProblem::None},
        // A pressure of 0 used to keep the volume of 1 atm.
        {0, 0, 0, {0, 1, 0, 22.414}, Given::Conditions, 1.0, 0.0, no, GasProblem::Pressure},
        {-1, 0, 0, {0, 1, 0, 22.414}, Given::Conditions, 1.0, 0.0, no, GasProblem::Pressure},
        // Absolute zero with V 10 used to keep n 1; below it V came out negative.
        {1, -273.15, 0, {32, 1, 32, 10}, Given::Volume, no, no, 10.0, GasProblem::Temperature},
        {1, -500, 0, {0, 1, 0, 0}, Given::Conditions, 1.0, 0.0, no, GasProblem::Temperature},
        {1, 0, 1, {0, 1, 0, 0}, Given::Conditions, 1.0, 0.0, no, GasProblem::Temperature},
        // A negative amount gave V -22.414.
        {1, 0, 0, {32, -1, 0, 0}, Given::Moles, -1.0, no, no, GasProblem::Amount},
        {1, 0, 0, {32, 0, -16, 0}, Given::Mass, no, -16.0, no, GasProblem::Mass},
        {1, 0, 0, {32, 0, 0, -5}, Given::Volume, no, no, -5.0, GasProblem::Volume},
        {1, 0, 0, {-32, 1, 0, 0}, Given::Moles, 1.0, no, 22.414, GasProblem::MolarMass},
        // The conditions are looked at first.
        {0, -500, 0, {0, -1, 0, 0}, Given::Moles, -1.0, 0.0, no, GasProblem::Pressure},
        {1e-300,
         0,
         0,
         {0, 1e300, 0, 0},
         Given::Moles,
         1e300,
         0.0,
         std::numeric_limits<double>::infinity(),
         GasProblem::Overflow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "p " << c.p << ", T " << c.T << " unit " << c.temperatureUnit
                                        << ", given " << static_cast<int>(c.what));
        ideal_gas::Quantities q = c.given;
        const GasProblem problem = ideal_gas::Recompute({c.p, 0, c.T, c.temperatureUnit, 0}, q, c.what);
        EXPECT_EQ(problem, c.problem);
        if (c.problem == GasProblem::Overflow) {
            EXPECT_TRUE(std::isinf(q.V));
            continue;
        }
        ExpectValue(q.n, c.n, "n");
        ExpectValue(q.mass, c.mass, "mass");
        ExpectValue(q.V, c.V, "V");
    }
}

TEST(IdealGas, GasConstantInTheChosenUnits) {
    EXPECT_NEAR(GasConstant(0, 0, 0), 0.082057, 1e-6);
    EXPECT_NEAR(GasConstant(0, 3, 0), 8.3145, 1e-4);
    EXPECT_NEAR(GasConstant(0, 0, 2), 0.045587, 1e-6);
    EXPECT_DOUBLE_EQ(ConvertGasVolume(22.414, 0, 1), 22414.0);
    EXPECT_DOUBLE_EQ(AbsoluteTemperature(77.0, 2), 536.67);
    EXPECT_THROW(GasConstant(4, 0, 0), std::out_of_range);
}

struct SolutionCase {
    const char* what;
    solution::Values values;
    solution::Given given;
    int mode;
    std::optional<double> mass, n, V, C;
    solution::Problem problem;
};

CEditableDouble Counted(double value, int digits = 0) {
    return {value, digits};
}

TEST(Solution, QuantitiesFromWhatWasGivenOrWhyNot) {
    ScopedTestModelHost host;
    using solution::Given;
    using solution::Problem;
    const std::optional<double> no;
    auto V = [](double mL, double C, double n = 0, double mass = 0, double M = 100) {
        return solution::Values{Counted(M), Counted(mass), Counted(n), Counted(mL), Counted(C), 1, 0};
    };
    const SolutionCase cases[] = {
        {"C typed after a refused mass", V(250, 2, 0.025, 2.5), Given::Concentration, solution::kBeSmart,
         50.0, 0.5, 250.0, 2.0, Problem::None},
        {"V -250", V(-250, 0.1), Given::Volume, solution::kBeSmart, no, no, -250.0, 0.1, Problem::Volume},
        {"V 100 again", V(100, 0.1), Given::Volume, solution::kBeSmart, 1.0, 0.01, 100.0, 0.1, Problem::None},
        {"a heavy reagent", V(1000, 0.001, 0, 0, 14027), Given::Concentration, solution::kBeSmart, 14.027,
         0.001, 1000.0, 0.001, Problem::None},
        {"n from mass, C constant", V(0, 0.1, 0, 5), Given::Mass, solution::kConcentrationConst, 5.0, 0.05,
         500.0, 0.1, Problem::None},
        {"negative mass", V(250, 0.1, 0, -5), Given::Mass, solution::kBeSmart, -5.0, no, 250.0, no,
         Problem::Mass},
        {"negative C, amount constant", V(250, -1, 0.5), Given::Concentration, solution::kAmountConst, 0.0,
         0.5, no, -1.0, Problem::Concentration},
        {"V 0 divides nothing", V(0, 0.1, 0.5, 50), Given::Moles, solution::kBeSmart, 50.0, 0.5, 0.0, 0.1,
         Problem::None},
    };
    for (const SolutionCase& c : cases) {
        SCOPED_TRACE(c.what);
        solution::Values values = c.values;
        EXPECT_EQ(solution::Recompute(values, c.given, c.mode), c.problem);
        ExpectValue(values.mass.value, c.mass, "mass");
        ExpectValue(values.n.value, c.n, "n");
        ExpectValue(values.V.value, c.V, "V");
        ExpectValue(values.C.value, c.C, "C");
        EXPECT_EQ(solution::FindProblem(values) == Problem::None, c.problem == Problem::None);
    }
}

TEST(Solution, UnitChangesKeepTheDigitsTyped) {
    // 0.1 mol/L typed: one digit, however often the unit changes.
    const CEditableDouble millimolar = ConvertConcentration(Counted(0.1, 1), 0, 1);
    EXPECT_DOUBLE_EQ(millimolar.value, 100.0);
    EXPECT_EQ(millimolar.digits, 1);
    const CEditableDouble perMillilitre = ConvertConcentration(millimolar, 1, 2);
    EXPECT_DOUBLE_EQ(perMillilitre.value, 0.1);
    EXPECT_EQ(perMillilitre.digits, 1);
    const CEditableDouble litres = ConvertSolutionVolume(Counted(250, 2), 1, 0);
    EXPECT_DOUBLE_EQ(litres.value, 0.25);
    EXPECT_EQ(litres.digits, 2);
    EXPECT_THROW(ConvertConcentration(Counted(1), 0, 3), std::out_of_range);
}

} // namespace
