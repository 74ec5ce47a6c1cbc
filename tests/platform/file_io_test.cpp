#include "platform/core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path FreshDir(const char* name) {
    const fs::path dir =
        fs::temp_directory_path() / (std::string("qelt-") + name + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

TEST(FileIo, WriteThenReadGivesTheSameBytes) {
    const auto dir = FreshDir("io");
    const std::vector<std::uint8_t> bytes = {0, 1, 2, 0xFF, 0xB7};
    WriteFileAtomically(dir / "a.dat", bytes);
    EXPECT_EQ(ReadFileBytes(dir / "a.dat"), bytes);
    WriteFileAtomically(dir / "a.dat", {7});
    EXPECT_EQ(ReadFileBytes(dir / "a.dat"), std::vector<std::uint8_t>{7});
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary left";
    fs::remove_all(dir);
}

TEST(FileIo, FailedWriteKeepsThePreviousFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into read-only folders";
    const auto dir = FreshDir("ro");
    WriteFileAtomically(dir / "a.dat", {1, 2, 3});
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(WriteFileAtomically(dir / "a.dat", {9}), FileError);
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(ReadFileBytes(dir / "a.dat"), (std::vector<std::uint8_t>{1, 2, 3}));
    fs::remove_all(dir);
}

TEST(FileIo, MissingFileIsAnError) {
    EXPECT_THROW(ReadFileBytes("/nonexistent/qelt/file.dat"), FileError);
    EXPECT_THROW(WriteFileAtomically("/nonexistent/qelt/file.dat", {1}), FileError);
}

} // namespace
