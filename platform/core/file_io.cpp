#include "platform/core/file_io.h"
#include "platform/core/file_io_steps.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

int (*file_io_testing::lockFile)(int fd, int operation) = ::flock;
int (*file_io_testing::syncFile)(int fd) = ::fsync;
std::uint64_t file_io_testing::maxReadSize = kMaxReadSize;

namespace fs = std::filesystem;

namespace {

// Temporary files are named ".<file name>.qelt-save-XXXXXX" beside the file; no other program makes
// such names, so a later save may take away the ones a killed save left behind.
constexpr const char* kTempMarker = ".qelt-save-";
constexpr std::size_t kTempRandomLength = 6;
// Links followed before a path counts as a loop (as the system's own limit).
constexpr int kMaxLinks = 40;

// Closes the descriptor it holds when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

std::string Describe(const fs::path& path, const char* what, const char* cause) {
    return std::string(what) + " \"" + path.string() + "\": " + cause;
}

std::string Describe(const fs::path& path, const char* what, int error = errno) {
    return Describe(path, what, std::strerror(error));
}

// Throws FileError unless info is that of a regular file: a folder is named as one, a pipe, a device or a
// socket as no regular file.
void RequireRegularFile(const struct stat& info, const fs::path& path, const char* what) {
    if (S_ISREG(info.st_mode))
        return;
    if (S_ISDIR(info.st_mode))
        throw FileError(Describe(path, what, EISDIR));
    throw FileError(Describe(path, what, "it is not a regular file"));
}

std::string TempPrefix(const fs::path& target) {
    return "." + target.filename().string() + kTempMarker;
}

// Letters and digits for a temporary file's name. The file is made with O_EXCL, so a name taken already
// costs one more attempt: the names need only differ between saves, not be secret.
std::string RandomSuffix() {
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t z = counter.fetch_add(1) * 0x9E3779B97F4A7C15ull +
                      static_cast<std::uint64_t>(::getpid()) * 0xD1B54A32D192ED03ull +
                      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    // The finaliser of splitmix64 spreads every input bit over the output.
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (std::size_t i = 0; i < kTempRandomLength; ++i, z /= sizeof kAlphabet - 1)
        suffix += kAlphabet[z % (sizeof kAlphabet - 1)];
    return suffix;
}

} // namespace

fs::path file_io_steps::ResolveLinks(const fs::path& path) {
    fs::path current = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
            return current;
        const fs::path next = fs::read_symlink(current, error);
        if (error)
            throw FileError(Describe(current, "Cannot follow the link", error.value()));
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    throw FileError(Describe(path, "Cannot follow the link", ELOOP));
}

namespace {

fs::path FolderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

// Removes the temporary files of earlier saves of target whose writer is gone: a save holds a lock on its
// temporary file until it is renamed, so a file whose lock can be taken was left by a save that died.
// Where the file system has no working locks, none can be taken, and every temporary stays.
void RemoveStaleTemporaries(const fs::path& target) {
    const std::string prefix = TempPrefix(target);
    std::error_code error;
    for (fs::directory_iterator it(FolderOf(target), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + kTempRandomLength || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const Descriptor file(::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (file.Get() >= 0 && ::fstat(file.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
            file_io_testing::lockFile(file.Get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(it->path().c_str());
    }
}

// Makes the temporary file for a save of target with the given permissions (the process's umask
// applies) and takes its lock; throws FileError. The lock only keeps other saves' clean-up away from the
// file: where the file system has no working locks (ENOLCK on a network home without a lock service) the
// save goes on without one, and those saves leave every temporary alone.
int CreateTemporary(const fs::path& target, mode_t mode, std::string& tempPath) {
    const std::string stem = (target.parent_path() / TempPrefix(target)).string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = stem + RandomSuffix();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            throw FileError(Describe(target, "Cannot write"));
        while (file_io_testing::lockFile(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            const int error = errno;
            ::unlink(tempPath.c_str());
            ::close(fd);
            throw FileError(Describe(target, "Cannot write", error));
        }
        if (info.st_nlink > 0)
            return fd;
        // Another save's clean-up took the file between its making and the lock.
        ::close(fd);
    }
    throw FileError(Describe(target, "Cannot write", EEXIST));
}

// 0 when every byte was written, else the error.
int WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

// The extended attribute that holds a file's access ACL. Where a file has one, the group bits of its mode
// are the ACL's mask, and its named users and groups are in the ACL alone.
constexpr const char* kAccessAcl = "system.posix_acl_access";

// Reads a list or a value of extended attributes through read(buffer, size) into buffer (never empty, as
// an empty one asks for the length only), growing it while it is too small; the length read, or -1 with
// errno.
template <typename Read> ssize_t ReadAttributes(std::vector<char>& buffer, Read read) {
    for (;;) {
        const ssize_t got = read(buffer.data(), buffer.size());
        if (got >= 0 || errno != ERANGE)
            return got;
        const ssize_t needed = read(nullptr, 0);
        if (needed < 0)
            return -1;
        buffer.resize(static_cast<std::size_t>(needed) + 1);
    }
}

// Gives the file fd the attributes of the file at from that say who may open it or are the user's own:
// the access ACL (when withAcl) and the user.* attributes. A file fd that got an access ACL from its
// folder's default loses it when it takes none. Only the ACL must be carried: a user attribute that cannot
// be read (reading one needs read permission) or set is left behind. A file system without extended
// attributes has nothing to carry. 0 or the error.
int CarryAttributes(int fd, const fs::path& from, bool withAcl) {
    std::vector<char> names(256), value(256);
    const ssize_t length = ReadAttributes(
        names, [&](char* buffer, std::size_t size) { return ::listxattr(from.c_str(), buffer, size); });
    if (length < 0)
        return errno == ENOTSUP ? 0 : errno;
    bool hasAcl = false;
    for (const char* name = names.data(); name < names.data() + length; name += std::strlen(name) + 1) {
        const std::string_view view(name);
        const bool acl = view == kAccessAcl;
        if (!(acl && withAcl) && !view.starts_with("user."))
            continue;
        const ssize_t size = ReadAttributes(value, [&](char* buffer, std::size_t bufferSize) {
            return ::getxattr(from.c_str(), name, buffer, bufferSize);
        });
        if (!acl) {
            if (size >= 0)
                (void)::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(size), 0);
            continue;
        }
        if (size < 0 && errno == ENODATA) // taken away meanwhile
            continue;
        if (size < 0 || ::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(size), 0) != 0)
            return errno;
        hasAcl = true;
    }
    if (!hasAcl && ::fremovexattr(fd, kAccessAcl) != 0 && errno != ENODATA && errno != ENOTSUP)
        return errno;
    return 0;
}

// Gives the temporary file, which has the owner and group of the file it replaces already, that file's
// ACL, attributes and permissions. 0 or the error.
int TakeOverPermissions(int fd, const fs::path& target, const struct stat& old) {
    if (const int error = CarryAttributes(fd, target, true); error != 0)
        return error;
    // The mode last: it agrees with the ACL just set, and puts back the set-id bits that changing the
    // owner or setting the ACL may have cleared.
    return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

// Syncs the folder of a file just made or renamed, so that its entry survives a power cut as its bytes
// do. The file is in place by then: a folder that cannot be synced is told on stderr, not as a failure. A
// folder the user may not read cannot be synced by him, and some file systems sync no folders: their
// entries are as safe as the system makes them.
void SyncFolder(const fs::path& file) {
    const Descriptor folder(::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const int error = folder.Get() < 0 ? errno : file_io_testing::syncFile(folder.Get()) == 0 ? 0 : errno;
    if (error != 0 && error != EACCES && error != EINVAL && error != ENOTSUP)
        std::fprintf(stderr, "%s\n", Describe(file, "Written, but cannot sync the folder of", error).c_str());
}

// Reads on to the end of the file or until bytes holds limit bytes; throws FileError.
void ReadUpTo(int fd, const fs::path& path, std::vector<std::uint8_t>& bytes, std::size_t limit) {
    std::uint8_t buffer[65536];
    while (bytes.size() < limit) {
        const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw FileError(Describe(path, "Cannot read"));
        if (got == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
}

} // namespace

std::vector<std::uint8_t> ReadFileBytes(const fs::path& path, const FileHeadCheck& check) {
    // A pipe or a device named as a file is not opened at all: the open could wait for a writer for
    // ever or set the device going. Without waiting, should one take the file's place in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        RequireRegularFile(info, path, "Cannot open");
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        throw FileError(Describe(path, "Cannot open"));
    if (::fstat(file.Get(), &info) != 0)
        throw FileError(Describe(path, "Cannot open"));
    RequireRegularFile(info, path, "Cannot open");
    const auto size = static_cast<std::uint64_t>(info.st_size);
    std::vector<std::uint8_t> bytes;
    if (check) {
        ReadUpTo(file.Get(), path, bytes, kFileHeadSize);
        check(bytes, size);
    }
    const std::uint64_t limit = file_io_testing::maxReadSize;
    if (size > limit)
        throw FileTooLargeError(Describe(path, "Cannot open", EFBIG));
    bytes.reserve(static_cast<std::size_t>(size));
    // A file that grows while it is read is held to the same limit.
    ReadUpTo(file.Get(), path, bytes, static_cast<std::size_t>(limit) + 1);
    if (bytes.size() > limit)
        throw FileTooLargeError(Describe(path, "Cannot open", EFBIG));
    return bytes;
}

void file_io_steps::CheckTarget(const fs::path& target, struct stat& old, bool& exists) {
    exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        throw FileError(Describe(target, "Cannot write"));
    if (!exists)
        return;
    RequireRegularFile(old, target, "Cannot write");
    // A file without any write permission stays read-only whoever saves (root could write it, but whoever
    // took the permissions away meant it).
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw FileError(Describe(target, "Cannot write", EACCES));
    // Why the user may not write it: his permissions, or a file system mounted read-only.
    if (::access(target.c_str(), W_OK) != 0)
        throw FileError(Describe(target, "Cannot write"));
}

namespace {

// Copies what the file from holds, from its start, to the file to; 0 or the error.
int CopyAll(int from, int to) {
    if (::lseek(from, 0, SEEK_SET) != 0)
        return errno;
    std::vector<std::uint8_t> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        buffer.resize(static_cast<std::size_t>(got));
        if (const int error = WriteAll(to, buffer); error != 0)
            return error;
        buffer.resize(1 << 20);
    }
}

// A copy of the file at path, open as source and what info says (null when unknown), beside it under
// path + suffix (+ "-2", "-3" ... where that name is taken); no file is replaced. The copy is as open as
// the file at most: given the file's owner and group it takes the file's permissions and ACL (whose mask,
// not the group's rights, the mode's group bits hold); one the user cannot give them stays his alone
// (0600, no ACL), as its group would otherwise be the user's own and get what the owning group had.
// Throws FileError.
fs::path KeepCopyOf(const fs::path& path, int source, const struct stat* info, const std::string& suffix) {
    for (int number = 1; number < 1000; ++number) {
        fs::path copy = path;
        copy += suffix + (number == 1 ? std::string() : "-" + std::to_string(number));
        int error = 0;
        {
            const Descriptor file(::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
            if (file.Get() < 0 && errno == EEXIST)
                continue;
            if (file.Get() < 0)
                throw FileError(Describe(copy, "Cannot write"));
            const bool owned = info && ::fchown(file.Get(), info->st_uid, info->st_gid) == 0;
            error = CopyAll(source, file.Get());
            if (error == 0)
                error = CarryAttributes(file.Get(), path, owned);
            if (error == 0 && owned && ::fchmod(file.Get(), info->st_mode & 0777) != 0)
                error = errno;
            if (error == 0 && file_io_testing::syncFile(file.Get()) != 0)
                error = errno;
        }
        if (error != 0) {
            ::unlink(copy.c_str());
            throw FileError(Describe(copy, "Cannot write", error));
        }
        SyncFolder(copy);
        return copy;
    }
    throw FileError(Describe(path, "Cannot keep a copy of", EEXIST));
}

// Beside a file written in place, the copy of what it held until the write is done.
constexpr const char* kInPlaceCopySuffix = ".qelt-before-save";

// Writes bytes over the whole of the open file fd from its start, cuts what follows and syncs it. 0 or
// the error.
int Overwrite(int fd, const std::vector<std::uint8_t>& bytes) {
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return errno;
    if (const int error = WriteAll(fd, bytes); error != 0)
        return error;
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
        return errno;
    return file_io_testing::syncFile(fd) == 0 ? 0 : errno;
}

// Writes bytes into the file target itself, which keeps its owner, group, mode, ACL, attributes and hard
// links. A copy of what it held is kept beside it first and removed once the new bytes are synced; a write
// that fails puts the old bytes back, and where even that fails the copy stays and the error names it (as
// after a killed save, the copy is what holds the user's data then). Throws FileError.
void WriteInPlace(const fs::path& target, const std::vector<std::uint8_t>& bytes) {
    const Descriptor file(::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) {
        const int error = errno;
        throw FileError("Cannot write \"" + target.string() +
                        "\" in place: it cannot be read to keep a copy first (" + std::strerror(error) + ")");
    }
    RequireRegularFile(info, target, "Cannot write");
    std::vector<std::uint8_t> previous;
    ReadUpTo(file.Get(), target, previous, static_cast<std::size_t>(file_io_testing::maxReadSize) + 1);
    if (previous.size() > file_io_testing::maxReadSize)
        throw FileError(Describe(target, "Cannot write", EFBIG));
    const fs::path copy = KeepCopyOf(target, file.Get(), &info, kInPlaceCopySuffix);
    const int error = Overwrite(file.Get(), bytes);
    const bool restored = error != 0 && Overwrite(file.Get(), previous) == 0;
    if (error == 0 || restored)
        ::unlink(copy.c_str());
    if (error == 0)
        return;
    std::string cause = std::strerror(error);
    if (!restored)
        cause += "; it may be damaged, and what it held before is kept in \"" + copy.string() + "\"";
    throw FileError(Describe(target, "Cannot write", cause.c_str()));
}

} // namespace

void WriteResolvedFile(const fs::path& target, const struct stat* old,
                       const std::vector<std::uint8_t>& bytes) {
    // A save refuses what the reader would refuse: no file is written that the program could not read back.
    if (bytes.size() > file_io_testing::maxReadSize)
        throw FileError(Describe(
            target, "Cannot write",
            ("at " + std::to_string(bytes.size()) + " bytes it would be longer than the program reads back")
                .c_str()));
    RemoveStaleTemporaries(target);
    std::string temp;
    // A new file gets the usual permissions of a new file (the system applies the umask); a replacement
    // stays private until it has the old file's.
    const int fd = CreateTemporary(target, old ? 0600 : 0666, temp);
    // A save leaves the same people able to open the file: a new file that cannot take the old one's
    // owner and group (another user saves a file shared with him through its ACL or its group) would
    // close it to its owner and open it to the saver's group. Such a file, and one with other hard links,
    // which a new file would leave with the old bytes, is written in place instead. Changing the owner
    // first, before the mode, as it may clear set-id bits.
    if (old && (old->st_nlink > 1 || ::fchown(fd, old->st_uid, old->st_gid) != 0)) {
        ::unlink(temp.c_str());
        ::close(fd);
        WriteInPlace(target, bytes);
        return;
    }
    int error = WriteAll(fd, bytes);
    if (error == 0 && old)
        error = TakeOverPermissions(fd, target, *old);
    if (error == 0 && file_io_testing::syncFile(fd) != 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temp.c_str());
    // The lock goes with the descriptor, after the rename.
    ::close(fd);
    if (error != 0)
        throw FileError(Describe(target, "Cannot write", error));
    // The file holds the new bytes now: the save is done, whatever the folder's sync says.
    SyncFolder(target);
}

void CheckReplaceable(const fs::path& path) {
    struct stat old {};
    bool exists = false;
    file_io_steps::CheckTarget(file_io_steps::ResolveLinks(path), old, exists);
}

void WriteFileAtomically(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    // The file now there gives its permissions and owner to the new one, and may refuse to be replaced.
    struct stat old {};
    bool exists = false;
    const fs::path target = file_io_steps::ResolveLinks(path);
    file_io_steps::CheckTarget(target, old, exists);
    WriteResolvedFile(target, exists ? &old : nullptr, bytes);
}

fs::path KeepCopy(const fs::path& path, const std::string& suffix) {
    // Copied whole, however long: a file too long for the program to read is one worth keeping. A pipe or a
    // device is not opened at all, as in ReadFileBytes.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        RequireRegularFile(info, path, "Cannot open");
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0)
        throw FileError(Describe(path, "Cannot open"));
    RequireRegularFile(info, path, "Cannot open");
    return KeepCopyOf(path, file.Get(), &info, suffix);
}

void KeepRunningPastFileSizeLimit() {
    std::signal(SIGXFSZ, SIG_IGN);
}
