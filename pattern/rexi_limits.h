#pragma once

#include <cstddef>

// Bounds that keep compiling a pattern and searching with it cheap in time and memory whatever the user
// types: the list is refiltered at every keystroke. A pattern beyond the first three fails to compile with
// REXI_TooComplexMessage; every pattern of up to 255 bytes stays far below them.

// States and transitions of the nondeterministic automaton made by one compile.
inline constexpr int REXI_MaxStates = 4096;
inline constexpr int REXI_MaxTransitions = 32768;
// Groups open inside one another.
inline constexpr int REXI_MaxGroupDepth = 100;

// The rows of the deterministic automaton are made as searches reach them and kept in a cache; when the
// cache would pass either bound, every row but the start row is dropped and searching refills it. Rows take
// about 2 KiB each; the state sets they stand for take one int per state.
inline constexpr int REXI_MaxCachedRows = 1024;
inline constexpr long REXI_MaxCachedStateRefs = 1L << 19;

// A walk jumps with strcspn over the bytes that cannot change its course when the bytes that can are at
// most this many: the C library compares up to 16 bytes at a time on common machines; beyond that a table
// look-up per byte is as fast.
inline constexpr std::size_t REXI_MaxJumpBytes = 16;

inline constexpr const char* REXI_TooComplexMessage = "pattern too complex";
