#include "model/editable_double.h"

#include "platform/core/archive.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

struct CountedCase {
    int displayDigits;
    int a;
    int b;
    int result;
};

// The smaller count, raised to the display digits when below them.
const CountedCase kCountedCases[] = {
    {4, 2, 3, 4},
    {4, 6, 8, 6},
    {4, 0, 5, 4},
    {4, 5, 0, 4},
    {4, 4, 4, 4},
    {6, 2, 3, 6},
    {6, 7, 9, 7},
    {6, 0, 0, 6},
    {4, -3, 7, 4},
    {4, INT_MIN, 5, 4},
    {4, INT_MAX, INT_MAX, INT_MAX},
    {4, 17, 20, 17},
    // Display digits from a nonsense setting are bounded to 1..17 first.
    {0, 0, 0, 1},
    {-7, 2, 3, 2},
    {1000, 5, 8, 17},
    {INT_MAX, 20, 30, 20},
};

TEST(EditableDouble, ProductAndQuotientCarryTheSmallerCountAtLeastTheDisplayDigits) {
    ScopedTestModelHost host;
    for (const CountedCase& c : kCountedCases) {
        host.SetDisplayDigits(c.displayDigits);
        const CEditableDouble a(6.0, c.a), b(1.5, c.b);
        const CEditableDouble product = a * b, quotient = a / b;
        EXPECT_EQ(product.value, 9.0);
        EXPECT_EQ(quotient.value, 4.0);
        EXPECT_EQ(product.digits, c.result) << c.a << " x " << c.b << " with display " << c.displayDigits;
        EXPECT_EQ(quotient.digits, c.result) << c.a << " / " << c.b << " with display " << c.displayDigits;
    }
}

TEST(EditableDouble, PlainNumbersKeepTheCount) {
    // No host is needed: the display digits are not read.
    const CEditableDouble two(2.0, 2), none(3.0, 0);
    const CEditableDouble results[] = {two / 4.0, two * 1.5, two / 8, none * 2.0, none / 3};
    const double values[] = {0.5, 3.0, 0.25, 6.0, 1.0};
    const int digits[] = {2, 2, 2, 0, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(results[i].value, values[i]) << i;
        EXPECT_EQ(results[i].digits, digits[i]) << i;
    }
}

TEST(EditableDouble, AssigningAPlainDoubleClearsTheCountCopyingKeepsIt) {
    CEditableDouble a;
    EXPECT_EQ(a.value, 0.0);
    EXPECT_EQ(a.digits, 0);
    a = CEditableDouble(2.5, 3);
    CEditableDouble b(a);
    EXPECT_EQ(b.value, 2.5);
    EXPECT_EQ(b.digits, 3);
    b = 7.25;
    EXPECT_EQ(b.value, 7.25);
    EXPECT_EQ(b.digits, 0);
    EXPECT_EQ(a.digits, 3);
}

TEST(EditableDouble, DivisionByZeroFollowsFloatingPoint) {
    ScopedTestModelHost host;
    host.SetDisplayDigits(4);
    const CEditableDouble one(1.0, 2), zero(0.0, 3);
    EXPECT_TRUE(std::isinf((one / zero).value));
    EXPECT_TRUE(std::isnan((zero / zero).value));
    EXPECT_TRUE(std::isinf((one / 0).value));
    EXPECT_TRUE(std::isnan((zero / 0.0).value));
    EXPECT_EQ((one / zero).digits, 4);
}

std::vector<std::uint8_t> Record(std::int32_t version, double value, std::int32_t digits) {
    Archive ar;
    ar << version << value << digits;
    return ar.Bytes();
}

TEST(EditableDouble, RecordIsSixteenBytesVersionValueDigits) {
    CEditableDouble number(1.0, 3);
    Archive ar;
    number.Serialize(ar);
    const std::vector<std::uint8_t> expected = {0x00, 0x00, 0x01, 0x00, 0,    0, 0, 0,
                                                0,    0,    0xF0, 0x3F, 0x03, 0, 0, 0};
    EXPECT_EQ(ar.Bytes(), expected);
}

struct RecordCase {
    std::int32_t version;
    double value;
    std::int32_t storedDigits;
    std::int32_t digits;
};

TEST(EditableDouble, RecordReadsBackValueAndCountWithDamagedCountsBounded) {
    // The version is not checked; counts outside 0..17 can only come from a damaged file.
    const RecordCase cases[] = {
        {0x10000, 2.5, 3, 3},        {0x10000, 2.5, 0, 0},  {0x10000, -1e-300, 17, 17},
        {0, 6.02214e23, 5, 5},       {-1, 1.0, 4, 4},       {0x10000, 1.0, 18, 17},
        {0x10000, 1.0, INT_MAX, 17}, {0x10000, 1.0, -1, 0}, {0x10000, 1.0, INT_MIN, 0},
    };
    for (const RecordCase& c : cases) {
        Archive in(Record(c.version, c.value, c.storedDigits));
        CEditableDouble number(9.0, 9);
        number.Serialize(in);
        EXPECT_EQ(number.value, c.value);
        EXPECT_EQ(number.digits, c.digits) << "stored " << c.storedDigits;
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(EditableDouble, TruncatedRecordThrowsAndLeavesTheNumberAlone) {
    const std::vector<std::uint8_t> whole = Record(0x10000, 2.5, 3);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        Archive in(std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<long>(size)));
        CEditableDouble number(7.0, 2);
        EXPECT_THROW(number.Serialize(in), ArchiveError) << size << " bytes";
        EXPECT_EQ(number.value, 7.0);
        EXPECT_EQ(number.digits, 2);
    }
}

} // namespace
