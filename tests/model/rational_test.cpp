#include "model/rational.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(Rational, IsKeptReducedWithPositiveDenominator) {
    struct Case {
        std::int64_t num, den, wantNum, wantDen;
    };
    const Case cases[] = {
        {6, 8, 3, 4}, {-6, 8, -3, 4}, {6, -8, -3, 4},     {-6, -8, 3, 4},       {0, -5, 0, 1},
        {0, 7, 0, 1}, {7, 7, 1, 1},   {kMax, kMax, 1, 1}, {-kMax, 1, -kMax, 1},
    };
    for (const auto& c : cases) {
        const Rational r(c.num, c.den);
        EXPECT_EQ(r.Numerator(), c.wantNum) << c.num << "/" << c.den;
        EXPECT_EQ(r.Denominator(), c.wantDen) << c.num << "/" << c.den;
    }
}

TEST(Rational, ArithmeticIsExact) {
    const Rational third(1, 3), half(1, 2);
    EXPECT_EQ(third + half, Rational(5, 6));
    EXPECT_EQ(third - half, Rational(-1, 6));
    EXPECT_EQ(third * half, Rational(1, 6));
    EXPECT_EQ(third / half, Rational(2, 3));
    EXPECT_EQ(-third, Rational(-1, 3));
    EXPECT_EQ(Abs(Rational(-7, 3)), Rational(7, 3));
    EXPECT_TRUE(third < half);
    EXPECT_TRUE(half > third);
    EXPECT_FALSE(third < third);
    EXPECT_EQ(Rational(2, 4), Rational(1, 2));
    EXPECT_NE(Rational(1, 2), Rational(1, 3));

    Rational a(3, 4), b(-5);
    a.Swap(b);
    EXPECT_EQ(a, Rational(-5));
    EXPECT_EQ(b, Rational(3, 4));
}

TEST(Rational, WideIntermediatesKeepResultsThatFit) {
    // Products far beyond 64 bits that reduce to small values.
    const Rational big(kMax - 1, kMax); // (2^63-2)/(2^63-1)
    EXPECT_EQ(big / big, Rational(1));
    EXPECT_EQ(big - big, Rational(0));
    EXPECT_EQ(Rational(kMax) * Rational(1, kMax), Rational(1));
    // Comparison of values whose difference does not fit.
    EXPECT_TRUE(Rational(-kMax) < Rational(kMax));
    EXPECT_FALSE(Rational(kMax - 1, kMax) < Rational(kMax - 2, kMax - 1));
}

TEST(Rational, OverflowIsDetectedNeverWrapped) {
    EXPECT_THROW(Rational(kMax) + Rational(1), RationalOverflow);
    EXPECT_THROW(Rational(kMax) * Rational(2), RationalOverflow);
    EXPECT_THROW(Rational(1, kMax) + Rational(1, kMax - 1), RationalOverflow);
    EXPECT_THROW(Rational{std::numeric_limits<std::int64_t>::min()}, RationalOverflow);
    EXPECT_THROW(Rational(1) / Rational(0), std::domain_error);
    EXPECT_THROW(Rational(1, 0), std::domain_error);
}

} // namespace
