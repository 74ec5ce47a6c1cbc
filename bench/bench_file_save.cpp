// Saving a file the safe way (a temporary file beside it, synced, renamed over it, the folder synced)
// beside the least any save that survives a power cut costs: the same bytes written over the file in
// place and synced, with its folder. Target: a safe save costs no pause anyone notices, about the
// reference plus one more sync of the folder; carrying a file's ACL and attributes over adds no more than
// 0.3 ms.

#include "platform/core/file_io.h"
#include "support/acl_bytes.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A folder of the run's own in the temporary folder, removed at the end.
struct Folder {
    fs::path path = fs::temp_directory_path() / ("qelt-bench-save-" + std::to_string(::getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
};

void SafeSave(benchmark::State& state) {
    const Folder folder;
    const std::vector<std::uint8_t> bytes(static_cast<std::size_t>(state.range(0)), 0x5A);
    for (auto _ : state)
        WriteFileAtomically(folder.path / "file.dat", bytes);
}

// The same over a file with an access ACL (a named user, as setfacl -m u:1000:rw gives) and a user
// attribute, which the save carries over.
void SafeSaveKeepingAcl(benchmark::State& state) {
    const Folder folder;
    const std::vector<std::uint8_t> bytes(static_cast<std::size_t>(state.range(0)), 0x5A);
    const fs::path file = folder.path / "file.dat";
    WriteFileAtomically(file, bytes);
    // Owner rw, user 1000 rw, group r, mask rw, others none.
    const std::string acl = test_support::AclLettingUserWrite(1000, 4);
    if (::setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0 ||
        ::setxattr(file.c_str(), "user.origin", "lab", 3, 0) != 0) {
        state.SkipWithError("the temporary folder keeps no ACLs or user attributes");
        return;
    }
    for (auto _ : state)
        WriteFileAtomically(file, bytes);
}

void SyncedWriteInPlace(benchmark::State& state) {
    const Folder folder;
    const std::vector<std::uint8_t> bytes(static_cast<std::size_t>(state.range(0)), 0x5A);
    const fs::path file = folder.path / "file.dat";
    for (auto _ : state) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        bool written =
            fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        written = written && ::fsync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        const int dir = ::open(folder.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        written = written && dir >= 0 && ::fsync(dir) == 0;
        if (dir >= 0)
            ::close(dir);
        if (!written) {
            state.SkipWithError("the file could not be written");
            break;
        }
    }
}

void ReadWholeFile(benchmark::State& state) {
    const Folder folder;
    const std::vector<std::uint8_t> bytes(static_cast<std::size_t>(state.range(0)), 0x5A);
    WriteFileAtomically(folder.path / "file.dat", bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadFileBytes(folder.path / "file.dat"));
}

// A program database of the built-in tables is a few kilobytes; a large one a megabyte.
BENCHMARK(SyncedWriteInPlace)->Arg(4 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(SafeSave)->Arg(4 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(SafeSaveKeepingAcl)->Arg(4 << 10)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(ReadWholeFile)->Arg(4 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
