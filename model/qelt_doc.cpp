#include "model/qelt_doc.h"

#include "model/chemical_formula.h"

#include <stdexcept>

namespace {

CompositionVector ParseComposition(const std::string& formulaText) {
    ChemicalFormula formula;
    formula.SetText(formulaText, true);
    return formula.GetComposition();
}

} // namespace

CQELTDoc::CQELTDoc() : m_compositions(kRowCount) {
    m_manual.fill(1);
}

CQELTDoc::~CQELTDoc() = default;

bool CQELTDoc::OnNewDocument() {
    if (!CKestrolabDocument::OnNewDocument())
        return false;
    ModelHost& host = GetModelHost();
    if (!host.IsNewFromString() && !host.IsNewFromClipboard())
        return true;

    std::string text;
    if (host.IsNewFromClipboard())
        text = host.GetClipboardText();
    while (!SetFromString(text)) {
        if (!host.AskReactionString(text))
            return false;
    }
    BalanceReaction();
    Recalculate();
    SetModifiedFlag(true);
    return true;
}

CompositionVector CQELTDoc::GetUsedComposition() const {
    CompositionVector used;
    for (int k = 0; k < m_nReactants; ++k)
        used += m_compositions[k];
    for (int j = 0; j < m_nProducts; ++j)
        used += m_compositions[kFirstProductRow + j];
    return used;
}

void CQELTDoc::SetReagentCounts(int nReactants, int nProducts) {
    if (nReactants < 0 || nReactants > kMaxReagentsPerSide || nProducts < 0 ||
        nProducts > kMaxReagentsPerSide)
        throw std::out_of_range("a side of a reaction holds 0 to 126 reagents");
    m_nReactants = nReactants;
    m_nProducts = nProducts;
}

CQELTReagent* CQELTDoc::GetReagent(int row) const {
    return row >= 0 && row < kRowCount ? m_reagents[row].get() : nullptr;
}

void CQELTDoc::SetReagent(int row, std::unique_ptr<CQELTReagent> reagent) {
    m_reagents.at(row) = std::move(reagent);
}

const std::vector<int>& CQELTDoc::GetBalancedCoefficients() const {
    static const std::vector<int> none;
    return m_balanced ? *m_balanced : none;
}

int CQELTDoc::GetCoefficient(int row) const {
    const int packed = PackedIndex(row);
    if (packed < 0 || packed >= kRowCount)
        return 0;
    if (m_manualMode)
        return m_manual[packed];
    if (m_balanced && packed < static_cast<int>(m_balanced->size()))
        return (*m_balanced)[packed];
    return 0;
}

double CQELTDoc::GetComputedMoles(int row) const {
    return m_computedMoles && row >= 0 && row < kRowCount ? (*m_computedMoles)[row] : 0.0;
}

double CQELTDoc::GetComputedMass(int row) const {
    return m_computedMasses && row >= 0 && row < kRowCount ? (*m_computedMasses)[row] : 0.0;
}

void CQELTDoc::DiscardComputedAmounts() {
    m_computedMoles.reset();
    m_computedMasses.reset();
}

void CQELTDoc::ClearAmounts() {
    for (auto& reagent : m_reagents) {
        if (reagent)
            reagent->ClearAmounts();
    }
    DiscardComputedAmounts();
}

void CQELTDoc::RemoveReagent(int row) {
    const bool product = IsProductRow(row);
    const int first = product ? kFirstProductRow : 0;
    int& count = product ? m_nProducts : m_nReactants;
    if (row < first || row >= first + count || row >= kRowCount)
        return;

    const int packed = PackedIndex(row);
    const int packedCount = m_nReactants + m_nProducts;
    // The side's range ends at row first + 127; the slot after its last reagent is null and zero and moves
    // along.
    const int end = first + count; // one past the last reagent
    for (int r = row; r < end; ++r) {
        m_reagents[r] = r + 1 < first + kFirstProductRow ? std::move(m_reagents[r + 1]) : nullptr;
        m_compositions[r] = r + 1 < first + kFirstProductRow ? m_compositions[r + 1] : CompositionVector();
    }
    m_reagents[end - 1].reset();
    m_compositions[end - 1].Clear();
    if (end < first + kFirstProductRow)
        m_compositions[end].Clear();

    for (int i = packed; i < packedCount; ++i)
        m_manual[i] = m_manual[i + 1];
    --count;
}

int CQELTDoc::AddReagent(bool reactant, std::unique_ptr<CQELTReagent> reagent) {
    int& count = reactant ? m_nReactants : m_nProducts;
    if (count >= kMaxReagentsPerSide)
        return -1;
    const int row = (reactant ? 0 : kFirstProductRow) + count;
    if (reactant) {
        // The products' coefficients move one packed place up to make room.
        for (int i = m_nReactants + m_nProducts; i > m_nReactants; --i)
            m_manual[i] = m_manual[i - 1];
    }
    m_manual[m_nReactants + (reactant ? 0 : m_nProducts)] = 1;
    m_compositions[row] = reagent ? ParseComposition(reagent->GetFormula()) : CompositionVector();
    m_reagents[row] = std::move(reagent);
    ++count;
    return row;
}

void CQELTDoc::ClearRows() {
    for (int row = 0; row < kRowCount; ++row) {
        m_reagents[row].reset();
        m_compositions[row].Clear();
    }
    m_nReactants = m_nProducts = 0;
}

void CQELTDoc::ReplaceRows(std::vector<std::unique_ptr<CQELTReagent>> reactants,
                           std::vector<std::unique_ptr<CQELTReagent>> products) {
    ClearRows();
    for (std::size_t k = 0; k < reactants.size(); ++k) {
        m_compositions[k] = ParseComposition(reactants[k]->GetFormula());
        m_reagents[k] = std::move(reactants[k]);
    }
    for (std::size_t j = 0; j < products.size(); ++j) {
        m_compositions[kFirstProductRow + j] = ParseComposition(products[j]->GetFormula());
        m_reagents[kFirstProductRow + j] = std::move(products[j]);
    }
    m_nReactants = static_cast<int>(reactants.size());
    m_nProducts = static_cast<int>(products.size());
}

void CQELTDoc::RefreshCompositions() {
    for (int k = 0; k < m_nReactants; ++k)
        m_compositions[k] =
            m_reagents[k] ? ParseComposition(m_reagents[k]->GetFormula()) : CompositionVector();
    for (int j = 0; j < m_nProducts; ++j) {
        const int row = kFirstProductRow + j;
        m_compositions[row] =
            m_reagents[row] ? ParseComposition(m_reagents[row]->GetFormula()) : CompositionVector();
    }
    BalanceReaction();
    UpdateAllViews(nullptr, 0);
}

DocumentFrame* CQELTDoc::GetViewFrame(ModelHost::ViewKind kind) const {
    return m_frames[static_cast<std::size_t>(kind)];
}

void CQELTDoc::SetViewFrame(ModelHost::ViewKind kind, DocumentFrame* frame) {
    m_frames[static_cast<std::size_t>(kind)] = frame;
}

void CQELTDoc::ShowViewFrame(ModelHost::ViewKind kind) {
    if (DocumentFrame* frame = GetViewFrame(kind))
        frame->Activate();
    else
        GetModelHost().OpenViewFrame(*this, kind);
}
