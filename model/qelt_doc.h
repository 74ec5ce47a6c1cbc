#pragma once

#include "model/composition_vector.h"
#include "model/model_host.h"
#include "model/qelt_reagent.h"
#include "platform/core/kestrolab_document.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One chemical reaction: its reactants and products, the composition of each, the balanced coefficients, the
// coefficients the user may type instead, and the amounts computed from the amounts the user entered.
//
// Rows: every reagent has a row index 0..255; rows 0..127 are reactants, 128..255 products (product j is row
// 128 + j). Each side is packed from the start of its range and holds at most 126 reagents. Coefficient lists
// are in packed order: the reactants first, then the products (packed index nReactants + j is row 128 + j).
class CQELTDoc : public CKestrolabDocument {
public:
    static constexpr int kRowCount = 256;
    static constexpr int kFirstProductRow = 128;
    static constexpr int kMaxReagentsPerSide = 126;
    // Update hints the views send each other: a reactant row added, a product row added, and this base
    // plus the identifier of a row's remove button: that row removed. Any other hint redraws everything.
    static constexpr std::uintptr_t kHintReactantAdded = 0x10000;
    static constexpr std::uintptr_t kHintProductAdded = 0x20000;
    static constexpr std::uintptr_t kHintRowRemoved = 0x30000;
    // Reaction file versions: the current one is written, the older two are read.
    static constexpr std::int32_t kFileVersion = 0x30000;
    static constexpr std::int32_t kFileVersionWithoutCoefficients = 0x20000;
    static constexpr std::int32_t kFileVersionOldRows = 0x10000;
    // No reaction file is longer: 252 rows, each with three texts as long as a box takes (32767
    // characters), come to less than 25 MB.
    static constexpr std::uint64_t kMaxFileSize = 64u << 20;

    using RowCompositions = std::vector<CompositionVector>; // kRowCount entries, by row index

    // An empty reaction: no reagents, zero compositions, every manual coefficient 1, automatic mode.
    CQELTDoc();
    ~CQELTDoc() override;

    // File/New leaves the reaction empty. New from string (or from the clipboard, whose text is tried first)
    // asks for a reaction string until one is accepted, then balances and computes; false when the user
    // cancelled, which abandons the new document.
    bool OnNewDocument() override;
    // Stores or loads the reaction file. Loading reads the three file versions and refuses any other version,
    // or a damaged file, with a ReactionFileError (or ArchiveError), leaving the document as it was; a loaded
    // reaction is parsed against the current element table, balanced and computed.
    void Serialize(Archive& ar) override;
    // Refuses, before it is read, a file that begins with no reaction file's version or is longer than any
    // reaction file (ReactionFileError).
    void CheckFileHead(const std::vector<std::uint8_t>& head, std::uint64_t size) const override;
    // The sum of the compositions of all reactants and products, without coefficients.
    CompositionVector GetUsedComposition() const override;

    // Fills an empty reaction from one line of text (see NormalizeReactionString); true when it holds at
    // least one reactant and one product. Neither balances nor computes.
    bool SetFromString(std::string text);

    // Balances the reaction given by the compositions (laid out by row, like the document's) and counts. In
    // manual mode it only checks the manual coefficients. The result or the reason for failure goes to the
    // status bar. On success with the document's own compositions the amounts are recomputed.
    bool BalanceReaction(const RowCompositions& compositions, int nReactants, int nProducts);
    // The same with the document's own rows.
    bool BalanceReaction() { return BalanceReaction(m_compositions, m_nReactants, m_nProducts); }
    // Whether the manual coefficients conserve every element and the charge; also kept as the balanced flag.
    bool VerifyBalance();

    // Computes every amount from the entered ones with the coefficients in use. A reagent whose computed
    // amount changes loses its output description (it is described as a plain amount again).
    void Recalculate();
    // Whether a row's entered amount limits the reaction, or is more than it uses. Both are false unless
    // there are computed amounts, more than one entered row and an entered amount in this row.
    bool IsLimiting(int row) const;
    bool IsInExcess(int row) const;
    // "Clear amounts": every reagent's amounts cleared and the computed amounts discarded; nothing
    // recomputed.
    void ClearAmounts();

    // Deletes a row's reagent and closes the gap in its side and in the manual coefficients. Neither
    // rebalances nor recomputes. Does nothing for a row that holds no reagent of the side's packed range.
    void RemoveReagent(int row);
    // Puts a reagent in the first free row of a side: with a new reactant the products' manual coefficients
    // move one place up; the new row's manual coefficient is 1. Returns the row, or -1 when the side is full.
    int AddReagent(bool reactant, std::unique_ptr<CQELTReagent> reagent);
    // Re-reads every formula against the current element table, rebalances and redraws every view. The stored
    // molar masses stay as they are.
    void RefreshCompositions();

    // The three view commands: activate the frame of that kind, or have the application open one.
    void OnDefaultUI() { ShowViewFrame(ModelHost::ViewKind::DefaultForm); }
    void OnAlternateUI() { ShowViewFrame(ModelHost::ViewKind::AlternateForm); }
    void OnPrintout() { ShowViewFrame(ModelHost::ViewKind::Printout); }
    // The frame that shows this document in a view of the kind, or null; frames record and clear themselves.
    DocumentFrame* GetViewFrame(ModelHost::ViewKind kind) const;
    void SetViewFrame(ModelHost::ViewKind kind, DocumentFrame* frame);

    // Rows.
    static bool IsProductRow(int row) { return row >= kFirstProductRow; }
    int GetReactantCount() const { return m_nReactants; }
    int GetProductCount() const { return m_nProducts; }
    // Sets the counts of rows in use (each 0..126); the views raise them when they add rows themselves.
    void SetReagentCounts(int nReactants, int nProducts);
    // The packed coefficient index of a row.
    int PackedIndex(int row) const { return IsProductRow(row) ? m_nReactants + row - kFirstProductRow : row; }
    // The reagent of a row, or null; rows outside 0..255 have none.
    CQELTReagent* GetReagent(int row) const;
    // Puts a reagent into a row (replacing what was there); throws std::out_of_range outside 0..255.
    void SetReagent(int row, std::unique_ptr<CQELTReagent> reagent);
    const CompositionVector& GetComposition(int row) const { return m_compositions.at(row); }
    void SetComposition(int row, CompositionVector composition) {
        m_compositions.at(row) = std::move(composition);
    }

    // Coefficients.
    bool HasBalancedCoefficients() const { return m_balanced.has_value(); }
    // The balanced coefficients in packed order; empty when there are none.
    const std::vector<int>& GetBalancedCoefficients() const;
    int GetManualCoefficient(int packedIndex) const { return m_manual.at(packedIndex); }
    void SetManualCoefficient(int packedIndex, int value) { m_manual.at(packedIndex) = value; }
    bool IsManualCoefficients() const { return m_manualMode; }
    void SetManualCoefficients(bool manual) { m_manualMode = manual; }
    // The result of the last VerifyBalance.
    bool IsBalanced() const { return m_balancedFlag; }
    // The coefficient a row uses: manual in manual mode, else balanced; 0 when there is none.
    int GetCoefficient(int row) const;

    // Computed amounts.
    bool HasComputedAmounts() const { return m_computedMoles.has_value(); }
    double GetComputedMoles(int row) const;
    double GetComputedMass(int row) const;
    void DiscardComputedAmounts();
    int GetEnteredRowCount() const { return m_enteredRows; }

private:
    void ShowViewFrame(ModelHost::ViewKind kind);
    void StoreFile(Archive& ar);
    void LoadFile(Archive& ar);
    // Makes the document hold exactly these rows: reagents by row index, their compositions parsed anew.
    void ReplaceRows(std::vector<std::unique_ptr<CQELTReagent>> reactants,
                     std::vector<std::unique_ptr<CQELTReagent>> products);
    void ClearRows();

    std::array<std::unique_ptr<CQELTReagent>, kRowCount> m_reagents;
    std::optional<std::array<double, kRowCount>> m_computedMoles;
    std::optional<std::array<double, kRowCount>> m_computedMasses;
    RowCompositions m_compositions;
    int m_nReactants = 0;
    int m_nProducts = 0;
    int m_enteredRows = 0;
    std::optional<std::vector<int>> m_balanced;
    std::array<int, kRowCount> m_manual;
    bool m_manualMode = false;
    bool m_balancedFlag = false;
    std::array<DocumentFrame*, 3> m_frames{};
};
