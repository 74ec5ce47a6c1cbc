#include "model/rational.h"

#include <bit>
#include <limits>
#include <utility>

namespace {

using Wide = __int128;
using UWide = unsigned __int128;

std::uint64_t Gcd64(std::uint64_t a, std::uint64_t b) {
    if (a == 0)
        return b;
    if (b == 0)
        return a;
    const int shift = std::countr_zero(a | b);
    a >>= std::countr_zero(a);
    do {
        b >>= std::countr_zero(b);
        if (a > b)
            std::swap(a, b);
        b -= a;
    } while (b != 0);
    return a << shift;
}

int CountTrailingZeros(UWide v) {
    const auto low = static_cast<std::uint64_t>(v);
    if (low != 0)
        return std::countr_zero(low);
    return 64 + std::countr_zero(static_cast<std::uint64_t>(v >> 64));
}

UWide Gcd128(UWide a, UWide b) {
    if ((a >> 64) == 0 && (b >> 64) == 0)
        return Gcd64(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(b));
    if (a == 0)
        return b;
    if (b == 0)
        return a;
    const int shift = CountTrailingZeros(a | b);
    a >>= CountTrailingZeros(a);
    do {
        b >>= CountTrailingZeros(b);
        if (a > b)
            std::swap(a, b);
        b -= a;
    } while (b != 0);
    return a << shift;
}

UWide Magnitude(Wide v) {
    return v < 0 ? UWide(0) - static_cast<UWide>(v) : static_cast<UWide>(v);
}

// The largest magnitude a stored numerator or denominator may have; INT64_MIN is left out so that
// negation never overflows.
constexpr UWide kLimit = static_cast<UWide>(std::numeric_limits<std::int64_t>::max());

} // namespace

Rational::Rational(std::int64_t value) {
    if (value == std::numeric_limits<std::int64_t>::min())
        throw RationalOverflow();
    m_num = value;
}

Rational::Rational(std::int64_t numerator, std::int64_t denominator) {
    if (denominator == 0)
        throw std::domain_error("rational with zero denominator");
    Assign(numerator, denominator);
}

void Rational::Assign(Wide num, Wide den) {
    if (num == 0) {
        m_num = 0;
        m_den = 1;
        return;
    }
    UWide n = Magnitude(num);
    UWide d = Magnitude(den);
    const UWide g = Gcd128(n, d);
    n /= g;
    d /= g;
    if (n > kLimit || d > kLimit)
        throw RationalOverflow();
    const bool negative = (num < 0) != (den < 0);
    m_num = negative ? -static_cast<std::int64_t>(n) : static_cast<std::int64_t>(n);
    m_den = static_cast<std::int64_t>(d);
}

Rational& Rational::operator+=(const Rational& other) {
    if (m_den == 1 && other.m_den == 1) {
        const Wide sum = Wide(m_num) + other.m_num;
        if (Magnitude(sum) > kLimit)
            throw RationalOverflow();
        m_num = static_cast<std::int64_t>(sum);
        return *this;
    }
    // Each product is below 2^126, so the sum cannot leave the 128-bit range.
    Assign(Wide(m_num) * other.m_den + Wide(other.m_num) * m_den, Wide(m_den) * other.m_den);
    return *this;
}

Rational& Rational::operator-=(const Rational& other) {
    return *this += -other;
}

Rational& Rational::operator*=(const Rational& other) {
    if (m_den == 1 && other.m_den == 1) {
        const Wide product = Wide(m_num) * other.m_num;
        if (Magnitude(product) > kLimit)
            throw RationalOverflow();
        m_num = static_cast<std::int64_t>(product);
        return *this;
    }
    Assign(Wide(m_num) * other.m_num, Wide(m_den) * other.m_den);
    return *this;
}

Rational& Rational::operator/=(const Rational& other) {
    if (other.m_num == 0)
        throw std::domain_error("rational division by zero");
    Assign(Wide(m_num) * other.m_den, Wide(m_den) * other.m_num);
    return *this;
}

Rational Rational::operator-() const {
    Rational r;
    r.m_num = -m_num; // never INT64_MIN, so this cannot overflow
    r.m_den = m_den;
    return r;
}

bool operator<(const Rational& a, const Rational& b) {
    // Denominators are positive: compare the cross products, which fit 128 bits.
    return Rational::Wide(a.m_num) * b.m_den < Rational::Wide(b.m_num) * a.m_den;
}

Rational Abs(const Rational& a) {
    return a.m_num < 0 ? -a : a;
}

void Rational::Swap(Rational& other) noexcept {
    std::swap(m_num, other.m_num);
    std::swap(m_den, other.m_den);
}
