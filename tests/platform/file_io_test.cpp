#include "platform/core/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileIo, ASaveKeepsWhatTheUserHad) {
    const auto dir = FreshDir("keep");
    const fs::path file = dir / "private.equ";
    WriteFileAtomically(file, {1});
    ::chmod(file.c_str(), 0600);
    WriteFileAtomically(file, {2});
    EXPECT_EQ(ModeOf(file), 0600u) << "a private file stays private";

    // Through a chain of links, one of them relative: the target changes, the links stay links.
    fs::create_directories(dir / "real");
    WriteFileAtomically(dir / "real" / "target.dat", {3});
    ::chmod((dir / "real" / "target.dat").c_str(), 0640);
    fs::create_symlink("real/target.dat", dir / "inner");
    fs::create_symlink(dir / "inner", dir / "outer");
    WriteFileAtomically(dir / "outer", {4, 5});
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "outer")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "inner")));
    EXPECT_EQ(ReadFileBytes(dir / "real" / "target.dat"), (std::vector<std::uint8_t>{4, 5}));
    EXPECT_EQ(ModeOf(dir / "real" / "target.dat"), 0640u);
    // A link to a file not made yet makes the file.
    fs::create_symlink("real/new.dat", dir / "dangling");
    WriteFileAtomically(dir / "dangling", {6});
    EXPECT_EQ(ReadFileBytes(dir / "real" / "new.dat"), std::vector<std::uint8_t>{6});
    fs::create_symlink("loop", dir / "loop");
    EXPECT_THROW(WriteFileAtomically(dir / "loop", {7}), FileError);
    fs::remove_all(dir);
}

TEST(FileIo, AReadOnlyFileIsRefusedWhoeverSaves) {
    const auto dir = FreshDir("readonly");
    const fs::path file = dir / "locked.dat";
    WriteFileAtomically(file, {1, 2});
    ::chmod(file.c_str(), 0444);
    EXPECT_THROW(WriteFileAtomically(file, {9}), FileError);
    EXPECT_EQ(ReadFileBytes(file), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(ModeOf(file), 0444u);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"locked.dat"});
    // Nor is a folder replaced by a file.
    fs::create_directories(dir / "folder.dat");
    EXPECT_THROW(WriteFileAtomically(dir / "folder.dat", {9}), FileError);
    EXPECT_TRUE(fs::is_directory(dir / "folder.dat"));
    fs::remove_all(dir);
}

TEST(FileIo, ASaveClearsTheTemporariesOfKilledSavesOfThatFileOnly) {
    const auto dir = FreshDir("stale");
    const fs::path file = dir / "config.dat";
    WriteFileAtomically(file, {1});
    const auto touch = [&](const std::string& name) { WriteFileAtomically(dir / name, {0}); };
    touch(".config.dat.qelt-save-ab12CD");      // left by a killed save of this file
    touch(".other.dat.qelt-save-ab12CD");       // another file's
    touch("config.dat.backup");                 // the user's own
    touch(".config.dat.qelt-save-ab12CD.keep"); // not a name a save makes
    // A save still running holds the lock on its file: it stays.
    const fs::path running = dir / ".config.dat.qelt-save-RUNNIN";
    touch(running.filename().string());
    const int fd = ::open(running.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    WriteFileAtomically(file, {2});
    ::close(fd);
    EXPECT_EQ(Names(dir),
              (std::vector<std::string>{".config.dat.qelt-save-RUNNIN", ".config.dat.qelt-save-ab12CD.keep",
                                        ".other.dat.qelt-save-ab12CD", "config.dat", "config.dat.backup"}));
    fs::remove_all(dir);
}

TEST(FileIo, AKilledSaveLeavesTheOldOrTheNewFile) {
    const auto dir = FreshDir("kill");
    const fs::path file = dir / "big.dat";
    const std::vector<std::uint8_t> oldBytes(1 << 20, 0x11), newBytes(1 << 20, 0x22);
    WriteFileAtomically(file, oldBytes);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                WriteFileAtomically(file, newBytes);
                WriteFileAtomically(file, oldBytes);
            }
        }
        ::usleep(static_cast<useconds_t>(2000 + 1500 * round));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::vector<std::uint8_t> now = ReadFileBytes(file);
        EXPECT_TRUE(now == oldBytes || now == newBytes) << "round " << round;
    }
    WriteFileAtomically(file, oldBytes);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"big.dat"}) << "the next save cleared what the kills left";
    fs::remove_all(dir);
}

TEST(FileIo, MissingFileIsAnError) {
    EXPECT_THROW(ReadFileBytes("/nonexistent/qelt/file.dat"), FileError);
    // Neither a folder nor a pipe is read (a pipe would wait for a writer for ever).
    const auto dir = FreshDir("special");
    ASSERT_EQ(::mkfifo((dir / "pipe.equ").c_str(), 0600), 0);
    EXPECT_THROW(ReadFileBytes(dir / "pipe.equ"), FileError);
    EXPECT_THROW(ReadFileBytes(dir), FileError);
    fs::remove_all(dir);
    EXPECT_THROW(WriteFileAtomically("/nonexistent/qelt/file.dat", {1}), FileError);
}

} // namespace
