#include "app/dialogs/tip_rotation.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

// Every tip once before any repeats, from any start, with every drawn increment.
void ExpectFullCycle(TipRotation rotation) {
    std::set<int> seen;
    for (int i = 0; i < rotation.Count(); ++i) {
        const int shown = rotation.Advance();
        ASSERT_GE(shown, 0);
        ASSERT_LT(shown, rotation.Count());
        EXPECT_TRUE(seen.insert(shown).second) << "tip " << shown << " repeated before all were shown";
    }
    EXPECT_EQ(static_cast<int>(seen.size()), rotation.Count());
}

TEST(TipRotation, FirstUseDrawsAStartAndAnIncrementPrimeToTheCount) {
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        const TipRotation rotation(23, -1, -1, seed);
        EXPECT_TRUE(rotation.IncrementDrawn());
        EXPECT_GE(rotation.Current(), 0);
        EXPECT_LT(rotation.Current(), 23);
        EXPECT_GE(rotation.Increment(), 1);
        EXPECT_LE(rotation.Increment(), 22);
        ExpectFullCycle(rotation);
    }
}

TEST(TipRotation, StoredPositionAndIncrementAreKept) {
    TipRotation rotation(23, 5, 7, 1);
    EXPECT_FALSE(rotation.IncrementDrawn());
    EXPECT_EQ(rotation.Advance(), 5);
    EXPECT_EQ(rotation.Current(), 12);
    EXPECT_EQ(rotation.Advance(), 12);
    EXPECT_EQ(rotation.Advance(), 19);
    EXPECT_EQ(rotation.Advance(), 3) << "wraps modulo the count";

    // The next opening starts where the last one stopped.
    TipRotation reopened(23, rotation.Current(), rotation.Increment(), 99);
    EXPECT_EQ(reopened.Advance(), 10);
}

TEST(TipRotation, DamagedOrUnfittingSettingsGiveAFreshRotation) {
    struct Stored {
        int count, current, increment;
    };
    const Stored cases[] = {
        {23, 4, 0},  // increment 0 would show one tip for ever
        {23, 4, 23}, // a multiple of the count, likewise
        {23, 4, -2}, // negative steps would leave the table
        {23, 40, 3}, // position outside the tips
        {23, -7, 3}, //
        {22, 4, 11}, // shares a divisor with the count (the number of tips changed)
        {22, 4, 2},  //
        {6, 0, 4},   //
        {23, 4, -2147483647 - 1},
    };
    for (const Stored& s : cases) {
        const TipRotation rotation(s.count, s.current, s.increment, 7);
        EXPECT_TRUE(rotation.IncrementDrawn()) << s.current << "/" << s.increment;
        EXPECT_EQ(TipGcd(rotation.Count(), rotation.Increment()), 1);
        ExpectFullCycle(rotation);
    }
}

TEST(TipRotation, FewTipsNeitherDivideByZeroNorLoop) {
    TipRotation none(0, -1, -1, 3);
    EXPECT_EQ(none.Advance(), -1);
    EXPECT_EQ(none.Advance(), -1);

    TipRotation one(1, -1, -1, 3);
    EXPECT_EQ(one.Advance(), 0);
    EXPECT_EQ(one.Advance(), 0);

    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        TipRotation two(2, -1, -1, seed);
        EXPECT_EQ(two.Increment(), 1);
        ExpectFullCycle(two);
    }
    TipRotation negative(-5, 0, 1, 3);
    EXPECT_EQ(negative.Count(), 0);
    EXPECT_EQ(negative.Advance(), -1);
}

TEST(TipRotation, CountStopsAtTheMarkerAMissingStringOrTheLimit) {
    std::map<int, std::string> strings = {{10000, "a"}, {10001, "b"}, {10002, "*"}, {10003, "c"}};
    const auto lookup = [&](int id) -> std::optional<std::string> {
        const auto found = strings.find(id);
        return found == strings.end() ? std::nullopt : std::optional<std::string>(found->second);
    };
    EXPECT_EQ(CountTips(lookup, 10000, 1000), 2);

    strings.erase(10002); // no end marker: the count stops at the first missing string
    EXPECT_EQ(CountTips(lookup, 10000, 1000), 2);
    strings[10002] = "x";
    EXPECT_EQ(CountTips(lookup, 10000, 1000), 4);

    const auto endless = [](int) -> std::optional<std::string> { return std::string("tip"); };
    EXPECT_EQ(CountTips(endless, 10000, 50), 50);
    EXPECT_EQ(CountTips(lookup, 20000, 1000), 0);
}

TEST(TipRotation, GcdOfMagnitudes) {
    EXPECT_EQ(TipGcd(23, 7), 1);
    EXPECT_EQ(TipGcd(22, 11), 11);
    EXPECT_EQ(TipGcd(23, 0), 23);
    EXPECT_EQ(TipGcd(23, -1), 1);
    EXPECT_EQ(TipGcd(-2147483647 - 1, 2), 2);
}

} // namespace
