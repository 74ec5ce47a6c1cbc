#include "model/qelt_doc.h"

#include <cmath>

namespace {

constexpr double kLimitThreshold = 0.999999;

bool AtLeastThreshold(double ratio) {
    return std::isnan(ratio) || ratio >= kLimitThreshold;
}

bool BelowThreshold(double ratio) {
    return std::isnan(ratio) || ratio < kLimitThreshold;
}

} // namespace

void CQELTDoc::Recalculate() {
    if (!m_balanced && !m_manualMode)
        return;
    DiscardComputedAmounts();

    // The extent of reaction the entered amounts allow: the least entered amount per coefficient.
    std::optional<double> extent;
    m_enteredRows = 0;
    auto consider = [&](int row) {
        const CQELTReagent* reagent = m_reagents[row].get();
        if (!reagent || reagent->enteredMoles == 0.0)
            return;
        ++m_enteredRows;
        const double ratio = reagent->enteredMoles.value / static_cast<double>(GetCoefficient(row));
        if (!extent || ratio < *extent)
            extent = ratio;
    };
    for (int k = 0; k < m_nReactants; ++k)
        consider(k);
    for (int j = 0; j < m_nProducts; ++j)
        consider(kFirstProductRow + j);
    if (!extent || *extent <= 0.0)
        return;

    m_computedMoles.emplace();
    m_computedMasses.emplace();
    m_computedMoles->fill(0.0);
    m_computedMasses->fill(0.0);
    auto compute = [&](int row) {
        CQELTReagent* reagent = m_reagents[row].get();
        if (!reagent)
            return;
        const double moles = static_cast<double>(GetCoefficient(row)) * *extent;
        const CQELTReagent::ComputedAmount amount{moles, reagent->GetMolarMass() * moles};
        (*m_computedMoles)[row] = amount.moles;
        (*m_computedMasses)[row] = amount.mass;
        // A description chosen with the calculators describes the amount it was chosen for: it goes when the
        // amount changes, and stays when a rebalancing or another view computes the same amount again.
        if (reagent->lastComputed != amount)
            reagent->outputKind = CQELTReagent::kPlainAmount;
        reagent->lastComputed = amount;
    };
    for (int k = 0; k < m_nReactants; ++k)
        compute(k);
    for (int j = 0; j < m_nProducts; ++j)
        compute(kFirstProductRow + j);
}

bool CQELTDoc::IsLimiting(int row) const {
    const CQELTReagent* reagent = GetReagent(row);
    if (!HasComputedAmounts() || m_enteredRows <= 1 || !reagent || reagent->enteredMoles == 0.0)
        return false;
    return AtLeastThreshold((*m_computedMoles)[row] / reagent->enteredMoles.value) &&
           AtLeastThreshold((*m_computedMasses)[row] / reagent->enteredMass.value);
}

bool CQELTDoc::IsInExcess(int row) const {
    const CQELTReagent* reagent = GetReagent(row);
    if (!HasComputedAmounts() || m_enteredRows <= 1 || !reagent || reagent->enteredMoles == 0.0)
        return false;
    return BelowThreshold((*m_computedMoles)[row] / reagent->enteredMoles.value) &&
           BelowThreshold((*m_computedMasses)[row] / reagent->enteredMass.value);
}
