#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Whole-file reads and safe whole-file writes for the program's binary files.

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file longer than the program reads (kMaxReadSize).
class FileTooLargeError : public FileError {
public:
    using FileError::FileError;
};

// The longest file ReadFileBytes reads: far beyond any file the program writes, so that a file that cannot
// be one of them is refused before it takes the memory and the time of reading it.
inline constexpr std::uint64_t kMaxReadSize = 128u << 20;
// How many of a file's first bytes a reader may look at before the rest is read.
inline constexpr std::size_t kFileHeadSize = 16;

// Looks at a file's first kFileHeadSize bytes (all of a shorter file) and its size before the rest is read;
// throws to refuse the file.
using FileHeadCheck = std::function<void(const std::vector<std::uint8_t>& head, std::uint64_t size)>;

// Reads the whole file; throws FileError when it cannot be opened or read, is no regular file (a folder,
// a pipe, a device, which are not opened at all) or is longer than kMaxReadSize (FileTooLargeError). Every
// FileError names the file and the system's reason. A check, when given, sees the file's head first and
// may refuse it, with its own error, before the length is looked at.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path, const FileHeadCheck& check = {});

// Writes the bytes to a temporary file beside the target and renames it over the target only when the
// whole write succeeded, so a failed or killed save leaves the previous file as it was; the file and its
// folder are synced before it returns, so a save done survives a power cut. The new file keeps the old
// one's owner and group, permissions and access ACL, or the save fails, and its user.* extended
// attributes where the user may read them. A save leaves the same people able to open the file, never
// more: a file whose owner and group a new file cannot take (another user's file that he may write), and
// one with other hard links, is written in place instead, after a copy of it is kept beside it (see
// WriteResolvedFile). A symbolic link is written through to its target and stays a link. A file the user may
// not write, or one without any write permission, is refused and left alone. Temporary files that earlier
// saves of the same file left behind are removed (where the file system has working locks, which tell them
// from a save still running). Bytes longer than ReadFileBytes reads are refused before anything is written:
// a save never writes a file the program cannot read back. Throws FileError on failure; once the new file
// has taken the old one's place the save is done, and a folder that cannot be synced then is only told on
// stderr.
void WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

struct stat;
// What WriteFileAtomically does once it has found the file to replace: target is no symbolic link and may
// be replaced (CheckReplaceable), and old is what it is now (null when there is none yet). Written in
// place, the file keeps its owner, group, mode, ACL, attributes and links; its old bytes are kept in
// target + ".qelt-before-save" until the new ones are synced, and put back should the write fail; where
// they cannot be, the error names the copy, and a killed save leaves it too. Throws FileError.
void WriteResolvedFile(const std::filesystem::path& target, const struct stat* old,
                       const std::vector<std::uint8_t>& bytes);

// Throws FileError when WriteFileAtomically would refuse to replace the file at path.
void CheckReplaceable(const std::filesystem::path& path);

// Copies the file byte for byte, with its owner and group, permissions, access ACL and user.* attributes,
// to a new file beside it named path + suffix, or path + suffix + "-2", "-3" ... when that name is taken; no
// file is ever replaced. A copy the user cannot give the file's owner and group is his alone (mode 0600,
// no ACL): it is never more open than the file. A file longer than ReadFileBytes reads is copied whole too.
// Returns the copy's path once the copy is made; throws FileError.
std::filesystem::path KeepCopy(const std::filesystem::path& path, const std::string& suffix);

// Lets a write past the process's file-size limit fail with "File too large" rather than end the program
// with SIGXFSZ, the system's default, which would lose the work of every window and leave the temporary
// file behind. The program calls it at start.
void KeepRunningPastFileSizeLimit();

namespace file_io_testing {
// The calls that lock and sync files for saves: flock and fsync, unless a test stands in for a file system
// that fails them.
extern int (*lockFile)(int fd, int operation);
extern int (*syncFile)(int fd);
// The longest file ReadFileBytes reads and a save writes: kMaxReadSize, unless a test makes files of that
// length cheap.
extern std::uint64_t maxReadSize;
} // namespace file_io_testing
