#include "model/text_utils.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct GcdCase {
    int a, b, gcd;
};

TEST(TextUtils, GcdFollowsTruncatedRemainders) {
    const std::vector<GcdCase> cases = {
        {12, 18, 6},
        {18, 12, 6},
        {7, 7, 7},
        {1, 5, 1},
        {24, -1, -1},
        {4, -6, -2},
        {-4, 6, 2},
        {-12, -18, -6},
        {INT_MAX, 1, 1},
        {INT_MIN, 2, 2},
        {INT_MIN, INT_MIN, INT_MIN},
        // Outside the arithmetic's contract, but never a trap.
        {INT_MIN, -1, -1},
        {-1, INT_MIN, -1},
        {0, 5, 5},
        {5, 0, 5},
        {0, -3, -3},
        {0, 0, 0},
    };
    for (const GcdCase& c : cases)
        EXPECT_EQ(Gcd(c.a, c.b), c.gcd) << "Gcd(" << c.a << ", " << c.b << ")";
}

TEST(TextUtils, CompareNoCaseFoldsOnlyAsciiLetters) {
    EXPECT_EQ(CompareNoCase("cit", "CIT"), 0);
    EXPECT_LT(CompareNoCase("C", "cl"), 0) << "a prefix first";
    EXPECT_LT(CompareNoCase("Z", "\xE9"), 0) << "bytes above ASCII after the letters";
    EXPECT_NE(CompareNoCase("\xC9", "\xE9"), 0) << "E acute is no ASCII letter";
    EXPECT_EQ(CompareNoCase("", ""), 0);
}

TEST(TextUtils, OnlyAsciiDigitsAreDigits) {
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(IsDigit(static_cast<char>(c)), c >= '0' && c <= '9') << c;
    // Superscript two and three of Windows-1252.
    EXPECT_FALSE(IsDigit('\xB2'));
    EXPECT_FALSE(IsDigit('\xB3'));
}

struct LeadingNumberCase {
    std::string text;
    int value;
    std::string rest;
};

TEST(TextUtils, TakeLeadingNumberRemovesTheDigits) {
    const std::vector<LeadingNumberCase> cases = {
        {"2H2O", 2, "H2O"},
        {"H2O", 0, "H2O"},
        {"0.5H2O", 0, ".5H2O"},
        {"", 0, ""},
        {"123", 123, ""},
        {"007X", 7, "X"},
        // Too large for an int: the largest int, and the digits are gone all the same.
        {"99999999999999999999Fe", INT_MAX, "Fe"},
    };
    for (LeadingNumberCase c : cases) {
        const std::string original = c.text;
        EXPECT_EQ(TakeLeadingNumber(c.text), c.value) << original;
        EXPECT_EQ(c.text, c.rest) << original;
    }
}

TEST(TextUtils, SplitAtAnyCutsAtTheFirstSeparator) {
    std::string text = "NaCl,2H2O";
    char found = 'x';
    EXPECT_EQ(SplitAtAny(text, ",", &found), "NaCl");
    EXPECT_EQ(text, "2H2O");
    EXPECT_EQ(found, ',');
    EXPECT_EQ(SplitAtAny(text, ",", &found), "2H2O");
    EXPECT_EQ(text, "");
    EXPECT_EQ(found, 0);

    std::string mass = "24.3050";
    EXPECT_EQ(SplitAtAny(mass, "."), "24");
    EXPECT_EQ(mass, "3050");
    std::string whole = "145";
    EXPECT_EQ(SplitAtAny(whole, "."), "145");
    EXPECT_EQ(whole, "");

    // The first of any separator in the set, whichever it is; the hydrate dot is one byte.
    std::string hydrate = "CuSO4\xB7"
                          "5H2O&x";
    EXPECT_EQ(SplitAtAny(hydrate, "&,\xB7", &found), "CuSO4");
    EXPECT_EQ(found, '\xB7');
    EXPECT_EQ(hydrate, "5H2O&x");

    std::string leading = ",a";
    EXPECT_EQ(SplitAtAny(leading, ","), "");
    EXPECT_EQ(leading, "a");
    std::string none = "abc";
    EXPECT_EQ(SplitAtAny(none, "", &found), "abc");
    EXPECT_EQ(found, 0);
}

TEST(TextUtils, LookupIndexIsExactAndBounded) {
    const std::array<std::string_view, 3> names = {"L", "mL", "L"};
    const std::array<int, 3> values = {10, 20, 30};
    EXPECT_EQ(LookupIndex("L", names, values), 10);
    EXPECT_EQ(LookupIndex("mL", names, values), 20);
    EXPECT_EQ(LookupIndex("ml", names, values), -1);
    EXPECT_EQ(LookupIndex("", names, values), -1);
    EXPECT_EQ(LookupIndex("mL", std::span(names).first(1), values), -1);
    EXPECT_EQ(LookupIndex("mL", names, std::span(values).first(1)), -1);
    EXPECT_EQ(LookupIndex("L", {}, {}), -1);
}

TEST(TextUtils, FileExistsOnlyForFiles) {
    const auto folder = std::filesystem::temp_directory_path() / "qelt_file_exists_test";
    std::filesystem::create_directories(folder);
    const auto file = folder / "database.dat";
    std::ofstream(file) << "x";
    EXPECT_TRUE(FileExists(file.string()));
    EXPECT_FALSE(FileExists(folder.string()));
    EXPECT_FALSE(FileExists((folder / "missing.dat").string()));
    EXPECT_FALSE(FileExists(""));
    std::filesystem::remove_all(folder);
}

} // namespace
