// The exact fallback of the balancing: fraction-free elimination over GMP integers.
#include "model/equation_system.h"
#include "model/gmp_integer.h"
#include "model/reaction_balancer.h"

#include <algorithm>
#include <cmath>

// Each step multiplies a row by the pivot and divides exactly by the previous pivot, so every value is a
// minor of the system and no gcd is ever taken. All rows below a pivot carry one common factor, so the choice
// of pivots, the zero tests and therefore every outcome are those of the elimination over the fractions. A
// step whose column has no pivot is skipped, as there. The solution comes out as integers proportional to the
// fractions, reduced by their common divisor.
std::vector<int> SolveFractionFree(const EquationSystem& system) {
    const int m = system.equations;
    const int n = system.substances;
    std::vector<GmpInteger> a(std::size_t(m) * n);
    auto cell = [&](int r, int c) -> GmpInteger& { return a[std::size_t(r) * n + c]; };
    for (int r = 0; r < m; ++r)
        for (int c = 0; c < n; ++c)
            mpz_set_si(cell(r, c).get(), static_cast<long>(system.At(r, c)));

    GmpInteger previous, product;
    mpz_set_ui(previous.get(), 1);
    for (int k = 0; k < n - 1; ++k) {
        int pivot = k;
        for (int r = k + 1; r < m; ++r) {
            if (mpz_cmpabs(cell(pivot, k).get(), cell(r, k).get()) < 0)
                pivot = r;
        }
        if (pivot != k) {
            for (int c = k; c < n; ++c)
                cell(k, c).Swap(cell(pivot, c));
        }
        if (cell(k, k).IsZero())
            continue;
        for (int r = k + 1; r < m; ++r) {
            const bool below = !cell(r, k).IsZero();
            for (int c = k + 1; c < n; ++c) {
                GmpInteger& target = cell(r, c);
                const bool crossed = below && !cell(k, c).IsZero();
                if (target.IsZero() && !crossed)
                    continue;
                // (pivot * a[r][c] - a[r][k] * a[k][c]) / previous
                mpz_mul(product.get(), cell(k, k).get(), target.get());
                if (crossed)
                    mpz_submul(product.get(), cell(r, k).get(), cell(k, c).get());
                mpz_divexact(target.get(), product.get(), previous.get());
            }
            mpz_set_ui(cell(r, k).get(), 0);
        }
        mpz_set(previous.get(), cell(k, k).get());
    }

    CheckDenseElimination(m, n, [&](int r, int c) { return cell(r, c).IsZero(); });

    // y = D x with D the last pivot: integers (Cramer's rule), so every division below is exact.
    std::vector<GmpInteger> y(n);
    if (n >= 2)
        mpz_set(y[n - 1].get(), cell(n - 2, n - 2).get());
    else
        mpz_set_ui(y[n - 1].get(), 1);
    GmpInteger sum;
    for (int k = n - 2; k >= 0; --k) {
        mpz_set_ui(sum.get(), 0);
        for (int c = k + 1; c < n; ++c)
            mpz_addmul(sum.get(), cell(k, c).get(), y[c].get());
        mpz_neg(sum.get(), sum.get());
        mpz_divexact(y[k].get(), sum.get(), cell(k, k).get());
    }

    return SmallestCoefficients(y);
}

// Every value the elimination handles is a minor of the system, whose size the Hadamard bound limits: the
// product of the column lengths.
double FractionFreeWork(const EquationSystem& system) {
    double bits = 0.0;
    for (int c = 0; c < system.substances; ++c) {
        double squares = 0.0;
        for (int r = 0; r < system.equations; ++r)
            squares += std::pow(static_cast<double>(system.At(r, c)), 2.0);
        if (squares > 1.0)
            bits += 0.5 * std::log2(squares);
    }
    const double limbs = bits / 32.0 + 2.0;
    double steps = 0.0;
    for (int k = 0; k + 1 < system.substances; ++k)
        steps += double(std::max(system.equations - k - 1, 0)) * double(system.substances - k - 1);
    return steps * 4.0 * limbs * limbs;
}
