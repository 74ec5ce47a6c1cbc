#include "model/reaction_balancer.h"

#include "model/equation_system.h"
#include "model/rational.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string_view>

namespace {

using Wide = __int128;

int Entry(const std::vector<int>& composition, std::size_t index) {
    return index < composition.size() ? composition[index] : 0;
}

bool IsEmpty(const std::vector<int>& composition) {
    return std::all_of(composition.begin(), composition.end(), [](int count) { return count == 0; });
}

std::string OneSidedMessage(const std::string& symbol) {
    const std::string_view pattern = balance_text::kOneSided;
    const std::size_t at = pattern.find("%s");
    std::string text(pattern.substr(0, at));
    text += symbol;
    text += pattern.substr(at + 2);
    return text;
}

EquationSystem BuildSystem(const std::vector<std::vector<int>>& packed, int reactantCount,
                           const ElementSymbolLookup& symbolOfRow) {
    const int n = static_cast<int>(packed.size());
    std::size_t width = 0;
    for (const auto& composition : packed)
        width = std::max(width, composition.size());

    // Sums of each side, wide enough that no count wraps.
    std::vector<std::int64_t> reactants(width, 0), products(width, 0);
    std::int64_t chargeSum = 0;
    for (int j = 0; j < n; ++j) {
        const bool isReactant = j < reactantCount;
        if (IsEmpty(packed[j]))
            throw ReactionBalancingError(isReactant ? balance_text::kEmptyReactant
                                                    : balance_text::kEmptyProduct);
        chargeSum += std::llabs(static_cast<long long>(Entry(packed[j], 0)));
        auto& side = isReactant ? reactants : products;
        for (std::size_t i = 0; i < width; ++i)
            side[i] += Entry(packed[j], i);
    }

    std::vector<std::int64_t> total(width, 0);
    int m = 0;
    for (std::size_t i = 0; i < width; ++i) {
        total[i] = reactants[i] + products[i];
        m += total[i] != 0;
    }
    // Charges that cancel in the plain sum (Ag+ + Cl- = AgCl) still need their equation.
    if (width > 0 && chargeSum != 0 && total[0] == 0) {
        ++m;
        total[0] = 1;
    }

    if (n > m + 1)
        throw ReactionBalancingError(balance_text::kTooManySubstances);

    for (std::size_t i = 1; i < width; ++i) {
        if ((reactants[i] != 0) != (products[i] != 0))
            throw ReactionBalancingError(OneSidedMessage(symbolOfRow(static_cast<int>(i))));
    }

    EquationSystem system;
    system.equations = m;
    system.substances = n;
    system.cells.reserve(std::size_t(m) * n);
    for (std::size_t i = 0; i < width; ++i) {
        if (total[i] == 0)
            continue;
        for (int j = 0; j < n; ++j) {
            const std::int64_t count = Entry(packed[j], i);
            system.cells.push_back(j < reactantCount ? count : -count);
        }
    }
    return system;
}

// Gaussian elimination with partial pivoting, the last unknown fixed to 1, back substitution; returns the
// solution. Throws RationalOverflow when a value outgrows 64 bits.
std::vector<Rational> EliminateOverFractions(const EquationSystem& system) {
    using Number = Rational;
    const int m = system.equations;
    const int n = system.substances;
    const int rows = std::max(m, n);
    std::vector<Number> a(std::size_t(rows) * n);
    auto cell = [&](int r, int c) -> Number& { return a[std::size_t(r) * n + c]; };
    for (int r = 0; r < m; ++r)
        for (int c = 0; c < n; ++c)
            cell(r, c) = Number(system.At(r, c));

    for (int k = 0; k < n - 1; ++k) {
        int pivot = k;
        for (int r = k + 1; r < m; ++r) {
            if (Abs(cell(r, k)) > Abs(cell(pivot, k)))
                pivot = r;
        }
        if (pivot != k) {
            for (int c = k; c < n; ++c)
                std::swap(cell(k, c), cell(pivot, c));
        }
        for (int r = k + 1; r < m; ++r) {
            if (cell(r, k).IsZero())
                continue;
            const Number factor = cell(r, k) / cell(k, k);
            for (int c = k; c < n; ++c) {
                if (!cell(k, c).IsZero())
                    cell(r, c) -= factor * cell(k, c);
            }
        }
    }

    CheckDenseElimination(m, n, [&](int r, int c) { return cell(r, c).IsZero(); });

    std::vector<Number> x(n);
    x[n - 1] = Number(1);
    for (int k = n - 2; k >= 0; --k) {
        Number sum;
        for (int c = k + 1; c < n; ++c) {
            if (!cell(k, c).IsZero())
                sum += cell(k, c) * x[c];
        }
        x[k] = -sum / cell(k, k);
    }

    return x;
}

// The solution scaled by the least common multiple of its denominators: integers of the same signs. Throws
// RationalOverflow when they do not fit 64 bits; the exact ways decide then, as for any overflow.
std::vector<std::int64_t> ScaledToIntegers(const std::vector<Rational>& x) {
    std::int64_t lcm = 1;
    for (const auto& value : x) {
        const Wide next = Wide(lcm / std::gcd(lcm, value.Denominator())) * value.Denominator();
        if (next > INT64_MAX)
            throw RationalOverflow();
        lcm = static_cast<std::int64_t>(next);
    }
    std::vector<std::int64_t> y;
    y.reserve(x.size());
    for (const auto& value : x) {
        const Wide scaled = Wide(value.Numerator()) * (lcm / value.Denominator());
        if (scaled > INT64_MAX || scaled < -INT64_MAX)
            throw RationalOverflow();
        y.push_back(static_cast<std::int64_t>(scaled));
    }
    return y;
}

// The fractions solved and reduced to the smallest coefficients.
std::vector<int> SolveOverFractions(const EquationSystem& system) {
    std::vector<std::int64_t> y = ScaledToIntegers(EliminateOverFractions(system));
    return SmallestCoefficients(y);
}

// Every element and the charge must be conserved by the integers found; nothing unchecked is reported.
void Verify(const std::vector<std::vector<int>>& packed, int reactantCount,
            const std::vector<int>& coefficients) {
    std::size_t width = 0;
    for (const auto& composition : packed)
        width = std::max(width, composition.size());
    for (std::size_t i = 0; i < width; ++i) {
        Wide balance = 0;
        for (std::size_t j = 0; j < packed.size(); ++j) {
            const Wide term = Wide(coefficients[j]) * Entry(packed[j], i);
            balance += static_cast<int>(j) < reactantCount ? term : -term;
        }
        if (balance != 0)
            throw ReactionBalancingError(balance_text::kTooLarge);
    }
}

std::vector<int> SolveFractionFreeWithinLimit(const EquationSystem& system) {
    if (FractionFreeWork(system) > kFractionFreeWorkLimit)
        throw ReactionBalancingError(balance_text::kTooLarge);
    return SolveFractionFree(system);
}

// The fractions, and the fraction-free elimination when they overflow: the same steps, the same outcome.
std::vector<int> SolveStepForStep(const EquationSystem& system) {
    try {
        return SolveOverFractions(system);
    } catch (const RationalOverflow&) {
        return SolveFractionFreeWithinLimit(system);
    }
}

// The ways that need the first n - 1 columns to have full rank: modulo a prime, then exact integers.
std::optional<std::vector<int>> SolveLargeSystem(const EquationSystem& system) {
    if (auto quick = SolveModular(system))
        return quick;
    return SolveSparseExact(system);
}

// Up to this many substances the 64-bit fractions are the quickest way; beyond it the modular path is,
// however small the numbers.
constexpr int kLargestFractionsFirst = 12;

} // namespace

std::vector<int> BalanceCompositions(const std::vector<std::vector<int>>& packed, int reactantCount,
                                     const ElementSymbolLookup& symbolOfRow, BalanceArithmetic arithmetic) {
    const int n = static_cast<int>(packed.size());
    if (reactantCount < 1 || reactantCount >= n)
        throw std::invalid_argument("a reaction needs a reactant and a product");

    const EquationSystem system = BuildSystem(packed, reactantCount, symbolOfRow);
    std::vector<int> coefficients;
    if (arithmetic == BalanceArithmetic::FractionFree) {
        coefficients = SolveFractionFreeWithinLimit(system);
    } else if (arithmetic == BalanceArithmetic::SparseExact) {
        std::optional<std::vector<int>> exact = SolveSparseExact(system);
        coefficients = exact ? std::move(*exact) : SolveStepForStep(system);
    } else if (arithmetic == BalanceArithmetic::Modular || n > kLargestFractionsFirst) {
        std::optional<std::vector<int>> quick = SolveLargeSystem(system);
        coefficients = quick ? std::move(*quick) : SolveStepForStep(system);
    } else {
        try {
            coefficients = SolveOverFractions(system);
        } catch (const RationalOverflow&) {
            std::optional<std::vector<int>> quick = SolveLargeSystem(system);
            coefficients = quick ? std::move(*quick) : SolveFractionFreeWithinLimit(system);
        }
    }
    Verify(packed, reactantCount, coefficients);
    return coefficients;
}
