#include "platform/core/archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::vector<std::uint8_t> Stored(const std::string& text) {
    Archive ar;
    ar.WriteString(text);
    return ar.Bytes();
}

TEST(Archive, IntegersAndDoublesAreLittleEndian) {
    Archive ar;
    ar << std::int32_t{0x00030000} << std::int32_t{-2} << 1.0;
    const std::vector<std::uint8_t> expected = {0x00, 0x00, 0x03, 0x00, 0xFE, 0xFF, 0xFF, 0xFF,
                                                0,    0,    0,    0,    0,    0,    0xF0, 0x3F};
    EXPECT_EQ(ar.Bytes(), expected);

    Archive in(ar.Bytes());
    std::int32_t a = 0, b = 0;
    double c = 0;
    in >> a >> b >> c;
    EXPECT_EQ(a, 0x30000);
    EXPECT_EQ(b, -2);
    EXPECT_EQ(c, 1.0);
    EXPECT_TRUE(in.AtEnd());
}

TEST(Archive, DoublesRoundTripExactly) {
    for (double v : {0.0, -0.0, 1.00794, 6.02214e23, std::numeric_limits<double>::denorm_min(),
                     std::numeric_limits<double>::infinity()}) {
        Archive ar;
        ar << v;
        Archive in(ar.Bytes());
        EXPECT_EQ(std::signbit(in.ReadDouble()), std::signbit(v));
    }
    Archive ar;
    ar << std::numeric_limits<double>::quiet_NaN();
    Archive in(ar.Bytes());
    EXPECT_TRUE(std::isnan(in.ReadDouble()));
}

struct StringCase {
    std::size_t length;
    std::vector<std::uint8_t> prefix;
};

TEST(Archive, StringLengthPrefixesAtEveryBoundary) {
    const StringCase cases[] = {
        {0, {0x00}},
        {1, {0x01}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        const std::string text(c.length, '\xB7');
        const auto bytes = Stored(text);
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin())) << c.length;
        Archive in(bytes);
        EXPECT_EQ(in.ReadString(), text) << c.length;
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(Archive, CountPrefixes) {
    Archive ar;
    ar.WriteCount(3);
    ar.WriteCount(0xFFFF);
    const std::vector<std::uint8_t> expected = {0x03, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00};
    EXPECT_EQ(ar.Bytes(), expected);
    Archive in(ar.Bytes());
    EXPECT_EQ(in.ReadCount(0), 3u);
    EXPECT_EQ(in.ReadCount(0), 0xFFFFu);
}

TEST(Archive, ShortOrOversizedInputIsAnError) {
    EXPECT_THROW(Archive({0x01, 0x02}).ReadInt32(), ArchiveError);
    EXPECT_THROW(Archive({0x01}).ReadDouble(), ArchiveError);
    EXPECT_THROW(Archive({0x05, 'a', 'b'}).ReadString(), ArchiveError);
    EXPECT_THROW(Archive({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}).ReadString(), ArchiveError);
    // A count that promises more records than there are bytes is refused before anything is allocated.
    EXPECT_THROW(Archive({0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10}).ReadCount(4), ArchiveError);
    EXPECT_THROW(Archive().ReadByte(), ArchiveError);
    EXPECT_THROW(Archive({0x00}).WriteByte(1), ArchiveError);
}

} // namespace
