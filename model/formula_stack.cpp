#include "model/formula_stack.h"

#include "model/element_table.h"
#include "model/model_host.h"

namespace {

template <std::size_t... I>
std::array<CompositionVector, sizeof...(I)> SizedLevels(int size, std::index_sequence<I...>) {
    return {{(static_cast<void>(I), CompositionVector(size))...}};
}

} // namespace

FormulaStack::FormulaStack() : FormulaStack(GetModelHost().GetElementTable().GetCount() + 1) {}

FormulaStack::FormulaStack(int size) : m_levels(SizedLevels(size, std::make_index_sequence<kMaxDepth>())) {
    Clear();
}

void FormulaStack::Clear() {
    m_depth = 0;
    m_overflow = false;
    for (CompositionVector& level : m_levels)
        level.Clear();
}

bool FormulaStack::BeginPush() {
    if (m_depth == kMaxDepth) {
        m_overflow = true;
        return false;
    }
    return true;
}

void FormulaStack::PushAtom(int row, int n) {
    if (!BeginPush())
        return;
    CompositionVector& level = m_levels[static_cast<std::size_t>(m_depth)];
    level.Clear();
    level.Set(row, n);
    ++m_depth;
}

void FormulaStack::PushMultiplier(int k) {
    if (!BeginPush())
        return;
    m_levels[static_cast<std::size_t>(m_depth)].Fill(k);
    ++m_depth;
}

void FormulaStack::PopAdd() {
    if (m_overflow || m_depth <= 1)
        return;
    m_levels[static_cast<std::size_t>(m_depth) - 2] += m_levels[static_cast<std::size_t>(m_depth) - 1];
    --m_depth;
}

void FormulaStack::PopMultiply() {
    if (m_overflow || m_depth <= 1)
        return;
    m_levels[static_cast<std::size_t>(m_depth) - 2].MultiplyElementwise(
        m_levels[static_cast<std::size_t>(m_depth) - 1]);
    --m_depth;
}
