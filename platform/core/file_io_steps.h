#pragma once

#include <filesystem>
#include <sys/stat.h>

// The steps before WriteResolvedFile that WriteFileAtomically and FileReplacement share; each throws
// FileError.
namespace file_io_steps {

// The file a save of path writes: the end of its chain of symbolic links (a link to a file not there yet
// gives the name the file will have).
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

// What the file at target (links resolved) is now, in old (exists false when there is none yet); throws
// when it may not be replaced.
void CheckTarget(const std::filesystem::path& target, struct stat& old, bool& exists);

} // namespace file_io_steps
