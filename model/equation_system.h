#pragma once

#include "model/reaction_balancer.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <vector>

// The linear system of one balancing: one equation per element present (and the charge when it takes part),
// one column per substance; reactant columns count positive, product columns negative.
struct EquationSystem {
    int equations = 0;
    int substances = 0;
    std::vector<std::int64_t> cells; // equations x substances, row-major

    std::int64_t At(int row, int column) const { return cells[std::size_t(row) * substances + column]; }
};

// The outcome of a dense forward elimination (the pivots on the diagonal, the last unknown fixed to 1): an
// equation below the pivots whose last column is not zero leaves the system inconsistent, and a zero pivot
// leaves it singular. isZero(row, column) reads the eliminated matrix.
template <class IsZero> void CheckDenseElimination(int equations, int unknowns, IsZero isZero) {
    for (int r = unknowns - 1; r < equations; ++r) {
        if (!isZero(r, unknowns - 1))
            throw ReactionBalancingError(balance_text::kInconsistent);
    }
    for (int k = unknowns - 2; k >= 0; --k) {
        if (isZero(k, k))
            throw ReactionBalancingError(balance_text::kSingular);
    }
}

// What SmallestCoefficients asks of the integers of a solution: sign, magnitude, gcd, exact division and the
// step down to an int. Big integers bring theirs beside their definition (gmp_integer.h); 64-bit solutions
// never hold INT64_MIN.
template <class Integer> struct ExactIntegerOps;

template <> struct ExactIntegerOps<std::int64_t> {
    static int Sign(std::int64_t value) { return (value > 0) - (value < 0); }
    static void MakeAbsolute(std::int64_t& value) { value = value < 0 ? -value : value; }
    static void AccumulateGcd(std::int64_t& divisor, std::int64_t value) {
        divisor = std::gcd(divisor, value);
    }
    static bool IsOne(std::int64_t value) { return value == 1; }
    static void DivideExactly(std::int64_t& value, std::int64_t divisor) { value /= divisor; }
    static bool AboveIntMax(std::int64_t value) { return value > INT_MAX; }
    static int ToInt(std::int64_t value) { return static_cast<int>(value); }
};

// The balancing's answer from an exact solution y of the system, any non-zero multiple of it: "Can't balance
// without negative coefficients." when neighbours differ in sign (with two substances as well: e^- = e^+
// would otherwise pass with the charge not conserved), "singular matrix" for a zero, otherwise the
// magnitudes divided by their common divisor ("numbers too large" beyond an int). Overwrites y.
template <class Integer> std::vector<int> SmallestCoefficients(std::vector<Integer>& y) {
    using Ops = ExactIntegerOps<Integer>;
    for (std::size_t k = 0; k + 1 < y.size(); ++k) {
        if (Ops::Sign(y[k]) * Ops::Sign(y[k + 1]) < 0)
            throw ReactionBalancingError(balance_text::kNegative);
    }
    Integer divisor{};
    for (auto& value : y) {
        Ops::MakeAbsolute(value);
        if (Ops::Sign(value) == 0)
            throw ReactionBalancingError(balance_text::kSingular);
        if (!Ops::IsOne(divisor))
            Ops::AccumulateGcd(divisor, value);
    }
    const bool divide = !Ops::IsOne(divisor);
    std::vector<int> coefficients;
    coefficients.reserve(y.size());
    for (auto& value : y) {
        if (divide)
            Ops::DivideExactly(value, divisor);
        if (Ops::AboveIntMax(value))
            throw ReactionBalancingError(balance_text::kTooLarge);
        coefficients.push_back(Ops::ToInt(value));
    }
    return coefficients;
}

// The exact solvers behind the balancing. Each one solves the system with the last unknown fixed to 1 and
// returns the smallest positive integer coefficients, or throws ReactionBalancingError with the reason the
// elimination with partial pivoting over the fractions gives. Coefficients above INT_MAX are "numbers too
// large".

// Fraction-free elimination (Bareiss) over GMP integers, step for step the elimination over the fractions:
// the same pivots, the same zero tests, so the same outcome for every system.
std::vector<int> SolveFractionFree(const EquationSystem& system);

// An upper bound of the work of the fraction-free elimination, in products of 32-bit words; a system beyond
// kFractionFreeWorkLimit is refused as "numbers too large" rather than left to run on.
double FractionFreeWork(const EquationSystem& system);
inline constexpr double kFractionFreeWorkLimit = 1.5e9;

// The quick way for large systems: elimination modulo a 64-bit prime with sparse pivoting, the coefficients
// recovered by rational reconstruction and checked exactly against the system. It answers only what it can
// prove: the coefficients when the first n - 1 columns have full rank and the recovered integers solve the
// system exactly (the solution is then unique, so it is the one the fractions give), and the messages that
// follow from that solution or from a residual that is non-zero even modulo the prime. Otherwise (a rank
// deficit modulo the prime, values beyond an int) it returns nothing and an exact path decides.
std::optional<std::vector<int>> SolveModular(const EquationSystem& system);

// Exact integer elimination over GMP with the same sparse pivoting, for what the modular path cannot prove (a
// solution beyond an int, whose signs still decide the message). When the first n - 1 columns have full rank
// the solution is unique, so every outcome is the one the fractions give; otherwise it returns nothing.
std::optional<std::vector<int>> SolveSparseExact(const EquationSystem& system);
