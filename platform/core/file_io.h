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

// Reads the whole file; throws FileError when it cannot be opened or read.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

// Writes the bytes to a temporary file beside the target and renames it over the target only when the
// whole write succeeded, so a failed save leaves the previous file as it was. Throws FileError on failure.
void WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
