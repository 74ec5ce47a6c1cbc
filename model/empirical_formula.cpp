#include "model/empirical_formula.h"

#include "model/chemical_formula.h"
#include "model/element_table.h"
#include "model/model_host.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// The largest multiplier tried.
constexpr int kMaxMultiplier = 5;
// Ratios at or above this many atoms are not counted (an int holds them, and no analysis means them).
constexpr double kMaxAtoms = 1.0e9;

// printf's "%.4lg", independent of the locale.
std::string FormatShort(double value) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4);
    if (error != std::errc())
        return "?";
    return std::string(buffer, end);
}

std::string SymbolOf(const ElementAnalysisData& entry, const ElementTable& table) {
    if (entry.elementRow >= 0 && entry.elementRow < table.GetCount())
        return table[entry.elementRow].GetSymbol();
    return entry.symbol;
}

// The formula text in entry order, then sorted as the frame shows it.
std::string SortedFormula(const std::vector<ElementAnalysisData>& entries, const std::vector<int>& counts,
                          const ElementTable& table) {
    std::string text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        text += SymbolOf(entries[i], table);
        if (counts[i] >= 2)
            text += std::to_string(counts[i]);
    }
    return ChemicalFormula(text).ToSortedFormula();
}

} // namespace

EmpiricalFormulaResult ComputeEmpiricalFormula(std::vector<ElementAnalysisData>& entries, double sampleMass) {
    EmpiricalFormulaResult result;
    const ElementTable& table = GetModelHost().GetElementTable();
    const std::size_t n = entries.size();
    if (n == 0)
        return result;
    if (n == 1) {
        result.multiplier = 1;
        result.formula = SortedFormula(entries, {1}, table);
        return result;
    }

    // The remaining-mass entry takes what the others leave over.
    double massLeft = 0.0;
    bool remainderUsedUp = false;
    double remainder = 0.0;
    if (sampleMass != 0.0) {
        double sum = 0.0;
        for (const ElementAnalysisData& entry : entries) {
            if (entry.remainingMass == 0)
                sum += entry.elementMass;
        }
        massLeft = sampleMass - sum;
        for (ElementAnalysisData& entry : entries) {
            if (entry.remainingMass == 0)
                continue;
            entry.elementMass = entry.mass = massLeft;
            entry.elementMoles = entry.elementMolarMass != 0.0 ? entry.elementMass / entry.elementMolarMass
                                                               : std::numeric_limits<double>::quiet_NaN();
            // The entry is the element itself, so its moles are the element's; an amount in mol or mmol
            // then shows them.
            entry.moles = entry.elementMoles;
            entry.UpdateAmountFromQuantities();
            remainder = massLeft;
            remainderUsedUp = !(massLeft > 0.0);
            massLeft = 0.0;
            break;
        }
    }

    // Ratios to the smallest amount; only positive, finite amounts give a formula.
    double smallest = std::numeric_limits<double>::infinity();
    bool usable = true;
    for (const ElementAnalysisData& entry : entries) {
        const double r = entry.elementMoles;
        if (!std::isfinite(r) || !(r > 0.0))
            usable = false;
        else if (r < smallest)
            smallest = r;
    }
    if (!usable) {
        std::string status = kNoPositiveAmount;
        if (remainderUsedUp)
            status += ", mass left: " + FormatShort(remainder);
        result.status = status;
        return result;
    }
    for (const ElementAnalysisData& entry : entries) {
        const double ratio = entry.elementMoles / smallest * kMaxMultiplier;
        if (!std::isfinite(ratio) || ratio >= kMaxAtoms) {
            result.status = kAmountsTooFarApart;
            return result;
        }
    }

    double best = std::numeric_limits<double>::max();
    std::vector<int> bestCounts(n, 1);
    std::vector<int> counts(n, 0);
    for (int k = 1; k <= kMaxMultiplier; ++k) {
        double sum = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            const double x = entries[i].elementMoles * k / smallest;
            counts[i] = static_cast<int>(std::floor(x + 0.5));
            sum += (x - counts[i]) * (x - counts[i]);
        }
        if (sum < best) {
            best = sum;
            bestCounts = counts;
            result.multiplier = k;
        }
    }
    result.residuals = best;
    result.status = massLeft == 0.0 ? "SSR: " + FormatShort(best)
                                    : "SSR: " + FormatShort(best) + ", mass left: " + FormatShort(massLeft);
    result.formula = SortedFormula(entries, bestCounts, table);
    return result;
}
