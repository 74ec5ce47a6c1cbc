#include "model/reaction_balancer.h"
#include "support/random_reaction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include <string>
#include <vector>

namespace {

// Compositions written by hand: index 0 charge, 1 H, 2 O, 3 Fe, 4 Ag, 5 Cl, 6 C; generated ones go beyond.
std::string Symbol(int row) {
    static const char* const symbols[] = {"e", "H", "O", "Fe", "Ag", "Cl", "C"};
    return row < 7 ? symbols[row] : "X" + std::to_string(row);
}

std::vector<int> V(std::initializer_list<std::pair<int, int>> entries) {
    std::vector<int> v(8, 0);
    for (auto [row, count] : entries)
        v[row] = count;
    return v;
}

std::string Outcome(const std::vector<std::vector<int>>& packed, int reactants,
                    BalanceArithmetic arithmetic) {
    try {
        std::string text;
        for (int c : BalanceCompositions(packed, reactants, Symbol, arithmetic))
            text += std::to_string(c) + " ";
        return text;
    } catch (const ReactionBalancingError& e) {
        return e.what();
    }
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
        EXPECT_EQ(Outcome(c.packed, c.reactants, BalanceArithmetic::FractionFree),
                  Outcome(c.packed, c.reactants, BalanceArithmetic::Automatic));
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

TEST(BalanceCompositions, LargeReactionsGiveTheSameAnswerOnEveryPath) {
    std::mt19937 random(15);
    for (int n : {13, 40, 80, 120, 252}) {
        SCOPED_TRACE(n);
        RandomReaction reaction = MakeRandomReaction(n, random);
        auto& packed = reaction.packed;
        std::string expected;
        for (int c : reaction.coefficients)
            expected += std::to_string(c) + " ";
        EXPECT_EQ(Outcome(packed, reaction.reactants, BalanceArithmetic::Automatic), expected);
        // Beyond 120 substances the fraction-free elimination would take too long and refuses.
        if (n > 120)
            continue;
        EXPECT_EQ(Outcome(packed, reaction.reactants, BalanceArithmetic::FractionFree), expected);

        // A rank deficit (two equal products), a system with no solution (one more element, whose counts the
        // coefficients do not conserve) and one count changed, as a keystroke does, which gives a solution
        // too large or with mixed signs: every path answers as the fractions do.
        auto twin = packed;
        twin.back() = twin[twin.size() - 2];
        auto broken = packed;
        for (auto& composition : broken)
            composition.push_back(0);
        broken.front().back() = 1;
        broken.back().back() = reaction.coefficients.front() + 1;
        auto bumped = packed;
        bumped.back()[1] += 1;
        for (const auto* variant : {&twin, &broken, &bumped}) {
            const std::string exact = Outcome(*variant, reaction.reactants, BalanceArithmetic::FractionFree);
            EXPECT_EQ(Outcome(*variant, reaction.reactants, BalanceArithmetic::Automatic), exact);
            EXPECT_EQ(Outcome(*variant, reaction.reactants, BalanceArithmetic::SparseExact), exact);
        }
        EXPECT_EQ(Outcome(broken, reaction.reactants, BalanceArithmetic::Automatic),
                  "Can't balance - inconsistent system of equations.");
    }
}

TEST(BalanceCompositions, FractionFreeEliminationDecidesExactlyAsFractionsDo) {
    // Random small systems, sparse and with repeated columns, so that every outcome turns up: balanced,
    // singular, inconsistent, negative, too many substances, one-sided.
    std::mt19937 random(20240601);
    std::map<std::string, int> outcomes;
    for (int trial = 0; trial < 4000; ++trial) {
        const int n = 2 + static_cast<int>(random() % 5);
        const int reactants = 1 + static_cast<int>(random() % static_cast<unsigned>(n - 1));
        const int maxCount = trial % 3 == 0 ? 3 : 12;
        std::vector<std::vector<int>> packed;
        for (int j = 0; j < n; ++j) {
            if (j > 0 && random() % 6 == 0) {
                packed.push_back(packed[random() % static_cast<unsigned>(j)]);
                continue;
            }
            std::vector<int> v(8, 0);
            for (int i = 0; i < 7; ++i)
                if (random() % 3 == 0)
                    v[i] = static_cast<int>(random() % static_cast<unsigned>(maxCount + 1)) -
                           (i == 0 ? maxCount / 2 : 0);
            if (std::all_of(v.begin(), v.end(), [](int x) { return x == 0; }))
                v[1 + random() % 6] = 1;
            packed.push_back(v);
        }
        // Mostly give every element a place on both sides, so that the elimination itself decides.
        for (int i = 1; i < 7 && trial % 10 != 0; ++i) {
            bool left = false, right = false;
            for (int j = 0; j < n; ++j)
                (j < reactants ? left : right) |= packed[j][i] != 0;
            if (left != right)
                packed[left ? reactants + random() % static_cast<unsigned>(n - reactants)
                            : random() % static_cast<unsigned>(reactants)][i] =
                    1 + static_cast<int>(random() % 3);
        }
        const std::string fast = Outcome(packed, reactants, BalanceArithmetic::Automatic);
        ASSERT_EQ(Outcome(packed, reactants, BalanceArithmetic::FractionFree), fast) << "trial " << trial;
        ASSERT_EQ(Outcome(packed, reactants, BalanceArithmetic::Modular), fast) << "trial " << trial;
        ASSERT_EQ(Outcome(packed, reactants, BalanceArithmetic::SparseExact), fast) << "trial " << trial;
        ++outcomes[fast.rfind("Can't", 0) == 0 ? fast.substr(0, 20) : "balanced"];
    }
    // Every kind of outcome was met.
    for (const char* kind : {"balanced", "Can't balance - inco", "Can't balance - sing",
                             "Can't balance - too ", "Can't balance withou", "Can't balance - H on"})
        EXPECT_GE(outcomes[kind], 50) << kind;
}

} // namespace
