#include "platform/core/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/file.h>
#include <sys/resource.h>
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

// What the call threw, "Cannot write \"<path>\": " followed by the system's words for the error.
std::string FailureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const FileError& error) {
        return error.what();
    }
    return "no failure";
}

std::string CannotWrite(const fs::path& path, const std::string& cause) {
    return "Cannot write \"" + path.string() + "\": " + cause;
}

// A limit on the process's resources for the life of the object; no user escapes it, root included.
class ResourceLimit {
public:
    ResourceLimit(int resource, rlim_t limit) : m_resource(resource) {
        EXPECT_EQ(::getrlimit(m_resource, &m_saved), 0);
        rlimit limited = m_saved;
        limited.rlim_cur = limit;
        EXPECT_EQ(::setrlimit(m_resource, &limited), 0);
    }
    ~ResourceLimit() { ::setrlimit(m_resource, &m_saved); }
    ResourceLimit(const ResourceLimit&) = delete;
    ResourceLimit& operator=(const ResourceLimit&) = delete;

private:
    int m_resource;
    rlimit m_saved{};
};

TEST(FileIo, FailedWriteKeepsThePreviousFileAndSaysWhy) {
    const auto dir = FreshDir("fail");
    const fs::path file = dir / "a.dat";
    const std::vector<std::uint8_t> before = {1, 2, 3};
    WriteFileAtomically(file, before);
    {
        // No descriptor left for the temporary file.
        const int lowestFree = ::open("/dev/null", O_RDONLY);
        ASSERT_GE(lowestFree, 0);
        ::close(lowestFree);
        // The failure is looked at once the limit is lifted: the sanitizers' runtime needs descriptors of
        // its own to check the exception's type.
        std::exception_ptr failure;
        {
            const ResourceLimit noFiles(RLIMIT_NOFILE, static_cast<rlim_t>(lowestFree));
            try {
                WriteFileAtomically(file, {9});
            } catch (...) {
                failure = std::current_exception();
            }
        }
        ASSERT_TRUE(failure);
        EXPECT_EQ(FailureOf([&] { std::rethrow_exception(failure); }),
                  CannotWrite(file, std::strerror(EMFILE)));
    }
    {
        // Room for two bytes of the four.
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        {
            const ResourceLimit twoBytes(RLIMIT_FSIZE, 2);
            EXPECT_EQ(FailureOf([&] {
                          WriteFileAtomically(file, {9, 9, 9, 9});
                      }),
                      CannotWrite(file, std::strerror(EFBIG)));
        }
        std::signal(SIGXFSZ, previousHandler);
    }
    // A path through the file as if it were a folder.
    EXPECT_EQ(FailureOf([&] { WriteFileAtomically(file / "b.dat", {9}); }),
              CannotWrite(file / "b.dat", std::strerror(ENOTDIR)));
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"a.dat"}) << "no temporary file is left";
    fs::remove_all(dir);
}

TEST(FileIo, ASaveKeepsWhatTheUserHad) {
    const auto dir = FreshDir("keep");
    const fs::path file = dir / "private.equ";
    WriteFileAtomically(file, {1});
    ::chmod(file.c_str(), 0600);
    WriteFileAtomically(file, {2});
    EXPECT_EQ(ModeOf(file), 0600u) << "a private file stays private";
    // A new file has the permissions the user gives new files.
    const mode_t previousMask = ::umask(027);
    WriteFileAtomically(dir / "new.dat", {1});
    ::umask(previousMask);
    EXPECT_EQ(ModeOf(dir / "new.dat"), 0640u);

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

TEST(FileIo, WhatIsNoRegularFileIsNeitherReadNorReplaced) {
    const auto cannotOpen = [](const fs::path& path, const std::string& cause) {
        return "Cannot open \"" + path.string() + "\": " + cause;
    };
    const fs::path missing = "/nonexistent/qelt/file.dat";
    EXPECT_EQ(FailureOf([&] { ReadFileBytes(missing); }), cannotOpen(missing, std::strerror(ENOENT)));
    EXPECT_EQ(FailureOf([&] { WriteFileAtomically(missing, {1}); }),
              CannotWrite(missing, std::strerror(ENOENT)));
    // A pipe would wait for a writer for ever; a device would be set going.
    const auto dir = FreshDir("special");
    const fs::path pipe = dir / "pipe.equ";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const fs::path& special : {pipe, fs::path("/dev/null")}) {
        EXPECT_EQ(FailureOf([&] { ReadFileBytes(special); }),
                  cannotOpen(special, "it is not a regular file"));
        EXPECT_EQ(FailureOf([&] { CheckReplaceable(special); }),
                  CannotWrite(special, "it is not a regular file"));
    }
    EXPECT_EQ(FailureOf([&] { WriteFileAtomically(pipe, {1}); }),
              CannotWrite(pipe, "it is not a regular file"));
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(FailureOf([&] { ReadFileBytes(dir); }), cannotOpen(dir, std::strerror(EISDIR)));
    // Nor does a save's clean-up wait on a pipe named as one of its temporary files.
    ASSERT_EQ(::mkfifo((dir / ".a.dat.qelt-save-Pipe00").c_str(), 0600), 0);
    WriteFileAtomically(dir / "a.dat", {1});
    EXPECT_EQ(Names(dir), (std::vector<std::string>{".a.dat.qelt-save-Pipe00", "a.dat", "pipe.equ"}));
    fs::remove_all(dir);
}

} // namespace
