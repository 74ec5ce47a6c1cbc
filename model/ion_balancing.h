#pragma once

#include <functional>
#include <string_view>

class CQELTDoc;

// Balancing of reactions in water: hydrogen ions (acidic solution) or hydroxide ions (basic solution) and
// water are added where the reaction needs them, and electrons for a half-reaction. Nine fixed
// arrangements of ion and water are tried in turn, the two that put both on one side last; the first that
// balances is written into the document's rows: every row of water, H^+ or OH^- (and, with electrons,
// e^-) is removed, and water and ion are added at the end of the side the arrangement puts them on.
//
// The document's rows change only on success. Every attempt is a full balancing, so after a failure the
// document has neither coefficients nor computed amounts and the status bar shows the last attempt's reason.
namespace ion_balancing {

// The ions the two commands add, as formula texts.
inline constexpr std::string_view kHydrogenIon = "H^+";
inline constexpr std::string_view kHydroxideIon = "OH^-";

// Balances atoms and charge together with the ion and water.
bool TryBalanceWithIon(CQELTDoc& document, std::string_view ion);

// Balances the atoms alone with the ion and water, then adds an "e^-" row on the side that makes up the
// charge.
bool TryBalanceWithIonAndElectrons(CQELTDoc& document, std::string_view ion);

// The first procedure, and the second when the first fails.
bool BalanceWithIon(CQELTDoc& document, std::string_view ion);

// Brings every view of a document to the rows the document reached by itself, given the counts from
// before: row hints for the difference in counts, then a redraw of every view, which shows the rows as they
// now are also where the counts stayed the same but rows moved (a reaction view's SetRowCounts).
using RowCountsSync = std::function<void(int oldReactants, int oldProducts)>;

// The command of the reaction views: BalanceWithIon; on success the views are brought to the new rows,
// after a failure every view redraws everything (the attempts left the reaction without coefficients).
// A change of the rows marks the document modified.
bool RunCommand(CQELTDoc& document, std::string_view ion, const RowCountsSync& syncRowCounts);

} // namespace ion_balancing
