// The quick exact path of the balancing for large systems: elimination modulo a prime, checked exactly.
#include "model/equation_system.h"
#include "model/reaction_balancer.h"

#include <climits>
#include <cstdint>

namespace {

using U64 = std::uint64_t;
using U128 = unsigned __int128;
using I128 = __int128;

// The largest prime below 2^64. Its size lets one prime recover every pair of numerator and denominator
// below 2^31 (2 * 2^31 * 2^31 < p), and its form 2^64 - 59 makes reduction two multiply-adds.
constexpr U64 kPrime = 18446744073709551557ull;
constexpr U64 kFold = 59; // 2^64 mod p

U64 Reduce(U128 x) {
    x = (x >> 64) * kFold + static_cast<U64>(x); // below 60 * 2^64
    x = (x >> 64) * kFold + static_cast<U64>(x); // below 2^64 + 59 * 59
    U64 low = static_cast<U64>(x);
    if ((x >> 64) != 0)
        low += kFold; // 2^64 + low, with low small
    return low >= kPrime ? low - kPrime : low;
}

U64 Multiply(U64 a, U64 b) {
    return Reduce(static_cast<U128>(a) * b);
}

U64 Subtract(U64 a, U64 b) {
    return a >= b ? a - b : a + (kPrime - b);
}

U64 Add(U64 a, U64 b) {
    return Subtract(a, b == 0 ? 0 : kPrime - b);
}

U64 FromSigned(std::int64_t value) {
    const U64 magnitude = value < 0 ? U64(0) - static_cast<U64>(value) : static_cast<U64>(value);
    const U64 residue = magnitude % kPrime;
    return value < 0 && residue != 0 ? kPrime - residue : residue;
}

// The representative of a residue nearest to zero.
I128 Symmetric(U64 residue) {
    return residue > kPrime / 2 ? I128(residue) - I128(kPrime) : I128(residue);
}

// Extended Euclid; a is not 0.
U64 Inverse(U64 a) {
    U64 r0 = kPrime, r1 = a;
    I128 t0 = 0, t1 = 1;
    while (r1 != 0) {
        const U64 q = r0 / r1;
        const U64 r2 = r0 - q * r1;
        r0 = r1;
        r1 = r2;
        const I128 t2 = t0 - I128(q) * t1;
        t0 = t1;
        t1 = t2;
    }
    return static_cast<U64>(t0 < 0 ? t0 + I128(kPrime) : t0);
}

// The fraction b / d with |b|, d <= INT_MAX that the residue stands for, as its denominator d; 0 when there
// is none.
U64 ReconstructDenominator(U64 residue) {
    I128 r0 = kPrime, r1 = residue, t0 = 0, t1 = 1;
    while (r1 > INT_MAX) {
        const I128 q = r0 / r1;
        const I128 r2 = r0 - q * r1;
        r0 = r1;
        r1 = r2;
        const I128 t2 = t0 - q * t1;
        t0 = t1;
        t1 = t2;
    }
    const I128 denominator = t1 < 0 ? -t1 : t1;
    if (denominator == 0 || denominator > INT_MAX)
        return 0;
    return static_cast<U64>(denominator);
}

} // namespace

std::optional<std::vector<int>> SolveModular(const EquationSystem& system) {
    const int m = system.equations;
    const int n = system.substances;
    std::vector<U64> a(std::size_t(m) * n);
    auto cell = [&](int r, int c) -> U64& { return a[std::size_t(r) * n + c]; };
    std::vector<int> nonZero(m, 0);
    for (int r = 0; r < m; ++r) {
        for (int c = 0; c < n; ++c) {
            cell(r, c) = FromSigned(system.At(r, c));
            nonZero[r] += cell(r, c) != 0;
        }
    }

    // Columns in order; for each, the unused row with the fewest non-zero entries is the pivot, which keeps
    // the fill-in of sparse reactions low. Any pivot will do here: the answer is checked exactly below.
    std::vector<int> pivotRow(n, -1);
    std::vector<U64> pivotInverse(n, 0);
    std::vector<char> used(m, 0);
    std::vector<int> pivotColumns;
    std::vector<int> rowsToReduce;
    for (int k = 0; k < n - 1; ++k) {
        int pivot = -1;
        rowsToReduce.clear();
        for (int r = 0; r < m; ++r) {
            if (used[r] || cell(r, k) == 0)
                continue;
            rowsToReduce.push_back(r);
            if (pivot == -1 || nonZero[r] < nonZero[pivot])
                pivot = r;
        }
        if (pivot == -1)
            return std::nullopt; // a rank deficit, at least modulo the prime: the elimination over fractions
                                 // decides
        used[pivot] = 1;
        pivotRow[k] = pivot;
        pivotInverse[k] = Inverse(cell(pivot, k));
        pivotColumns.clear();
        for (int c = k + 1; c < n; ++c) {
            if (cell(pivot, c) != 0)
                pivotColumns.push_back(c);
        }
        for (int r : rowsToReduce) {
            if (r == pivot)
                continue;
            const U64 factor = Multiply(cell(r, k), pivotInverse[k]);
            cell(r, k) = 0;
            --nonZero[r];
            for (int c : pivotColumns) {
                U64& target = cell(r, c);
                const bool wasZero = target == 0;
                target = Subtract(target, Multiply(factor, cell(pivot, c)));
                nonZero[r] += int(wasZero) - int(target == 0);
            }
        }
    }

    // The rows left over hold the residual of the last column: non-zero modulo the prime is non-zero.
    for (int r = 0; r < m; ++r) {
        if (!used[r] && cell(r, n - 1) != 0)
            throw ReactionBalancingError(balance_text::kInconsistent);
    }

    std::vector<U64> x(n, 0);
    x[n - 1] = 1;
    for (int k = n - 2; k >= 0; --k) {
        const int row = pivotRow[k];
        U64 sum = 0;
        for (int c = k + 1; c < n; ++c) {
            if (cell(row, c) != 0 && x[c] != 0)
                sum = Add(sum, Multiply(cell(row, c), x[c]));
        }
        x[k] = Multiply(Subtract(0, sum), pivotInverse[k]);
    }

    // The fractions scaled to integers: each denominator found multiplies the common scale.
    U64 scale = 1;
    for (int k = 0; k < n; ++k) {
        const U64 scaled = Multiply(x[k], scale);
        const I128 value = Symmetric(scaled);
        if (value >= -I128(INT_MAX) && value <= INT_MAX)
            continue;
        const U64 denominator = ReconstructDenominator(scaled);
        if (denominator == 0 || denominator > U64(INT_MAX) / scale)
            return std::nullopt;
        scale *= denominator;
    }
    std::vector<std::int64_t> y(n);
    for (int k = 0; k < n; ++k) {
        const I128 value = Symmetric(Multiply(x[k], scale));
        if (value < -I128(INT_MAX) || value > INT_MAX)
            return std::nullopt;
        y[k] = static_cast<std::int64_t>(value);
    }
    // Exactly a solution? Then it is the only one (up to scale), since the first n - 1 columns have full
    // rank.
    for (int r = 0; r < m; ++r) {
        I128 sum = 0;
        for (int c = 0; c < n; ++c)
            sum += I128(system.At(r, c)) * y[c];
        if (sum != 0)
            return std::nullopt;
    }

    return SmallestCoefficients(y);
}
