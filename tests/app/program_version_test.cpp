#include "app/program_version.h"

#include "qelt_version.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramVersion, FourPartsFromTheBuildsVersion) {
    const std::array<int, 4> parts = ProgramVersionParts();
    EXPECT_EQ(parts[0], QELT_VERSION_MAJOR);
    EXPECT_EQ(parts[1], QELT_VERSION_MINOR);
    EXPECT_EQ(parts[2], QELT_VERSION_PATCH);
    EXPECT_EQ(FormatVersionText("Version %i.%i.%i.%i", parts),
              "Version " QELT_VERSION_STRING + std::string(parts[3] == 0 ? ".0" : ""));
}

TEST(ProgramVersion, PartsMissingOrMalformedAreZero) {
    EXPECT_EQ(ParseVersionParts("2.7.1.9"), (std::array<int, 4>{2, 7, 1, 9}));
    EXPECT_EQ(ParseVersionParts("3.1"), (std::array<int, 4>{3, 1, 0, 0}));
    EXPECT_EQ(ParseVersionParts(""), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(ParseVersionParts("1.x.3"), (std::array<int, 4>{1, 0, 0, 0}));
    EXPECT_EQ(FormatVersionText("v%i-%i %%i", {1, 2, 3, 4}), "v1-2 %3");
    EXPECT_EQ(FormatVersionText("%i.%i.%i.%i.%i", {1, 2, 3, 4}), "1.2.3.4.");
}

} // namespace
