#pragma once

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

// Random reactions that balance, for the balancing's tests and benchmark. A reaction of n substances has n -
// 1 elements; each element sits in two to six substances, on both sides, with counts from 1 to 6, and every
// substance holds at least one element. The coefficients are chosen first (1 to 3) and the counts made to
// conserve every element under them; a candidate is kept only when its equations have rank n - 1, so that the
// chosen coefficients (divided by their common divisor) are the one answer.
struct RandomReaction {
    std::vector<std::vector<int>> packed; // one composition per substance: index 0 the charge (always 0)
    int reactants = 0;
    std::vector<int> coefficients; // the smallest positive integers that balance it
};

namespace random_reaction_detail {

// The rank of the equations modulo a large prime: rank n - 1 there means rank n - 1 over the rationals too,
// since the coefficients already lie in the null space.
inline int RankModPrime(const std::vector<std::vector<int>>& packed, int elements) {
    constexpr std::int64_t p = 2147483629; // prime below 2^31
    const int n = static_cast<int>(packed.size());
    std::vector<std::vector<std::int64_t>> a(elements, std::vector<std::int64_t>(n));
    for (int e = 0; e < elements; ++e)
        for (int j = 0; j < n; ++j)
            a[e][j] = (packed[j][e + 1] % p + p) % p;
    const auto power = [&](std::int64_t b, std::int64_t exponent) {
        std::int64_t result = 1;
        for (b %= p; exponent > 0; exponent >>= 1, b = b * b % p)
            if (exponent & 1)
                result = result * b % p;
        return result;
    };
    int rank = 0;
    for (int column = 0; column < n && rank < elements; ++column) {
        int pivot = rank;
        while (pivot < elements && a[pivot][column] == 0)
            ++pivot;
        if (pivot == elements)
            continue;
        std::swap(a[pivot], a[rank]);
        const std::int64_t inverse = power(a[rank][column], p - 2);
        for (int r = rank + 1; r < elements; ++r) {
            const std::int64_t factor = a[r][column] * inverse % p;
            if (factor == 0)
                continue;
            for (int c = column; c < n; ++c)
                a[r][c] = ((a[r][c] - factor * a[rank][c]) % p + p) % p;
        }
        ++rank;
    }
    return rank;
}

} // namespace random_reaction_detail

inline RandomReaction MakeRandomReaction(int substances, std::mt19937& random) {
    const int n = substances;
    const int elements = n - 1;
    const auto uniform = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (;;) {
        RandomReaction reaction;
        reaction.reactants = n / 2;
        std::vector<int> chosen(n);
        for (int& c : chosen)
            c = uniform(1, 3);
        reaction.packed.assign(n, std::vector<int>(elements + 1, 0));
        std::vector<int> uses(n, 0);
        for (int e = 1; e <= elements;) {
            // The least used substance takes part, so that none stays empty; the last member, which closes
            // the balance, sits on the other side; the others are drawn at random.
            const int first = static_cast<int>(std::min_element(uses.begin(), uses.end()) - uses.begin());
            const bool firstIsReactant = first < reaction.reactants;
            const int closing =
                firstIsReactant ? uniform(reaction.reactants, n - 1) : uniform(0, reaction.reactants - 1);
            std::vector<int> members = {first};
            const int wanted = uniform(2, 6);
            while (static_cast<int>(members.size()) + 1 < wanted) {
                const int j = uniform(0, n - 1);
                if (j != closing && std::find(members.begin(), members.end(), j) == members.end())
                    members.push_back(j);
            }
            members.push_back(closing);
            // Draw counts until the closing member can close the element's balance exactly; members whose
            // counts cannot do so are drawn again.
            for (int attempt = 0; attempt < 200; ++attempt) {
                std::vector<int> counts(members.size());
                std::int64_t balance = 0; // reactant side minus product side
                for (std::size_t k = 0; k + 1 < members.size(); ++k) {
                    counts[k] = uniform(1, 6);
                    const int j = members[k];
                    balance += (j < reaction.reactants ? 1 : -1) * std::int64_t(chosen[j]) * counts[k];
                }
                const std::int64_t needed = firstIsReactant ? balance : -balance;
                if (needed <= 0 || needed % chosen[closing] != 0 || needed / chosen[closing] > 6)
                    continue;
                counts.back() = static_cast<int>(needed / chosen[closing]);
                for (std::size_t k = 0; k < members.size(); ++k) {
                    reaction.packed[members[k]][e] = counts[k];
                    ++uses[members[k]];
                }
                ++e;
                break;
            }
        }
        if (random_reaction_detail::RankModPrime(reaction.packed, elements) != n - 1)
            continue;
        const int divisor =
            std::accumulate(chosen.begin(), chosen.end(), 0, [](int a, int b) { return std::gcd(a, b); });
        for (int& c : chosen)
            c /= divisor;
        reaction.coefficients = chosen;
        return reaction;
    }
}
