#include "platform/core/file_replacement.h"

#include "platform/core/file_io_steps.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::function<void(const fs::path& target)> file_replacement_testing::beforeCommit;

namespace {

// Takes the lock of saves of target, exclusive (LOCK_EX) to save or shared (LOCK_SH) to read; the lock file's
// descriptor, or -1 where no lock can be had.
int TakeLock(const fs::path& target, int operation) {
    const fs::path lockPath = target.parent_path() / ("." + target.filename().string() + ".qelt-lock");
    // Read-only is enough for a lock, so another user who may read the folder's lock file locks it too.
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    while (file_io_testing::lockFile(fd, operation) != 0) {
        if (errno == EINTR)
            continue;
        ::close(fd); // ENOLCK: no working locks here
        return -1;
    }
    return fd;
}

} // namespace

FileReplacement::FileReplacement(const fs::path& path) : m_target(file_io_steps::ResolveLinks(path)) {
    m_lock = TakeLock(m_target, LOCK_EX);
    try {
        file_io_steps::CheckTarget(m_target, m_old, m_exists);
    } catch (...) {
        if (m_lock >= 0)
            ::close(m_lock);
        throw;
    }
}

FileReplacement::~FileReplacement() {
    if (m_lock >= 0)
        ::close(m_lock);
}

FileReadLock::FileReadLock(const fs::path& path) {
    try {
        m_lock = TakeLock(file_io_steps::ResolveLinks(path), LOCK_SH);
    } catch (const FileError&) {
        // A link that cannot be followed: the read that follows says so.
    }
}

FileReadLock::~FileReadLock() {
    if (m_lock >= 0)
        ::close(m_lock);
}

std::string FileReplacement::Identity() const {
    if (!m_exists)
        return std::string();
    return std::to_string(m_old.st_dev) + ":" + std::to_string(m_old.st_ino) + ":" +
           std::to_string(m_old.st_size) + ":" + std::to_string(m_old.st_ctim.tv_sec) + "." +
           std::to_string(m_old.st_ctim.tv_nsec);
}

std::optional<std::vector<std::uint8_t>> FileReplacement::ReadCurrent() const {
    if (!m_exists)
        return std::nullopt;
    return ReadFileBytes(m_target);
}

fs::path FileReplacement::KeepCopy(const std::string& suffix) const {
    return ::KeepCopy(m_target, suffix);
}

void FileReplacement::Commit(const std::vector<std::uint8_t>& bytes) {
    if (file_replacement_testing::beforeCommit)
        file_replacement_testing::beforeCommit(m_target);
    WriteResolvedFile(m_target, m_exists ? &m_old : nullptr, bytes);
}
