#pragma once

// Bounds that keep compiling a pattern cheap in time and memory whatever the user types: the list is
// refiltered at every keystroke. A pattern beyond them fails to compile with REXI_TooComplexMessage.
// Typed filters stay far below every one of them.

// States and transitions of the nondeterministic automaton made by one compile.
inline constexpr int REXI_MaxStates = 4096;
inline constexpr int REXI_MaxTransitions = 32768;
// Groups open inside one another.
inline constexpr int REXI_MaxGroupDepth = 100;
// Rows of the deterministic automaton, final rows included (each row takes about 2 KiB).
inline constexpr int REXI_MaxRows = 2048;

inline constexpr const char* REXI_TooComplexMessage = "pattern too complex";
