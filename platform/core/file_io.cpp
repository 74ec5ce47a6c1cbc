#include "platform/core/file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Temporary files are named ".<file name>.qelt-save-XXXXXX" beside the file; no other program makes
// such names, so a later save may take away the ones a killed save left behind.
constexpr const char* kTempMarker = ".qelt-save-";
constexpr std::size_t kTempRandomLength = 6; // the XXXXXX of mkstemp
// Links followed before a path counts as a loop (as the system's own limit).
constexpr int kMaxLinks = 40;

std::string Describe(const fs::path& path, const char* what, int error = errno) {
    return std::string(what) + " \"" + path.string() + "\": " + std::strerror(error);
}

std::string TempPrefix(const fs::path& target) {
    return "." + target.filename().string() + kTempMarker;
}

// The file a save of path writes: the end of its chain of symbolic links (a link to a file not there yet
// gives the name the file will have).
fs::path ResolveLinks(const fs::path& path) {
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

// Removes the temporary files of earlier saves of target whose writer is gone: a save holds a lock on its
// temporary file until it is renamed, so a file whose lock can be taken was left by a save that died.
void RemoveStaleTemporaries(const fs::path& target) {
    const std::string prefix = TempPrefix(target);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + kTempRandomLength || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(it->path().c_str());
        ::close(fd);
    }
}

// Makes the temporary file for a save of target and takes its lock; throws FileError.
int CreateTemporary(const fs::path& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        tempPath = (target.parent_path() / (TempPrefix(target) + "XXXXXX")).string();
        const int fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
        if (fd < 0)
            throw FileError(Describe(target, "Cannot write"));
        struct stat info {};
        // Another save's clean-up may have taken the file between its making and the lock.
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &info) == 0 && info.st_nlink > 0)
            return fd;
        ::close(fd);
    }
    throw FileError(Describe(target, "Cannot write", EAGAIN));
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

// Gives the temporary file the permissions (and, where the user may, the owner) of the file it replaces,
// or those of a newly created file. 0 or the error.
int TakeOverPermissions(int fd, const struct stat* old) {
    if (old == nullptr) {
        // The usual permissions of a new file rather than mkstemp's 0600.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
    }
    // The owner first: changing it may clear set-id bits that the mode then puts back. A user who may not
    // give the file away keeps the new one under his own name.
    if (::fchown(fd, old->st_uid, old->st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
    return ::fchmod(fd, old->st_mode & 07777) == 0 ? 0 : errno;
}

bool IsWritableFile(const struct stat& info, const fs::path& path) {
    // A file without any write permission stays read-only whoever saves (root could write it, but whoever
    // took the permissions away meant it).
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK) == 0;
}

} // namespace

std::vector<std::uint8_t> ReadFileBytes(const fs::path& path) {
    // Without waiting: a pipe or a device named as a file would block the program or never end.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw FileError(Describe(path, "Cannot open"));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        throw FileError(Describe(path, "Cannot open", error));
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throw FileError(Describe(path, "Cannot read", error));
        }
        if (got == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    ::close(fd);
    return bytes;
}

namespace {

// The file a save of path replaces, with what it is now (exists false when there is none yet); throws
// FileError when it may not be replaced.
fs::path ReplaceableTarget(const fs::path& path, struct stat& old, bool& exists) {
    const fs::path target = ResolveLinks(path);
    exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        throw FileError(Describe(target, "Cannot write"));
    if (exists && !S_ISREG(old.st_mode))
        throw FileError(Describe(target, "Cannot write", EISDIR));
    if (exists && !IsWritableFile(old, target))
        throw FileError(Describe(target, "Cannot write", EACCES));
    return target;
}

} // namespace

void CheckReplaceable(const fs::path& path) {
    struct stat old {};
    bool exists = false;
    ReplaceableTarget(path, old, exists);
}

void WriteFileAtomically(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    // The file now there gives its permissions and owner to the new one, and may refuse to be replaced.
    struct stat old {};
    bool exists = false;
    const fs::path target = ReplaceableTarget(path, old, exists);

    RemoveStaleTemporaries(target);
    std::string temp;
    const int fd = CreateTemporary(target, temp);
    int error = WriteAll(fd, bytes);
    if (error == 0)
        error = TakeOverPermissions(fd, exists ? &old : nullptr);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temp.c_str());
    // The lock goes with the descriptor, after the rename.
    ::close(fd);
    if (error != 0)
        throw FileError(Describe(target, "Cannot write", error));
}

fs::path KeepCopy(const fs::path& path, const std::string& suffix) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    struct stat info {};
    const mode_t mode = ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 0777) : 0600;
    for (int number = 1; number < 1000; ++number) {
        fs::path copy = path;
        copy += suffix + (number == 1 ? std::string() : "-" + std::to_string(number));
        const int fd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            throw FileError(Describe(copy, "Cannot write"));
        }
        int error = WriteAll(fd, bytes);
        if (error == 0 && ::fsync(fd) != 0)
            error = errno;
        ::close(fd);
        if (error != 0) {
            ::unlink(copy.c_str());
            throw FileError(Describe(copy, "Cannot write", error));
        }
        return copy;
    }
    throw FileError(Describe(path, "Cannot keep a copy of", EEXIST));
}
