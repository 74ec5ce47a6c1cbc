#pragma once

#include "platform/core/archive.h"

// A reaction file that cannot be opened: truncated, or holding values no reaction can have. The text says
// what is wrong, for the user.
class ReactionFileError : public ArchiveError {
public:
    using ArchiveError::ArchiveError;
};
