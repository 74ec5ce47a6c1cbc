#pragma once

#include <gmp.h>

#include <climits>

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

template <class Integer> struct ExactIntegerOps;

// What SmallestCoefficients (equation_system.h) asks of the integers of an exact solution.
template <> struct ExactIntegerOps<GmpInteger> {
    static int Sign(const GmpInteger& value) { return value.Sign(); }
    static void MakeAbsolute(GmpInteger& value) { mpz_abs(value.get(), value.get()); }
    static void AccumulateGcd(GmpInteger& divisor, const GmpInteger& value) {
        mpz_gcd(divisor.get(), divisor.get(), value.get());
    }
    static bool IsOne(const GmpInteger& value) { return mpz_cmp_ui(value.get(), 1) == 0; }
    static void DivideExactly(GmpInteger& value, const GmpInteger& divisor) {
        mpz_divexact(value.get(), value.get(), divisor.get());
    }
    static bool AboveIntMax(const GmpInteger& value) { return mpz_cmp_si(value.get(), INT_MAX) > 0; }
    static int ToInt(const GmpInteger& value) { return static_cast<int>(mpz_get_si(value.get())); }
};
