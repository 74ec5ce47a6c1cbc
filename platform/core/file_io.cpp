#include "platform/core/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Describe(const std::filesystem::path& path, const char* what) {
    return std::string(what) + " \"" + path.string() + "\": " + std::strerror(errno);
}

} // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        throw FileError(Describe(path, "Cannot open"));
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        throw FileError(Describe(path, "Cannot read"));
    return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::string temp = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw FileError(Describe(path, "Cannot write"));
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const std::string message = Describe(path, "Cannot write");
            ::close(fd);
            ::unlink(temp.c_str());
            throw FileError(message);
        }
        written += static_cast<std::size_t>(n);
    }
    // Keep the usual permissions of a newly created file rather than mkstemp's 0600.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    const bool synced = ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        const std::string message = Describe(path, "Cannot write");
        ::unlink(temp.c_str());
        throw FileError(message);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string message = Describe(path, "Cannot write");
        ::unlink(temp.c_str());
        throw FileError(message);
    }
}
