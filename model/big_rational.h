#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// Arbitrary-precision integers and fractions. The balancing falls back to them when a system's intermediate
// values do not fit the 64-bit Rational; they are plain and unhurried, which suits a rare path.

class BigInt {
public:
    BigInt() = default;
    BigInt(std::int64_t value); // NOLINT: an integer is a big integer

    bool IsZero() const { return m_magnitude.empty(); }
    bool IsNegative() const { return m_negative; }
    int Sign() const { return IsZero() ? 0 : (m_negative ? -1 : 1); }
    // The value when it fits a 64-bit signed integer.
    std::optional<std::int64_t> ToInt64() const;

    BigInt operator-() const;
    friend BigInt operator+(const BigInt& a, const BigInt& b);
    friend BigInt operator-(const BigInt& a, const BigInt& b);
    friend BigInt operator*(const BigInt& a, const BigInt& b);
    // Truncating division, as the built-in integers divide; throws std::domain_error on a zero divisor.
    friend BigInt operator/(const BigInt& a, const BigInt& b);
    friend BigInt operator%(const BigInt& a, const BigInt& b);
    friend bool operator==(const BigInt& a, const BigInt& b) = default;
    friend bool operator<(const BigInt& a, const BigInt& b);

    // The greatest common divisor of the magnitudes (non-negative; gcd(0, 0) is 0).
    static BigInt Gcd(BigInt a, BigInt b);
    BigInt Abs() const;

private:
    using Limbs = std::vector<std::uint32_t>; // little-endian, no leading zero limb; empty for zero

    static int CompareMagnitude(const Limbs& a, const Limbs& b);
    static Limbs AddMagnitude(const Limbs& a, const Limbs& b);
    static Limbs SubtractMagnitude(const Limbs& a, const Limbs& b); // requires a >= b
    static Limbs MultiplyMagnitude(const Limbs& a, const Limbs& b);
    static void DivideMagnitude(const Limbs& a, const Limbs& b, Limbs& quotient, Limbs& remainder);
    static void Trim(Limbs& limbs);
    static BigInt Make(bool negative, Limbs magnitude);

    bool m_negative = false;
    Limbs m_magnitude;
};

// A reduced fraction of big integers with a positive denominator; the same operations as Rational.
class BigRational {
public:
    BigRational() = default;
    BigRational(std::int64_t value) : m_num(value) {} // NOLINT: an integer is a rational
    BigRational(BigInt numerator, BigInt denominator);

    const BigInt& Numerator() const { return m_num; }
    const BigInt& Denominator() const { return m_den; }
    bool IsZero() const { return m_num.IsZero(); }
    int Sign() const { return m_num.Sign(); }

    BigRational& operator+=(const BigRational& other);
    BigRational& operator-=(const BigRational& other);
    BigRational& operator*=(const BigRational& other);
    BigRational& operator/=(const BigRational& other);
    BigRational operator-() const;

    friend BigRational operator+(BigRational a, const BigRational& b) { return a += b; }
    friend BigRational operator-(BigRational a, const BigRational& b) { return a -= b; }
    friend BigRational operator*(BigRational a, const BigRational& b) { return a *= b; }
    friend BigRational operator/(BigRational a, const BigRational& b) { return a /= b; }
    friend bool operator==(const BigRational& a, const BigRational& b) = default;
    friend bool operator<(const BigRational& a, const BigRational& b);
    friend bool operator>(const BigRational& a, const BigRational& b) { return b < a; }
    friend BigRational Abs(const BigRational& a);

private:
    void Reduce();

    BigInt m_num;
    BigInt m_den{1};
};
