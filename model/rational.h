#pragma once

#include <cstdint>
#include <stdexcept>

// Thrown when an exact result does not fit the numerator or denominator of a Rational.
class RationalOverflow : public std::overflow_error {
public:
    RationalOverflow() : std::overflow_error("rational value out of range") {}
};

// An exact fraction, always reduced: gcd(numerator, denominator) is 1, the denominator is positive and zero
// is 0/1. Numerator and denominator are 64-bit; every operation works on 128-bit intermediates and checks
// that the reduced result fits, throwing RationalOverflow when it does not. Division by zero throws
// std::domain_error.
class Rational {
public:
    Rational() = default;
    Rational(std::int64_t value); // NOLINT: an integer is a rational
    Rational(std::int64_t numerator, std::int64_t denominator);

    std::int64_t Numerator() const { return m_num; }
    std::int64_t Denominator() const { return m_den; }
    bool IsZero() const { return m_num == 0; }
    int Sign() const { return (m_num > 0) - (m_num < 0); }

    Rational& operator+=(const Rational& other);
    Rational& operator-=(const Rational& other);
    Rational& operator*=(const Rational& other);
    Rational& operator/=(const Rational& other);
    Rational operator-() const;

    friend Rational operator+(Rational a, const Rational& b) { return a += b; }
    friend Rational operator-(Rational a, const Rational& b) { return a -= b; }
    friend Rational operator*(Rational a, const Rational& b) { return a *= b; }
    friend Rational operator/(Rational a, const Rational& b) { return a /= b; }
    friend bool operator==(const Rational& a, const Rational& b) {
        return a.m_num == b.m_num && a.m_den == b.m_den;
    }
    friend bool operator!=(const Rational& a, const Rational& b) { return !(a == b); }
    friend bool operator<(const Rational& a, const Rational& b);
    friend bool operator>(const Rational& a, const Rational& b) { return b < a; }
    friend Rational Abs(const Rational& a);

    void Swap(Rational& other) noexcept;

private:
    using Wide = __int128;
    // Reduces num/den (den != 0) and stores it; throws RationalOverflow when the result does not fit.
    void Assign(Wide num, Wide den);

    std::int64_t m_num = 0;
    std::int64_t m_den = 1;
};
