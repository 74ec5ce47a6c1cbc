#include "platform/core/file_io.h"
#include "support/acl_bytes.h"
#include "support/pipe_watchdog.h"
#include "support/scoped_hook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

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
        // Room for two bytes of the four: the program, as it does at start, keeps running past the limit
        // (the system's default would end it with SIGXFSZ).
        KeepRunningPastFileSizeLimit();
        const ResourceLimit twoBytes(RLIMIT_FSIZE, 2);
        EXPECT_EQ(FailureOf([&] {
                      WriteFileAtomically(file, {9, 9, 9, 9});
                  }),
                  CannotWrite(file, std::strerror(EFBIG)));
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

using test_support::Acl;
using test_support::kGroupObj;
using test_support::kNone;
using test_support::kOther;
using test_support::kUserObj;

// The attribute's value, or "none".
std::string Attribute(const fs::path& path, const char* name) {
    char value[256];
    const ssize_t size = ::getxattr(path.c_str(), name, value, sizeof value);
    return size < 0 ? "none" : std::string(value, static_cast<std::size_t>(size));
}

bool SetAttribute(const fs::path& path, const char* name, const std::string& value) {
    return ::setxattr(path.c_str(), name, value.data(), value.size(), 0) == 0;
}

// A fresh folder where the file system keeps ACLs and user attributes, or none: the temporary folder may
// be one without them (tmpfs), the build tree rarely is.
fs::path AttributeFolder(const char* name) {
    for (const fs::path& base : {fs::temp_directory_path(), fs::current_path()}) {
        const fs::path dir = base / ("qelt-" + std::string(name) + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        WriteFileAtomically(dir / "probe", {1});
        const bool keeps =
            SetAttribute(dir / "probe", "system.posix_acl_access",
                         Acl({{kUserObj, 6, kNone}, {kGroupObj, 0, kNone}, {kOther, 0, kNone}})) &&
            SetAttribute(dir / "probe", "user.probe", "1");
        fs::remove(dir / "probe");
        if (keeps)
            return dir;
        fs::remove_all(dir);
    }
    return {};
}

TEST(FileIo, ASaveKeepsTheAclAndAttributesAndOpensTheFileToNoOneMore) {
    // User 1000 may write, the owning group only read, though the mode's group bits (the mask) say rw.
    const std::string acl = test_support::AclLettingUserWrite(1000, 4);
    const fs::path dir = AttributeFolder("acl");
    if (dir.empty())
        GTEST_SKIP() << "no folder here keeps ACLs and user attributes";
    const fs::path file = dir / "shared.equ";
    WriteFileAtomically(file, {1});
    ASSERT_TRUE(SetAttribute(file, "system.posix_acl_access", acl) &&
                SetAttribute(file, "user.origin", "lab"));
    ASSERT_EQ(ModeOf(file), 0660u);
    WriteFileAtomically(file, {2});
    EXPECT_EQ(ReadFileBytes(file), std::vector<std::uint8_t>{2});
    EXPECT_EQ(Attribute(file, "system.posix_acl_access"), acl) << "user 1000 writes, the group only reads";
    EXPECT_EQ(Attribute(file, "user.origin"), "lab");
    EXPECT_EQ(ModeOf(file), 0660u);
    // A copy is no more open than the file.
    const fs::path copy = KeepCopy(file, ".damaged");
    EXPECT_EQ(Attribute(copy, "system.posix_acl_access"), acl);
    EXPECT_EQ(Attribute(copy, "user.origin"), "lab");

    // A file without an ACL gets none from its folder's default, which would let user 1000 in.
    const fs::path plain = dir / "plain.equ";
    WriteFileAtomically(plain, {1});
    ::chmod(plain.c_str(), 0640);
    ASSERT_TRUE(SetAttribute(dir, "system.posix_acl_default", acl));
    WriteFileAtomically(plain, {2});
    EXPECT_EQ(Attribute(plain, "system.posix_acl_access"), "none");
    EXPECT_EQ(ModeOf(plain), 0640u);
    fs::remove_all(dir);
}

// Runs call in a child process as the user uid with the groups gids (the first his own) and returns what
// it returned, or why it returned nothing within seconds. Only root can switch users: another runs call as
// himself.
std::string AsUser(uid_t uid, const std::vector<gid_t>& gids, const std::function<std::string()>& call) {
    int out[2];
    if (::pipe(out) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        std::string result = "cannot switch to the user";
        if (::geteuid() != 0 ||
            (::setgroups(gids.size(), gids.data()) == 0 && ::setresgid(gids[0], gids[0], gids[0]) == 0 &&
             ::setresuid(uid, uid, uid) == 0))
            result = call();
        ::_exit(::write(out[1], result.data(), result.size()) == static_cast<ssize_t>(result.size()) ? 0 : 1);
    }
    ::close(out[1]);
    std::string result;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable{out[0], POLLIN, 0};
        char buffer[512];
        if (left.count() <= 0 || ::poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
            result = "no answer in time";
            ::kill(child, SIGKILL);
            break;
        }
        const ssize_t got = ::read(out[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        result.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : result + " (the child failed)";
}

// Who may read and write the file: the owner 1000, the user 1001, 1002 of the group 2000, 1004 of the group
// 1001 and 1003 of neither.
std::string Openers(const fs::path& file) {
    std::string who;
    for (const auto& [uid, gid] :
         {std::pair{1000u, 1000u}, {1001u, 1001u}, {1002u, 2000u}, {1004u, 1001u}, {1003u, 1003u}})
        who += std::to_string(uid) + ":" + AsUser(uid, {gid}, [&] {
                   return std::string(::access(file.c_str(), R_OK) == 0 ? "r" : "-") +
                          (::access(file.c_str(), W_OK) == 0 ? "w " : "- ");
               });
    return who;
}

TEST(FileIo, ASaveLeavesTheSamePeopleAbleToOpenTheFileWhoeverSaves) {
    const fs::path dir = AttributeFolder("shared");
    if (dir.empty())
        GTEST_SKIP() << "no folder here keeps ACLs and user attributes";
    const fs::path file = dir / "lab.dat", link = dir / "link.dat";
    const std::vector<std::uint8_t> oldBytes = {1, 2, 3}, newBytes = {4, 5, 6, 7};
    // Other hard links to the file see what is saved.
    WriteFileAtomically(file, oldBytes);
    fs::create_hard_link(file, link);
    WriteFileAtomically(file, newBytes);
    EXPECT_EQ(ReadFileBytes(link), newBytes);
    fs::remove(link);
    if (::geteuid() != 0) {
        fs::remove_all(dir);
        GTEST_SKIP() << "only root makes files of other users";
    }
    // A lab's shared file, owner 1000 and group 2000, that user 1001 may write through its ACL, in a folder
    // all may write; the owning group may read it (640) or not (600).
    ASSERT_EQ(::chmod(dir.c_str(), 0777), 0);
    for (const auto& [groupRights, openers] : {std::pair{4u, "1000:rw 1001:rw 1002:r- 1004:-- 1003:-- "},
                                               {0u, "1000:rw 1001:rw 1002:-- 1004:-- 1003:-- "}}) {
        WriteFileAtomically(file, oldBytes);
        ASSERT_EQ(::chown(file.c_str(), 1000, 2000), 0);
        ASSERT_TRUE(SetAttribute(file, "system.posix_acl_access",
                                 test_support::AclLettingUserWrite(1001, groupRights)));
        ASSERT_EQ(Openers(file), openers);
        EXPECT_EQ(
            AsUser(1001, {1001}, [&] { return FailureOf([&] { WriteFileAtomically(file, newBytes); }); }),
            "no failure");
        EXPECT_EQ(ReadFileBytes(file), newBytes);
        EXPECT_EQ(Openers(file), openers);
        EXPECT_EQ(Names(dir), std::vector<std::string>{"lab.dat"}) << "the copy kept meanwhile is gone";
    }
    // A write that fails, with its old bytes that cannot be put back: the error names the copy of them,
    // which only the saver may open.
    const std::string failure = AsUser(1001, {1001}, [&] {
        const test_support::ScopedHook failingSync(file_io_testing::syncFile, [](int fd) {
            struct stat info {};
            if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid != ::getuid()) {
                errno = EIO;
                return -1;
            }
            return ::fsync(fd);
        });
        return FailureOf([&] { WriteFileAtomically(file, oldBytes); });
    });
    const fs::path copy = dir / "lab.dat.qelt-before-save";
    EXPECT_EQ(failure, CannotWrite(file, std::string(std::strerror(EIO)) +
                                             "; it may be damaged, and what it held before is kept in \"" +
                                             copy.string() + "\""));
    EXPECT_EQ(ReadFileBytes(copy), newBytes);
    EXPECT_EQ(Openers(copy), "1000:-- 1001:rw 1002:-- 1004:-- 1003:-- ");
    fs::remove_all(dir);
}

TEST(FileIo, AWriteOnlyFileIsSavedAndItsUnreadableUserAttributeLeftBehind) {
    const fs::path dir = AttributeFolder("writeonly");
    if (dir.empty())
        GTEST_SKIP() << "no folder here keeps ACLs and user attributes";
    const fs::path file = dir / "drop.dat";
    WriteFileAtomically(file, {1});
    ASSERT_TRUE(SetAttribute(file, "user.tag", "lab"));
    ASSERT_EQ(::chmod(file.c_str(), 0200), 0);
    // Root reads every attribute: he saves as the file's owner, a user like any other.
    const bool root = ::geteuid() == 0;
    const uid_t user = root ? 1001 : ::geteuid();
    const gid_t group = root ? 1001 : ::getegid();
    ASSERT_EQ(::chown(file.c_str(), user, group), 0);
    ASSERT_EQ(::chmod(dir.c_str(), 0777), 0);
    EXPECT_EQ(AsUser(user, {group}, [&] { return FailureOf([&] { WriteFileAtomically(file, {2}); }); }),
              "no failure");
    EXPECT_EQ(ModeOf(file), 0200u);
    ::chmod(file.c_str(), 0600);
    EXPECT_EQ(ReadFileBytes(file), std::vector<std::uint8_t>{2});
    fs::remove_all(dir);
}

// Lets the folder's sync fail with EIO while the file's own sync works, for the life of what it returns.
test_support::ScopedHook<int (*)(int)> FailingFolderSync() {
    return {file_io_testing::syncFile, [](int fd) {
                struct stat info {};
                if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
                    errno = EIO;
                    return -1;
                }
                return ::fsync(fd);
            }};
}

TEST(FileIo, ASaveIsDoneOnceTheFileIsInPlace) {
    const auto dir = FreshDir("folder-sync");
    const fs::path file = dir / "a.dat";
    WriteFileAtomically(file, {1});
    {
        const auto failing = FailingFolderSync();
        EXPECT_NO_THROW(WriteFileAtomically(file, {2}));
        EXPECT_EQ(KeepCopy(file, ".copy").filename(), "a.dat.copy");
    }
    EXPECT_EQ(ReadFileBytes(file), std::vector<std::uint8_t>{2});
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"a.dat", "a.dat.copy"}));
    fs::remove_all(dir);
}

TEST(FileIo, AFileSystemWithoutLocksStillSaves) {
    const auto dir = FreshDir("nolock");
    const fs::path file = dir / "a.dat";
    WriteFileAtomically(file, {1});
    // What a killed save left, or what a save still running writes: without locks no one can tell.
    WriteFileAtomically(dir / ".a.dat.qelt-save-ab12CD", {0});
    {
        const test_support::ScopedHook noLocks(file_io_testing::lockFile, [](int, int) {
            errno = ENOLCK;
            return -1;
        });
        EXPECT_EQ(FailureOf([&] { WriteFileAtomically(file, {2}); }), "no failure");
    }
    EXPECT_EQ(ReadFileBytes(file), std::vector<std::uint8_t>{2});
    EXPECT_EQ(Names(dir), (std::vector<std::string>{".a.dat.qelt-save-ab12CD", "a.dat"}));
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

// The names of the temporary files of saves of file now there.
std::vector<std::string> Temporaries(const fs::path& file) {
    const std::string prefix = "." + file.filename().string() + ".qelt-save-";
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(file.parent_path(), error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().filename().string().rfind(prefix, 0) == 0)
            names.push_back(it->path().filename().string());
    }
    return names;
}

// The size of a temporary file of a save of file now there that is none of earlier ones, or -1.
std::intmax_t NewTemporarySize(const fs::path& file, const std::vector<std::string>& earlier) {
    for (const std::string& name : Temporaries(file)) {
        std::error_code error;
        const auto size = fs::file_size(file.parent_path() / name, error);
        if (!error && std::find(earlier.begin(), earlier.end(), name) == earlier.end())
            return static_cast<std::intmax_t>(size);
    }
    return -1;
}

TEST(FileIo, AKilledSaveLeavesTheOldOrTheNewFile) {
    const auto dir = FreshDir("kill");
    const fs::path file = dir / "big.dat";
    constexpr int kRounds = 20;
    const std::vector<std::uint8_t> oldBytes(1 << 20, 0x11), newBytes(1 << 20, 0x22);
    WriteFileAtomically(file, oldBytes);
    for (int round = 0; round < kRounds; ++round) {
        // What earlier rounds' kills left is no save of this round's.
        const std::vector<std::string> earlier = Temporaries(file);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                WriteFileAtomically(file, newBytes);
                WriteFileAtomically(file, oldBytes);
            }
        }
        // Killed in the middle of a save, each round with more of the temporary file written.
        const std::intmax_t written = static_cast<std::intmax_t>(newBytes.size()) * round / kRounds;
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (NewTemporarySize(file, earlier) < written && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "round " << round << ": no save to kill";
        const std::vector<std::uint8_t> now = ReadFileBytes(file);
        EXPECT_TRUE(now == oldBytes || now == newBytes) << "round " << round;
    }
    WriteFileAtomically(file, oldBytes);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"big.dat"}) << "the next save cleared what the kills left";
    fs::remove_all(dir);
}

TEST(FileIo, WhatIsNoRegularFileIsNeitherReadNorReplaced) {
    const auto dir = FreshDir("special");
    const fs::path pipe = dir / "pipe.equ";
    const fs::path pipedTemporary = dir / ".a.dat.qelt-save-Pipe00";
    const test_support::PipeWatchdog watchdog({pipe, pipedTemporary}, "a pipe opened as a file");
    const auto cannotOpen = [](const fs::path& path, const std::string& cause) {
        return "Cannot open \"" + path.string() + "\": " + cause;
    };
    const fs::path missing = "/nonexistent/qelt/file.dat";
    EXPECT_EQ(FailureOf([&] { ReadFileBytes(missing); }), cannotOpen(missing, std::strerror(ENOENT)));
    EXPECT_EQ(FailureOf([&] { WriteFileAtomically(missing, {1}); }),
              CannotWrite(missing, std::strerror(ENOENT)));
    // A pipe would wait for a writer for ever; a device would be set going.
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
    ASSERT_EQ(::mkfifo(pipedTemporary.c_str(), 0600), 0);
    WriteFileAtomically(dir / "a.dat", {1});
    EXPECT_EQ(Names(dir), (std::vector<std::string>{".a.dat.qelt-save-Pipe00", "a.dat", "pipe.equ"}));
    fs::remove_all(dir);
}

} // namespace
