#include "model/element_table.h"
#include "model/qelt_doc.h"
#include "model/reaction_balancer.h"

#include <algorithm>
#include <stdexcept>

namespace {

std::vector<int> Counts(const CompositionVector& composition) {
    std::vector<int> counts(static_cast<std::size_t>(composition.GetSize()));
    for (int i = 0; i < composition.GetSize(); ++i)
        counts[i] = composition[i];
    return counts;
}

} // namespace

bool CQELTDoc::BalanceReaction(const RowCompositions& compositions, int nReactants, int nProducts) {
    m_balanced.reset();
    DiscardComputedAmounts();

    if (m_manualMode) {
        VerifyBalance();
        return true;
    }
    if (nReactants <= 0 || nProducts <= 0)
        return false;
    if (nReactants > kMaxReagentsPerSide || nProducts > kMaxReagentsPerSide ||
        compositions.size() < static_cast<std::size_t>(kRowCount))
        throw std::out_of_range("reaction rows outside their sides");

    std::vector<std::vector<int>> packed;
    packed.reserve(static_cast<std::size_t>(nReactants + nProducts));
    for (int k = 0; k < nReactants; ++k)
        packed.push_back(Counts(compositions[k]));
    for (int j = 0; j < nProducts; ++j)
        packed.push_back(Counts(compositions[kFirstProductRow + j]));

    ModelHost& host = GetModelHost();
    const ElementTable& table = host.GetElementTable();
    auto symbolOfRow = [&table](int row) {
        return row < table.GetCount() ? table.GetAt(row).GetSymbol() : std::string("?");
    };
    try {
        m_balanced = BalanceCompositions(packed, nReactants, symbolOfRow);
    } catch (const ReactionBalancingError& error) {
        host.SetStatusText(error.what());
        return false;
    }
    if (&compositions == &m_compositions)
        Recalculate();
    host.SetStatusText(balance_text::kBalancedOk);
    return true;
}

bool CQELTDoc::VerifyBalance() {
    int width = 0;
    for (int k = 0; k < m_nReactants; ++k)
        width = std::max(width, m_compositions[k].GetSize());
    for (int j = 0; j < m_nProducts; ++j)
        width = std::max(width, m_compositions[kFirstProductRow + j].GetSize());

    bool balanced = true;
    for (int i = 0; i < width && balanced; ++i) {
        __int128 sum = 0; // products of two ints summed over at most 252 rows cannot overflow this
        for (int k = 0; k < m_nReactants; ++k)
            sum += static_cast<__int128>(m_manual[k]) * m_compositions[k][i];
        for (int j = 0; j < m_nProducts; ++j)
            sum -=
                static_cast<__int128>(m_manual[m_nReactants + j]) * m_compositions[kFirstProductRow + j][i];
        balanced = sum == 0;
    }
    m_balancedFlag = balanced;
    return balanced;
}
