#pragma once

#include "model/composition_vector.h"

#include <array>
#include <utility>

// The formula reader's working stack: each level a CompositionVector. An atom is pushed as a level with one
// count, a multiplier k as a level with every entry k (the charge included), and the reader folds levels with
// PopAdd and PopMultiply. Level 0 holds the result.
//
// The stack never grows past kMaxDepth levels: a push onto a full stack sets the overflow flag, after which
// pushes and pops do nothing and GetDepth answers 0, so the reader's folding loops end at once.
class FormulaStack {
public:
    static constexpr int kMaxDepth = 32;

    // Levels sized for the installed host's element table.
    FormulaStack();
    // Levels of the given size (a table's row count plus one).
    explicit FormulaStack(int size);

    // Depth 0, every level zero, overflow clear.
    void Clear();

    void PushAtom(int row, int n);
    void PushMultiplier(int k);
    // level[depth-2] += level[depth-1], one level less; nothing on overflow or with fewer than two levels.
    void PopAdd();
    // level[depth-2] *= level[depth-1] entry by entry, one level less; same conditions as PopAdd.
    void PopMultiply();

    // 0 after an overflow, else the levels in use.
    int GetDepth() const { return m_overflow ? 0 : m_depth; }
    bool HasOverflowed() const { return m_overflow; }

    const CompositionVector& GetLevel(int level) const {
        return m_levels.at(static_cast<std::size_t>(level));
    }
    // Level 0: the composition read so far.
    const CompositionVector& GetResult() const { return m_levels[0]; }

private:
    bool BeginPush();

    int m_depth = 0;
    bool m_overflow = false;
    std::array<CompositionVector, kMaxDepth> m_levels;
};
