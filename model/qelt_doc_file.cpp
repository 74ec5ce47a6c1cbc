#include "model/qelt_doc.h"
#include "model/reaction_file_error.h"

#include <cstdio>
#include <string>

namespace {

const char* SideName(bool products) {
    return products ? "products" : "reactants";
}

// The version a file begins with: one of the three this program has written. Anything else is no reaction.
std::int32_t CheckedVersion(std::int32_t version) {
    if (version == CQELTDoc::kFileVersion || version == CQELTDoc::kFileVersionWithoutCoefficients ||
        version == CQELTDoc::kFileVersionOldRows)
        return version;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(static_cast<std::uint32_t>(version)));
    throw ReactionFileError("The file is not a reaction: it begins with the version " + std::string(hex) +
                            ", which no reaction file has.");
}

// A count of rows read from a file: 0 to 126. A count has no sign, so it is read and reported as unsigned.
int CheckedCount(std::uint32_t count, bool products) {
    if (count > static_cast<std::uint32_t>(CQELTDoc::kMaxReagentsPerSide))
        throw ReactionFileError("The reaction file is damaged: it gives " + std::to_string(count) + " " +
                                SideName(products) + ", and a side holds 0 to 126.");
    return static_cast<int>(count);
}

} // namespace

void CQELTDoc::CheckFileHead(const std::vector<std::uint8_t>& head, std::uint64_t size) const {
    // A head too short for the version is a truncated file, which the load reports as such.
    if (head.size() >= sizeof(std::int32_t))
        CheckedVersion(Archive(head).ReadInt32());
    if (size > kMaxFileSize)
        throw ReactionFileError("The reaction file is too long: at " + std::to_string(size) +
                                " bytes it is longer than any reaction file can be.");
}

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
        version = CheckedVersion(ar.ReadInt32());
        const int nReactants = CheckedCount(ar.ReadUInt32(), false);
        const int nProducts = CheckedCount(ar.ReadUInt32(), true);
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
