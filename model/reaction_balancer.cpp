#include "model/reaction_balancer.h"

#include "model/equation_system.h"
#include "model/rational.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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
// magnitudes of the solution. Throws RationalOverflow when a value outgrows 64 bits.
std::vector<Rational> Solve(const EquationSystem& system) {
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

    // A sign change between neighbours means some substance sits on the wrong side. This holds for two
    // substances as well: e^- = e^+ would otherwise pass with the charge not conserved.
    for (int k = 0; k + 1 < n; ++k) {
        if (x[k].Sign() * x[k + 1].Sign() < 0)
            throw ReactionBalancingError(balance_text::kNegative);
    }
    for (auto& value : x) {
        value = Abs(value);
        if (value.IsZero())
            throw ReactionBalancingError(balance_text::kSingular);
    }
    return x;
}

// Scales the fractions by the least common multiple of their denominators.
std::vector<int> ToIntegers(const std::vector<Rational>& x) {
    using UWide = unsigned __int128;
    UWide lcm = 1;
    for (const auto& value : x) {
        UWide a = lcm, b = static_cast<UWide>(value.Denominator());
        while (b != 0) {
            const UWide r = a % b;
            a = b;
            b = r;
        }
        lcm *= static_cast<UWide>(value.Denominator()) / a;
        if (lcm > INT_MAX)
            throw ReactionBalancingError(balance_text::kTooLarge);
    }
    std::vector<int> coefficients;
    coefficients.reserve(x.size());
    for (const auto& value : x) {
        const UWide coefficient =
            static_cast<UWide>(value.Numerator()) * (lcm / static_cast<UWide>(value.Denominator()));
        if (coefficient > INT_MAX)
            throw ReactionBalancingError(balance_text::kTooLarge);
        coefficients.push_back(static_cast<int>(coefficient));
    }
    return coefficients;
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
std::vector<int> SolveByFractions(const EquationSystem& system) {
    try {
        return ToIntegers(Solve(system));
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
        coefficients = exact ? std::move(*exact) : SolveByFractions(system);
    } else if (arithmetic == BalanceArithmetic::Modular || n > kLargestFractionsFirst) {
        std::optional<std::vector<int>> quick = SolveLargeSystem(system);
        coefficients = quick ? std::move(*quick) : SolveByFractions(system);
    } else {
        try {
            coefficients = ToIntegers(Solve(system));
        } catch (const RationalOverflow&) {
            std::optional<std::vector<int>> quick = SolveLargeSystem(system);
            coefficients = quick ? std::move(*quick) : SolveFractionFreeWithinLimit(system);
        }
    }
    Verify(packed, reactantCount, coefficients);
    return coefficients;
}
