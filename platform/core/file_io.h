#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

// Whole-file reads and safe whole-file writes for the program's binary files.

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the whole file; throws FileError when it cannot be opened or read, or is no regular file (a folder,
// a pipe, a device, which are not opened at all). Every FileError names the file and the system's reason.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

// Writes the bytes to a temporary file beside the target and renames it over the target only when the
// whole write succeeded, so a failed or killed save leaves the previous file as it was; the file and its
// folder are synced before it returns, so a save done survives a power cut. The new file keeps the old
// one's permissions (and owner, where the user may give it); a symbolic link is written through to its
// target and stays a link. A file the user may not write, or one without any write permission, is refused
// and left alone. Temporary files that earlier saves of the same file left behind are removed. Throws
// FileError on failure.
void WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Throws FileError when WriteFileAtomically would refuse to replace the file at path.
void CheckReplaceable(const std::filesystem::path& path);

// Copies the file byte for byte, with its permissions, to a new file beside it named path + suffix, or
// path + suffix + "-2", "-3" ... when that name is taken; no file is ever replaced. Returns the copy's
// path; throws FileError.
std::filesystem::path KeepCopy(const std::filesystem::path& path, const std::string& suffix);
