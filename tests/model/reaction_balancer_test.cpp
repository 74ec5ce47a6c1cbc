#include "model/reaction_balancer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Compositions written by hand: index 0 charge, 1 H, 2 O, 3 Fe, 4 Ag, 5 Cl, 6 C.
std::string Symbol(int row) {
    static const char* const symbols[] = {"e", "H", "O", "Fe", "Ag", "Cl", "C"};
    return symbols[row];
}

std::vector<int> V(std::initializer_list<std::pair<int, int>> entries) {
    std::vector<int> v(8, 0);
    for (auto [row, count] : entries)
        v[row] = count;
    return v;
}

struct Case {
    const char* name;
    std::vector<std::vector<int>> packed;
    int reactants;
    std::vector<int> expected; // empty when a message is expected
    std::string message;
};

TEST(BalanceCompositions, CoefficientsAndMessages) {
    const std::vector<int> H2 = V({{1, 2}}), O2 = V({{2, 2}}), H2O = V({{1, 2}, {2, 1}}),
                           H2O2 = V({{1, 2}, {2, 2}});
    const Case cases[] = {
        {"water", {H2, O2, H2O}, 2, {2, 1, 2}, ""},
        {"iron reduction", {V({{3, 1}, {0, 3}}), V({{0, -1}}), V({{3, 1}, {0, 2}})}, 2, {1, 1, 1}, ""},
        {"one sided", {H2, H2O}, 1, {}, "Can't balance - O only on one side of the equation."},
        {"negative", {H2O2, O2, H2O}, 2, {}, "Can't balance without negative coefficients."},
        {"too many", {H2, O2, H2O2, H2O}, 3, {}, "Can't balance - too many substances."},
        {"empty reactant", {V({}), O2, H2O}, 2, {}, "Can't balance - empty reactant or error in formula."},
        {"empty product", {H2, O2, V({})}, 2, {}, "Can't balance - empty product or error in formula."},
        {"cancelling charges",
         {V({{4, 1}, {0, 1}}), V({{5, 1}, {0, -1}}), V({{4, 1}, {5, 1}})},
         2,
         {1, 1, 1},
         ""},
        {"charge only, conserved", {V({{0, -1}}), V({{0, -1}})}, 1, {1, 1}, ""},
        {"charge only, not conserved",
         {V({{0, -1}}), V({{0, 1}})},
         1,
         {},
         "Can't balance without negative coefficients."},
        {"infinitely many",
         {V({{1, 1}, {2, 1}}), H2O2, V({{1, 3}, {2, 3}})},
         2,
         {},
         "Can't balance - singular matrix."},
        {"inconsistent",
         {V({{1, 1}, {2, 1}}), V({{1, 1}, {2, 2}})},
         1,
         {},
         "Can't balance - inconsistent system of equations."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.message.empty()) {
            EXPECT_EQ(BalanceCompositions(c.packed, c.reactants, Symbol), c.expected);
        } else {
            try {
                BalanceCompositions(c.packed, c.reactants, Symbol);
                ADD_FAILURE() << "balanced";
            } catch (const ReactionBalancingError& e) {
                EXPECT_EQ(e.what(), c.message);
            }
        }
    }
}

TEST(BalanceCompositions, CoefficientsBeyondAnIntAreRefused) {
    // x C_p + y H_q = z C_q H_p needs x = q^2, above 2^31 for these p and q.
    const std::vector<std::vector<int>> packed = {V({{6, 50021}}), V({{1, 50023}}),
                                                  V({{6, 50023}, {1, 50021}})};
    try {
        BalanceCompositions(packed, 2, Symbol);
        ADD_FAILURE() << "balanced";
    } catch (const ReactionBalancingError& e) {
        EXPECT_STREQ(e.what(), "Can't balance - numbers too large.");
    }
    // Just below the limit: q^2 = 46337^2 < 2^31.
    const std::vector<std::vector<int>> fits = {V({{6, 46327}}), V({{1, 46337}}),
                                                V({{6, 46337}, {1, 46327}})};
    EXPECT_EQ(BalanceCompositions(fits, 2, Symbol),
              (std::vector<int>{46337 * 46337, 46327 * 46327, 46327 * 46337}));
}

TEST(BalanceCompositions, IntermediatesBeyond64BitsStillGiveTheExactSmallAnswer) {
    // Eight reactants with element counts up to 2000 and one product: the elimination's fractions grow to
    // about 140 bits before they collapse to the coefficients 1 2 3 1 2 3 1 3 1.
    const int counts[8][9] = {
        {1564, 896, 1923, 1015, 1132, 477, 707, 472, 15958},
        {448, 1558, 941, 1950, 593, 1897, 44, 852, 17814},
        {1876, 1139, 1888, 1315, 204, 380, 1288, 1482, 18415},
        {607, 247, 1521, 681, 1834, 1477, 1993, 1456, 20805},
        {1917, 1980, 864, 1039, 1699, 1864, 1372, 388, 21034},
        {581, 1203, 1993, 1807, 1022, 1733, 1926, 1034, 23044},
        {1206, 1747, 70, 983, 497, 1523, 1633, 827, 15570},
        {1361, 354, 751, 1123, 1807, 1439, 1588, 1381, 19107},
    };
    std::vector<std::vector<int>> packed(9, std::vector<int>(9, 0));
    for (int element = 0; element < 8; ++element)
        for (int substance = 0; substance < 9; ++substance)
            packed[substance][element + 1] = counts[element][substance];
    auto symbol = [](int row) { return "X" + std::to_string(row); };
    EXPECT_EQ(BalanceCompositions(packed, 8, symbol), (std::vector<int>{1, 2, 3, 1, 2, 3, 1, 3, 1}));
}

} // namespace
