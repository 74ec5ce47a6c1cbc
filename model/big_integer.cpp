#include "model/big_integer.h"

#include <bit>
#include <limits>
#include <stdexcept>
#include <utility>

BigInt::BigInt(std::int64_t value) {
    m_negative = value < 0;
    std::uint64_t magnitude =
        m_negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    while (magnitude != 0) {
        m_magnitude.push_back(static_cast<std::uint32_t>(magnitude));
        magnitude >>= 32;
    }
}

BigInt BigInt::Make(bool negative, Limbs magnitude) {
    Trim(magnitude);
    BigInt r;
    r.m_negative = negative && !magnitude.empty();
    r.m_magnitude = std::move(magnitude);
    return r;
}

void BigInt::Trim(Limbs& limbs) {
    while (!limbs.empty() && limbs.back() == 0)
        limbs.pop_back();
}

std::optional<std::int64_t> BigInt::ToInt64() const {
    if (m_magnitude.size() > 2)
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (std::size_t i = m_magnitude.size(); i-- > 0;)
        magnitude = (magnitude << 32) | m_magnitude[i];
    if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return std::nullopt;
    const auto value = static_cast<std::int64_t>(magnitude);
    return m_negative ? -value : value;
}

int BigInt::CompareMagnitude(const Limbs& a, const Limbs& b) {
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

BigInt::Limbs BigInt::AddMagnitude(const Limbs& a, const Limbs& b) {
    const Limbs& longer = a.size() >= b.size() ? a : b;
    const Limbs& shorter = a.size() >= b.size() ? b : a;
    Limbs result(longer.size() + 1, 0);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < longer.size(); ++i) {
        const std::uint64_t sum = carry + longer[i] + (i < shorter.size() ? shorter[i] : 0);
        result[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    result[longer.size()] = static_cast<std::uint32_t>(carry);
    Trim(result);
    return result;
}

BigInt::Limbs BigInt::SubtractMagnitude(const Limbs& a, const Limbs& b) {
    Limbs result(a.size(), 0);
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::uint64_t subtrahend = borrow + (i < b.size() ? b[i] : 0);
        const std::uint64_t minuend = a[i];
        result[i] = static_cast<std::uint32_t>(minuend - subtrahend);
        borrow = minuend < subtrahend ? 1 : 0;
    }
    Trim(result);
    return result;
}

BigInt::Limbs BigInt::MultiplyMagnitude(const Limbs& a, const Limbs& b) {
    if (a.empty() || b.empty())
        return {};
    Limbs result(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            const std::uint64_t t = std::uint64_t(a[i]) * b[j] + result[i + j] + carry;
            result[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        result[i + b.size()] = static_cast<std::uint32_t>(carry);
    }
    Trim(result);
    return result;
}

std::size_t BigInt::TrailingZeroBits(const Limbs& a) {
    std::size_t bits = 0;
    for (std::uint32_t limb : a) {
        if (limb != 0)
            return bits + static_cast<std::size_t>(std::countr_zero(limb));
        bits += 32;
    }
    return bits;
}

BigInt::Limbs BigInt::ShiftRight(const Limbs& a, std::size_t bits) {
    const std::size_t limbs = bits / 32, rest = bits % 32;
    if (limbs >= a.size())
        return {};
    Limbs result(a.size() - limbs, 0);
    for (std::size_t i = 0; i < result.size(); ++i) {
        std::uint64_t window = a[i + limbs];
        if (i + limbs + 1 < a.size())
            window |= std::uint64_t(a[i + limbs + 1]) << 32;
        result[i] = static_cast<std::uint32_t>(window >> rest);
    }
    Trim(result);
    return result;
}

BigInt::Limbs BigInt::ShiftLeft(const Limbs& a, std::size_t bits) {
    if (a.empty())
        return {};
    const std::size_t limbs = bits / 32, rest = bits % 32;
    Limbs result(a.size() + limbs + 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::uint64_t shifted = std::uint64_t(a[i]) << rest;
        result[i + limbs] |= static_cast<std::uint32_t>(shifted);
        result[i + limbs + 1] |= static_cast<std::uint32_t>(shifted >> 32);
    }
    Trim(result);
    return result;
}

BigInt BigInt::operator-() const {
    return Make(!m_negative, m_magnitude);
}

BigInt BigInt::Abs() const {
    return Make(false, m_magnitude);
}

BigInt operator+(const BigInt& a, const BigInt& b) {
    if (a.m_negative == b.m_negative)
        return BigInt::Make(a.m_negative, BigInt::AddMagnitude(a.m_magnitude, b.m_magnitude));
    const int order = BigInt::CompareMagnitude(a.m_magnitude, b.m_magnitude);
    if (order == 0)
        return BigInt();
    if (order > 0)
        return BigInt::Make(a.m_negative, BigInt::SubtractMagnitude(a.m_magnitude, b.m_magnitude));
    return BigInt::Make(b.m_negative, BigInt::SubtractMagnitude(b.m_magnitude, a.m_magnitude));
}

BigInt operator-(const BigInt& a, const BigInt& b) {
    return a + (-b);
}

BigInt operator*(const BigInt& a, const BigInt& b) {
    return BigInt::Make(a.m_negative != b.m_negative,
                        BigInt::MultiplyMagnitude(a.m_magnitude, b.m_magnitude));
}

bool operator<(const BigInt& a, const BigInt& b) {
    if (a.m_negative != b.m_negative)
        return a.m_negative;
    const int order = BigInt::CompareMagnitude(a.m_magnitude, b.m_magnitude);
    return a.m_negative ? order > 0 : order < 0;
}

bool BigInt::LessInMagnitude(const BigInt& a, const BigInt& b) {
    return CompareMagnitude(a.m_magnitude, b.m_magnitude) < 0;
}

BigInt BigInt::DivideExact(const BigInt& a, const BigInt& b) {
    if (b.IsZero())
        throw std::domain_error("big integer division by zero");
    if (a.IsZero())
        return BigInt();
    // Strip the common power of two, then divide from the lowest limb up by the inverse of the odd divisor
    // modulo 2^32: each quotient limb clears one limb of the dividend.
    const std::size_t shift = TrailingZeroBits(b.m_magnitude);
    Limbs rest = ShiftRight(a.m_magnitude, shift);
    const Limbs divisor = ShiftRight(b.m_magnitude, shift);
    std::uint32_t inverse = divisor[0]; // correct to 3 bits for an odd number; each step doubles that
    for (int i = 0; i < 4; ++i)
        inverse *= 2u - divisor[0] * inverse;

    if (rest.size() < divisor.size())
        return BigInt();
    Limbs quotient(rest.size() - divisor.size() + 1, 0);
    rest.push_back(0);
    for (std::size_t i = 0; i < quotient.size(); ++i) {
        const std::uint32_t q = rest[i] * inverse;
        quotient[i] = q;
        if (q == 0)
            continue;
        // rest -= q * divisor << (32 i)
        std::uint64_t carry = 0, borrow = 0;
        for (std::size_t j = 0; j < divisor.size(); ++j) {
            const std::uint64_t product = std::uint64_t(q) * divisor[j] + carry;
            carry = product >> 32;
            const std::uint64_t subtrahend = (product & 0xFFFFFFFFu) + borrow;
            const std::uint64_t minuend = rest[i + j];
            rest[i + j] = static_cast<std::uint32_t>(minuend - subtrahend);
            borrow = minuend < subtrahend ? 1 : 0;
        }
        for (std::size_t k = i + divisor.size(); k < rest.size() && (carry != 0 || borrow != 0); ++k) {
            const std::uint64_t subtrahend = carry + borrow;
            const std::uint64_t minuend = rest[k];
            rest[k] = static_cast<std::uint32_t>(minuend - subtrahend);
            borrow = minuend < subtrahend ? 1 : 0;
            carry = 0;
        }
    }
    return Make(a.m_negative != b.m_negative, std::move(quotient));
}

BigInt BigInt::Gcd(const BigInt& a, const BigInt& b) {
    // Binary: shifts and subtractions only.
    Limbs u = a.m_magnitude, v = b.m_magnitude;
    if (u.empty())
        return Make(false, v);
    if (v.empty())
        return Make(false, u);
    const std::size_t common = std::min(TrailingZeroBits(u), TrailingZeroBits(v));
    u = ShiftRight(u, TrailingZeroBits(u));
    while (!v.empty()) {
        v = ShiftRight(v, TrailingZeroBits(v));
        if (CompareMagnitude(u, v) > 0)
            std::swap(u, v);
        v = SubtractMagnitude(v, u);
    }
    return Make(false, ShiftLeft(u, common));
}
