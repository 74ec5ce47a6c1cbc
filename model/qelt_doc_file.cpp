#include "model/qelt_doc.h"
#include "model/reaction_file_error.h"

#include <string>

namespace {

const char* SideName(bool products) {
    return products ? "products" : "reactants";
}

// A count of rows read from a file: 0 to 126.
int CheckedCount(std::int32_t count, bool products) {
    if (count < 0 || count > CQELTDoc::kMaxReagentsPerSide)
        throw ReactionFileError("The reaction file is damaged: it gives " + std::to_string(count) + " " +
                                SideName(products) + ", and a side holds 0 to 126.");
    return count;
}

} // namespace

void CQELTDoc::Serialize(Archive& ar) {
    if (ar.IsStoring())
        StoreFile(ar);
    else
        LoadFile(ar);
}

void CQELTDoc::StoreFile(Archive& ar) {
    ar << kFileVersion << std::int32_t{m_nReactants} << std::int32_t{m_nProducts};
    // A row the views have counted but not yet filled is stored as an empty reagent.
    auto store = [&ar](const std::unique_ptr<CQELTReagent>& reagent) {
        if (reagent)
            reagent->Serialize(ar);
        else
            CQELTReagent().Serialize(ar);
    };
    for (int k = 0; k < m_nReactants; ++k)
        store(m_reagents[k]);
    for (int j = 0; j < m_nProducts; ++j)
        store(m_reagents[kFirstProductRow + j]);
    ar << std::int32_t{m_manualMode ? 1 : 0};
    for (int i = 0; i < m_nReactants + m_nProducts; ++i)
        ar << std::int32_t{m_manual[i]};
}

void CQELTDoc::LoadFile(Archive& ar) {
    // Everything is read into locals first: a file that cannot be read leaves the document as it was.
    std::int32_t version = 0;
    std::vector<std::unique_ptr<CQELTReagent>> sides[2];
    std::array<int, kRowCount> manual;
    manual.fill(1);
    bool manualMode = m_manualMode;
    try {
        version = ar.ReadInt32();
        const int nReactants = CheckedCount(ar.ReadInt32(), false);
        const int nProducts = CheckedCount(ar.ReadInt32(), true);
        for (int side = 0; side < 2; ++side) {
            const int count = side == 0 ? nReactants : nProducts;
            for (int i = 0; i < count; ++i) {
                auto reagent = std::make_unique<CQELTReagent>();
                if (version == kFileVersionOldRows)
                    reagent->SerializeV1(ar);
                else
                    reagent->Serialize(ar);
                sides[side].push_back(std::move(reagent));
            }
        }
        if (version == kFileVersion) {
            manualMode = ar.ReadInt32() != 0;
            for (int i = 0; i < nReactants + nProducts; ++i)
                manual[i] = ar.ReadInt32();
        }
    } catch (const ReactionFileError&) {
        throw;
    } catch (const ArchiveError&) {
        throw ReactionFileError(
            "The reaction file is incomplete or damaged: it ends before the reaction does.");
    }

    // How each computed amount is to be described is part of the file; the recalculation below would reset
    // it.
    std::vector<int> outputKinds[2];
    for (int side = 0; side < 2; ++side)
        for (const auto& reagent : sides[side])
            outputKinds[side].push_back(reagent->outputKind);

    ReplaceRows(std::move(sides[0]), std::move(sides[1]));
    m_manual = manual;
    m_manualMode = manualMode;
    m_balanced.reset();
    DiscardComputedAmounts();
    m_enteredRows = 0;

    BalanceReaction();
    Recalculate();

    for (int k = 0; k < m_nReactants; ++k)
        m_reagents[k]->outputKind = outputKinds[0][k];
    for (int j = 0; j < m_nProducts; ++j)
        m_reagents[kFirstProductRow + j]->outputKind = outputKinds[1][j];
}
