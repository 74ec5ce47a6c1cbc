#include "model/big_rational.h"

#include <algorithm>
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
    const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > limit)
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
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t diff = std::int64_t(a[i]) - borrow - (i < b.size() ? std::int64_t(b[i]) : 0);
        borrow = diff < 0 ? 1 : 0;
        if (diff < 0)
            diff += std::int64_t(1) << 32;
        result[i] = static_cast<std::uint32_t>(diff);
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
        std::size_t k = i + b.size();
        while (carry != 0) {
            const std::uint64_t t = std::uint64_t(result[k]) + carry;
            result[k] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
            ++k;
        }
    }
    Trim(result);
    return result;
}

void BigInt::DivideMagnitude(const Limbs& a, const Limbs& b, Limbs& quotient, Limbs& remainder) {
    quotient.assign(a.size(), 0);
    remainder.clear();
    if (b.size() == 1) {
        // One-limb divisor: schoolbook division limb by limb.
        std::uint64_t rest = 0;
        for (std::size_t i = a.size(); i-- > 0;) {
            const std::uint64_t current = (rest << 32) | a[i];
            quotient[i] = static_cast<std::uint32_t>(current / b[0]);
            rest = current % b[0];
        }
        if (rest != 0)
            remainder.push_back(static_cast<std::uint32_t>(rest));
        Trim(quotient);
        return;
    }
    // Bit by bit: shift the remainder left, bring down one bit, subtract the divisor when it fits.
    for (std::size_t bit = a.size() * 32; bit-- > 0;) {
        // remainder = remainder * 2 + bit
        std::uint32_t carry = (a[bit / 32] >> (bit % 32)) & 1u;
        for (auto& limb : remainder) {
            const std::uint32_t next = limb >> 31;
            limb = (limb << 1) | carry;
            carry = next;
        }
        if (carry != 0)
            remainder.push_back(carry);
        if (CompareMagnitude(remainder, b) >= 0) {
            remainder = SubtractMagnitude(remainder, b);
            quotient[bit / 32] |= 1u << (bit % 32);
        }
    }
    Trim(quotient);
    Trim(remainder);
}

BigInt BigInt::operator-() const {
    return Make(!m_negative, m_magnitude);
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

BigInt operator/(const BigInt& a, const BigInt& b) {
    if (b.IsZero())
        throw std::domain_error("big integer division by zero");
    BigInt::Limbs q, r;
    BigInt::DivideMagnitude(a.m_magnitude, b.m_magnitude, q, r);
    return BigInt::Make(a.m_negative != b.m_negative, std::move(q));
}

BigInt operator%(const BigInt& a, const BigInt& b) {
    if (b.IsZero())
        throw std::domain_error("big integer division by zero");
    BigInt::Limbs q, r;
    BigInt::DivideMagnitude(a.m_magnitude, b.m_magnitude, q, r);
    return BigInt::Make(a.m_negative, std::move(r));
}

bool operator<(const BigInt& a, const BigInt& b) {
    if (a.m_negative != b.m_negative)
        return a.m_negative;
    const int order = BigInt::CompareMagnitude(a.m_magnitude, b.m_magnitude);
    return a.m_negative ? order > 0 : order < 0;
}

BigInt BigInt::Abs() const {
    return Make(false, m_magnitude);
}

BigInt BigInt::Gcd(BigInt a, BigInt b) {
    a = a.Abs();
    b = b.Abs();
    while (!b.IsZero()) {
        BigInt r = a % b;
        a = std::move(b);
        b = std::move(r);
    }
    return a;
}

BigRational::BigRational(BigInt numerator, BigInt denominator)
    : m_num(std::move(numerator)), m_den(std::move(denominator)) {
    if (m_den.IsZero())
        throw std::domain_error("rational with zero denominator");
    Reduce();
}

void BigRational::Reduce() {
    if (m_num.IsZero()) {
        m_den = BigInt(1);
        return;
    }
    const BigInt g = BigInt::Gcd(m_num, m_den);
    if (g != BigInt(1)) {
        m_num = m_num / g;
        m_den = m_den / g;
    }
    if (m_den.IsNegative()) {
        m_num = -m_num;
        m_den = -m_den;
    }
}

BigRational& BigRational::operator+=(const BigRational& other) {
    m_num = m_num * other.m_den + other.m_num * m_den;
    m_den = m_den * other.m_den;
    Reduce();
    return *this;
}

BigRational& BigRational::operator-=(const BigRational& other) {
    return *this += -other;
}

BigRational& BigRational::operator*=(const BigRational& other) {
    m_num = m_num * other.m_num;
    m_den = m_den * other.m_den;
    Reduce();
    return *this;
}

BigRational& BigRational::operator/=(const BigRational& other) {
    if (other.IsZero())
        throw std::domain_error("rational division by zero");
    m_num = m_num * other.m_den;
    m_den = m_den * other.m_num;
    Reduce();
    return *this;
}

BigRational BigRational::operator-() const {
    BigRational r = *this;
    r.m_num = -r.m_num;
    return r;
}

bool operator<(const BigRational& a, const BigRational& b) {
    return a.m_num * b.m_den < b.m_num * a.m_den;
}

BigRational Abs(const BigRational& a) {
    return a.Sign() < 0 ? -a : a;
}
