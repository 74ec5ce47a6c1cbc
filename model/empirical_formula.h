#pragma once

#include "model/element_analysis_data.h"

#include <optional>
#include <string>
#include <vector>

// What an elemental analysis says about the formula.
struct EmpiricalFormulaResult {
    // The formula to show, sorted C, H, N, O, S, P first; "" for none.
    std::string formula;
    // The new status text ("SSR: ...", or why there is no formula); nothing when the status stays as it is.
    std::optional<std::string> status;
    // The whole multiplier (1 to 5) that brought the ratios closest to whole numbers; 0 when none was tried.
    int multiplier = 0;
    // The sum of squared residuals of that multiplier.
    double residuals = 0.0;
};

// The empirical formula of the entries: the ratios of the element moles to the smallest, scaled by the
// multiplier 1 to 5 that makes them closest to whole numbers (a tie keeps the smaller multiplier), written in
// entry order and then sorted. With a sample mass (grams, not 0) and two or more entries, the first entry
// flagged "remaining mass" first receives the mass the others leave over; without such an entry the status
// reports that mass.
//
// No formula comes out of entries whose element moles are not all positive numbers (an amount of 0, a
// negative amount, a remaining mass that is used up) or that lie too far apart to count
// atoms; the status then says so. A single entry gives its symbol and keeps the status; no entries give no
// formula and keep the status.
EmpiricalFormulaResult ComputeEmpiricalFormula(std::vector<ElementAnalysisData>& entries, double sampleMass);

// The status texts that explain a missing formula.
inline constexpr const char* kNoPositiveAmount = "Error: every element needs a positive amount";
inline constexpr const char* kAmountsTooFarApart = "Error: the amounts are too far apart for a formula";
