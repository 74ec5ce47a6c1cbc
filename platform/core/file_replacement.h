#pragma once

#include "platform/core/file_io.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

// One save of a file that looks at what it replaces before it replaces it (the program database, which
// another copy of the program may save too). It resolves the file's links once, takes the lock that every
// copy of the program takes to replace that file, and holds it while the caller reads the current bytes,
// keeps a copy and commits: between this copy's look at the file and its rename, no other copy can replace
// the file. It is never to be held across a question to the user: ask, then make a new one and look again.
//
// The lock is an advisory lock (flock) on a lock file beside the file, "." + its name + ".qelt-lock", which
// stays there. Where the file system has no working locks (ENOLCK), or the lock file can be neither made nor
// opened, the save goes on without it, as WriteFileAtomically would.
//
// Reads of the file take the same lock, shared (FileReadLock): a file written in place holds part of the new
// bytes until the save ends, and a read meanwhile would take it for a damaged one.
class FileReplacement {
public:
    // Resolves links, takes the lock (waiting for a save of another copy to end) and checks that the file may
    // be replaced; throws FileError as CheckReplaceable does, holding no lock then.
    explicit FileReplacement(const std::filesystem::path& path);
    // Releases the lock.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // The file the save writes: the end of the path's links.
    const std::filesystem::path& Target() const { return m_target; }
    bool IsLocked() const { return m_lock >= 0; }
    // Says which file is there now: its device, inode, size and change time, or empty when there is none.
    // Every save of the program makes a new file, so another save in between changes it.
    std::string Identity() const;
    // The file's bytes now, or nullopt when there is none; throws as ReadFileBytes does.
    std::optional<std::vector<std::uint8_t>> ReadCurrent() const;
    // KeepCopy of the file.
    std::filesystem::path KeepCopy(const std::string& suffix) const;
    // Puts bytes in the file's place, as WriteFileAtomically does.
    void Commit(const std::vector<std::uint8_t>& bytes);

private:
    std::filesystem::path m_target;
    int m_lock = -1;
    bool m_exists = false;
    struct stat m_old {};
};

// Holds the lock of FileReplacement shared while the file is read, waiting for a save of another copy of the
// program to end first: a read between the two never sees a save half done. Where no lock can be had (no
// working locks, no lock file that can be made or opened), it holds none and the read goes on as without it;
// it never fails.
class FileReadLock {
public:
    explicit FileReadLock(const std::filesystem::path& path);
    ~FileReadLock();
    FileReadLock(const FileReadLock&) = delete;
    FileReadLock& operator=(const FileReadLock&) = delete;

    bool IsLocked() const { return m_lock >= 0; }

private:
    int m_lock = -1;
};

namespace file_replacement_testing {
// Runs, when set, at the start of every Commit, after the caller's look at the file and before anything is
// written: a test saves from another copy there.
extern std::function<void(const std::filesystem::path& target)> beforeCommit;
} // namespace file_replacement_testing
