#pragma once

#include <chrono>

// The limit of a test that guards against work growing out of bounds: the stated figure in an optimised
// build, five times that in a build without optimisation or under the sanitizers, which is still far below
// what the slow way takes.
constexpr std::chrono::milliseconds TimeBudget(std::chrono::milliseconds optimised) {
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
    return optimised;
#else
    return optimised * 5;
#endif
}
