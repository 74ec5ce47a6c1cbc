#pragma once

#include <cstdint>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

// The steps of a save that WriteFileAtomically and FileReplacement share. Each throws FileError.
namespace file_io_steps {

// The file a save of path writes: the end of its chain of symbolic links (a link to a file not there yet
// gives the name the file will have).
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

// What the file at target (links resolved) is now, in old (exists false when there is none yet); throws
// when it may not be replaced.
void CheckTarget(const std::filesystem::path& target, struct stat& old, bool& exists);

// Puts bytes in the place of the file at target, which CheckTarget described in exists and old.
void Replace(const std::filesystem::path& target, bool exists, const struct stat& old,
             const std::vector<std::uint8_t>& bytes);

} // namespace file_io_steps
