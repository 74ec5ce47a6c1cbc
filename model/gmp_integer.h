#pragma once

#include <gmp.h>

#include <vector>

// One GMP integer that frees itself, for vectors and matrices of them. Starts at 0.
class GmpInteger {
public:
    GmpInteger() { mpz_init(m_value); }
    GmpInteger(const GmpInteger&) = delete;
    GmpInteger& operator=(const GmpInteger&) = delete;
    ~GmpInteger() { mpz_clear(m_value); }

    mpz_ptr get() { return m_value; }
    mpz_srcptr get() const { return m_value; }
    int Sign() const { return mpz_sgn(m_value); }
    bool IsZero() const { return Sign() == 0; }
    void Swap(GmpInteger& other) { mpz_swap(m_value, other.m_value); }

private:
    mpz_t m_value;
};

// The balancing's answer from an exact solution y of the system: "Can't balance without negative
// coefficients." when neighbours differ in sign, "singular matrix" for a zero, otherwise the magnitudes
// divided by their common divisor ("numbers too large" beyond an int). Overwrites y.
std::vector<int> SmallestCoefficients(std::vector<GmpInteger>& y);
