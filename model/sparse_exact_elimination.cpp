// An exact path of the balancing for large systems of full rank: integer elimination over GMP with sparse
// pivoting.
#include "model/equation_system.h"
#include "model/gmp_integer.h"
#include "model/reaction_balancer.h"

std::optional<std::vector<int>> SolveSparseExact(const EquationSystem& system) {
    const int m = system.equations;
    const int n = system.substances;
    std::vector<GmpInteger> a(std::size_t(m) * n);
    auto cell = [&](int r, int c) -> GmpInteger& { return a[std::size_t(r) * n + c]; };
    // Non-zero entries of each row, and of each column among the rows not yet used as pivots.
    std::vector<int> rowCount(m, 0), columnCount(n, 0);
    for (int r = 0; r < m; ++r) {
        for (int c = 0; c < n; ++c) {
            mpz_set_si(cell(r, c).get(), static_cast<long>(system.At(r, c)));
            if (!cell(r, c).IsZero()) {
                ++rowCount[r];
                ++columnCount[c];
            }
        }
    }

    // Each step eliminates the sparsest column left of the first n - 1, with the sparsest row that has an
    // entry there as pivot, which keeps the fill-in of sparse reactions low. A row reduced by the pivot row
    // is kept free of common factors, so that its numbers stay near the size of the minors.
    std::vector<int> pivotRow, pivotColumn;
    std::vector<char> usedRow(m, 0), doneColumn(n, 0);
    std::vector<int> candidates;
    GmpInteger g, rowFactor, pivotFactor;
    for (int step = 0; step < n - 1; ++step) {
        int k = -1;
        for (int c = 0; c < n - 1; ++c) {
            if (!doneColumn[c] && (k == -1 || columnCount[c] < columnCount[k]))
                k = c;
        }
        if (columnCount[k] == 0)
            return std::nullopt; // a rank deficit: the outcome depends on the order of elimination
        int pivot = -1;
        candidates.clear();
        for (int r = 0; r < m; ++r) {
            if (usedRow[r] || cell(r, k).IsZero())
                continue;
            candidates.push_back(r);
            if (pivot == -1 || rowCount[r] < rowCount[pivot])
                pivot = r;
        }
        usedRow[pivot] = 1;
        doneColumn[k] = 1;
        pivotRow.push_back(pivot);
        pivotColumn.push_back(k);
        for (int c = 0; c < n; ++c)
            columnCount[c] -= !cell(pivot, c).IsZero();
        for (int r : candidates) {
            if (r == pivot)
                continue;
            // row r := (p / g) row r - (a / g) pivot row, with p the pivot and a the entry of row r.
            mpz_gcd(g.get(), cell(pivot, k).get(), cell(r, k).get());
            mpz_divexact(rowFactor.get(), cell(pivot, k).get(), g.get());
            mpz_divexact(pivotFactor.get(), cell(r, k).get(), g.get());
            mpz_set_ui(g.get(), 0);
            mpz_set_ui(cell(r, k).get(), 0);
            --columnCount[k];
            rowCount[r] = 0;
            for (int c = 0; c < n; ++c) {
                GmpInteger& target = cell(r, c);
                const bool crossed = !doneColumn[c] && !cell(pivot, c).IsZero();
                if (target.IsZero() && !crossed)
                    continue;
                const bool before = !target.IsZero();
                mpz_mul(target.get(), target.get(), rowFactor.get());
                if (crossed)
                    mpz_submul(target.get(), pivotFactor.get(), cell(pivot, c).get());
                const bool after = !target.IsZero();
                columnCount[c] += int(after) - int(before);
                if (after) {
                    ++rowCount[r];
                    mpz_gcd(g.get(), g.get(), target.get());
                }
            }
            if (mpz_cmp_ui(g.get(), 1) > 0) {
                for (int c = 0; c < n; ++c) {
                    if (!cell(r, c).IsZero())
                        mpz_divexact(cell(r, c).get(), cell(r, c).get(), g.get());
                }
            }
        }
    }

    // The rows left over are zero but for the last column: there they hold the residual, exactly.
    for (int r = 0; r < m; ++r) {
        if (!usedRow[r] && !cell(r, n - 1).IsZero())
            throw ReactionBalancingError(balance_text::kInconsistent);
    }

    // Back substitution in integers, the last step first: each pivot row holds, besides its pivot, only
    // columns of later steps and the last one. y is kept integral by scaling the part found so far.
    std::vector<GmpInteger> y(n);
    mpz_set_ui(y[n - 1].get(), 1);
    GmpInteger sum, scale;
    for (int step = n - 2; step >= 0; --step) {
        const int row = pivotRow[step];
        const int k = pivotColumn[step];
        mpz_set_ui(sum.get(), 0);
        for (int c = 0; c < n; ++c) {
            if (c != k && !cell(row, c).IsZero() && !y[c].IsZero())
                mpz_addmul(sum.get(), cell(row, c).get(), y[c].get());
        }
        // p y_k + s = 0: with g = gcd(s, p), y_k = -(s / g) sign(p / g) after y is scaled by |p / g|.
        mpz_gcd(g.get(), sum.get(), cell(row, k).get());
        mpz_divexact(scale.get(), cell(row, k).get(), g.get());
        mpz_divexact(y[k].get(), sum.get(), g.get());
        if (scale.Sign() > 0)
            mpz_neg(y[k].get(), y[k].get());
        mpz_abs(scale.get(), scale.get());
        if (mpz_cmp_ui(scale.get(), 1) != 0) {
            for (int c = 0; c < n; ++c) {
                if (c != k && !y[c].IsZero())
                    mpz_mul(y[c].get(), y[c].get(), scale.get());
            }
        }
    }

    return SmallestCoefficients(y);
}
