#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// Arbitrary-precision integers for the exact balancing of systems whose values outgrow 64 bits. Only what
// fraction-free elimination needs: sums, products, exact quotients and the greatest common divisor.
class BigInt {
public:
    BigInt() = default;
    BigInt(std::int64_t value); // NOLINT: an integer is a big integer

    bool IsZero() const { return m_magnitude.empty(); }
    int Sign() const { return IsZero() ? 0 : (m_negative ? -1 : 1); }
    // The value when it fits a 64-bit signed integer.
    std::optional<std::int64_t> ToInt64() const;
    // The number of 32-bit limbs of the magnitude.
    std::size_t LimbCount() const { return m_magnitude.size(); }

    BigInt operator-() const;
    BigInt Abs() const;
    friend BigInt operator+(const BigInt& a, const BigInt& b);
    friend BigInt operator-(const BigInt& a, const BigInt& b);
    friend BigInt operator*(const BigInt& a, const BigInt& b);
    friend bool operator==(const BigInt& a, const BigInt& b) = default;
    friend bool operator<(const BigInt& a, const BigInt& b);

    // a / b for a divisor b that divides a exactly (the result is unspecified otherwise); throws
    // std::domain_error for a zero divisor.
    static BigInt DivideExact(const BigInt& a, const BigInt& b);
    // The greatest common divisor of the magnitudes (non-negative; gcd(0, 0) is 0).
    static BigInt Gcd(const BigInt& a, const BigInt& b);
    // Whether |a| < |b|.
    static bool LessInMagnitude(const BigInt& a, const BigInt& b);

private:
    using Limbs = std::vector<std::uint32_t>; // little-endian, no leading zero limb; empty for zero

    static int CompareMagnitude(const Limbs& a, const Limbs& b);
    static Limbs AddMagnitude(const Limbs& a, const Limbs& b);
    static Limbs SubtractMagnitude(const Limbs& a, const Limbs& b); // requires a >= b
    static Limbs MultiplyMagnitude(const Limbs& a, const Limbs& b);
    static Limbs ShiftRight(const Limbs& a, std::size_t bits);
    static Limbs ShiftLeft(const Limbs& a, std::size_t bits);
    static std::size_t TrailingZeroBits(const Limbs& a);
    static void Trim(Limbs& limbs);
    static BigInt Make(bool negative, Limbs magnitude);

    bool m_negative = false;
    Limbs m_magnitude;
};
