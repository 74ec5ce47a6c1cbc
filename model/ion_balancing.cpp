#include "model/ion_balancing.h"

#include "model/chemical_formula.h"
#include "model/qelt_doc.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ion_balancing {
namespace {

constexpr std::string_view kWater = "H2O";
constexpr std::string_view kElectron = "e^-";

// A species the procedures add: its formula text and its composition.
struct Addition {
    std::string_view formula;
    CompositionVector composition;
};

Addition AdditionOf(std::string_view formula) {
    ChemicalFormula parsed;
    parsed.SetText(formula, true);
    return {formula, parsed.GetComposition()};
}

struct Species {
    Addition water;
    Addition ion;
    Addition electron;
    std::vector<CompositionVector> special; // water, H^+, OH^- and, with electrons, e^-
};

Species SpeciesFor(std::string_view ion, bool withElectrons) {
    Species species{AdditionOf(kWater), AdditionOf(ion), AdditionOf(kElectron), {}};
    species.special = {species.water.composition, AdditionOf(kHydrogenIon).composition,
                       AdditionOf(kHydroxideIon).composition};
    if (withElectrons)
        species.special.push_back(species.electron.composition);
    return species;
}

bool IsSpecial(const Species& species, const CompositionVector& composition) {
    for (const CompositionVector& special : species.special) {
        if (composition == special)
            return true;
    }
    return false;
}

enum class Place { Nowhere, Reactants, Products };

// Where the ion, the water and the electrons go. Each stands after the reaction's own rows of its side, in
// the order water, ion, electrons. No attempt adds electrons: the second procedure places them after the
// winning attempt, on the side that makes up the charge its coefficients leave.
struct Arrangement {
    Place ion = Place::Nowhere;
    Place water = Place::Nowhere;
    Place electrons = Place::Nowhere;

    // What the arrangement puts on a side, in the order it stands there.
    std::vector<const Addition*> On(Place side, const Species& species) const {
        std::vector<const Addition*> added;
        if (water == side)
            added.push_back(&species.water);
        if (ion == side)
            added.push_back(&species.ion);
        if (electrons == side)
            added.push_back(&species.electron);
        return added;
    }
};

// The attempts, in the order they are tried. The seven first never put the ion and water on one side; the
// last two do, for the reactions that need them together (a disproportionation in acid, a reduction in base).
constexpr std::array<Arrangement, 9> kAttempts = {{
    {.ion = Place::Nowhere, .water = Place::Nowhere},
    {.ion = Place::Reactants, .water = Place::Nowhere},
    {.ion = Place::Reactants, .water = Place::Products},
    {.ion = Place::Nowhere, .water = Place::Products},
    {.ion = Place::Products, .water = Place::Nowhere},
    {.ion = Place::Products, .water = Place::Reactants},
    {.ion = Place::Nowhere, .water = Place::Reactants},
    {.ion = Place::Reactants, .water = Place::Reactants},
    {.ion = Place::Products, .water = Place::Products},
}};

// The reaction as the attempts see it: the document's rows without the special species, laid out by row
// like the document's, with the charge each row had (the charges are kept out of the vectors when only the
// atoms are balanced).
struct Working {
    CQELTDoc::RowCompositions rows = CQELTDoc::RowCompositions(CQELTDoc::kRowCount);
    std::array<int, CQELTDoc::kRowCount> charges{};
    int nReactants = 0;
    int nProducts = 0;
};

// Puts a vector at a position of the working arrangement, without its charge when only atoms count.
void PutAt(Working& working, int position, CompositionVector composition, bool atomsOnly) {
    working.charges[position] = composition[0];
    if (atomsOnly)
        composition.Set(0, 0);
    working.rows[position] = std::move(composition);
}

Working CopyOrdinaryRows(const CQELTDoc& document, const Species& species, bool atomsOnly) {
    Working working;
    for (int k = 0; k < document.GetReactantCount(); ++k) {
        const CompositionVector& composition = document.GetComposition(k);
        if (!IsSpecial(species, composition))
            PutAt(working, working.nReactants++, composition, atomsOnly);
    }
    for (int j = 0; j < document.GetProductCount(); ++j) {
        const CompositionVector& composition = document.GetComposition(CQELTDoc::kFirstProductRow + j);
        if (!IsSpecial(species, composition))
            PutAt(working, CQELTDoc::kFirstProductRow + working.nProducts++, composition, atomsOnly);
    }
    return working;
}

struct Counts {
    int reactants;
    int products;

    bool Fit() const {
        return reactants <= CQELTDoc::kMaxReagentsPerSide && products <= CQELTDoc::kMaxReagentsPerSide;
    }
};

// The rows each side holds once the arrangement's species are added to the reaction's own.
Counts CountsWith(const Working& working, const Arrangement& arrangement, const Species& species) {
    return {working.nReactants + static_cast<int>(arrangement.On(Place::Reactants, species).size()),
            working.nProducts + static_cast<int>(arrangement.On(Place::Products, species).size())};
}

// Writes the arrangement's species after the reaction's own rows, over what an earlier attempt put there.
void Lay(Working& working, const Arrangement& arrangement, const Species& species, bool atomsOnly) {
    const auto laySide = [&](Place side, int position) {
        for (const Addition* added : arrangement.On(side, species))
            PutAt(working, position++, added->composition, atomsOnly);
    };
    laySide(Place::Reactants, working.nReactants);
    laySide(Place::Products, CQELTDoc::kFirstProductRow + working.nProducts);
}

struct Winner {
    Arrangement arrangement;
    Counts counts;
};

// Tries the arrangements in turn, each on the reaction's own rows with its species laid after them. An
// arrangement that would put more reagents on a side than a reaction holds counts as failed.
std::optional<Winner> FindArrangement(CQELTDoc& document, Working& working, const Species& species,
                                      bool atomsOnly) {
    for (const Arrangement& arrangement : kAttempts) {
        const Counts counts = CountsWith(working, arrangement, species);
        if (!counts.Fit())
            continue;
        Lay(working, arrangement, species, atomsOnly);
        if (document.BalanceReaction(working.rows, counts.reactants, counts.products))
            return Winner{arrangement, counts};
    }
    return std::nullopt;
}

// Removes every special row, the last of a side first.
void RemoveSpecialRows(CQELTDoc& document, const Species& species) {
    for (int k = document.GetReactantCount() - 1; k >= 0; --k) {
        if (IsSpecial(species, document.GetComposition(k)))
            document.RemoveReagent(k);
    }
    for (int j = document.GetProductCount() - 1; j >= 0; --j) {
        const int row = CQELTDoc::kFirstProductRow + j;
        if (IsSpecial(species, document.GetComposition(row)))
            document.RemoveReagent(row);
    }
}

// Adds the arrangement's species at the end of their sides, in the order the attempts laid them out.
void Append(CQELTDoc& document, const Arrangement& arrangement, const Species& species) {
    for (const Place side : {Place::Reactants, Place::Products}) {
        for (const Addition* added : arrangement.On(side, species))
            document.AddReagent(side == Place::Reactants,
                                std::make_unique<CQELTReagent>(std::string(added->formula)));
    }
}

// Where the electrons go: the winning coefficients leave a net charge, the reactants' minus the products';
// electrons make it up with the reactants when it is positive, with the products when it is negative.
Place ElectronsSide(const Working& working, const std::vector<int>& coefficients, const Winner& winner) {
    const Counts& counts = winner.counts;
    if (coefficients.size() < static_cast<std::size_t>(counts.reactants + counts.products))
        return Place::Nowhere;
    long long net = 0;
    for (int k = 0; k < counts.reactants; ++k)
        net += static_cast<long long>(coefficients[k]) * working.charges[k];
    for (int j = 0; j < counts.products; ++j)
        net -= static_cast<long long>(coefficients[counts.reactants + j]) *
               working.charges[CQELTDoc::kFirstProductRow + j];
    return net > 0 ? Place::Reactants : net < 0 ? Place::Products : Place::Nowhere;
}

bool Balance(CQELTDoc& document, std::string_view ion, bool withElectrons) {
    const Species species = SpeciesFor(ion, withElectrons);
    Working working = CopyOrdinaryRows(document, species, withElectrons);
    const std::optional<Winner> winner = FindArrangement(document, working, species, withElectrons);
    if (!winner)
        return false;

    Arrangement arrangement = winner->arrangement;
    if (withElectrons) {
        // The coefficients of the winning attempt, in its packed order, before the rows are rewritten.
        arrangement.electrons = ElectronsSide(working, document.GetBalancedCoefficients(), *winner);
        if (!CountsWith(working, arrangement, species).Fit())
            return false; // no room for the electron row: the rows stay as they are
    }

    RemoveSpecialRows(document, species);
    Append(document, arrangement, species);
    document.BalanceReaction();
    return true;
}

} // namespace

bool TryBalanceWithIon(CQELTDoc& document, std::string_view ion) {
    return Balance(document, ion, false);
}

bool TryBalanceWithIonAndElectrons(CQELTDoc& document, std::string_view ion) {
    return Balance(document, ion, true);
}

bool BalanceWithIon(CQELTDoc& document, std::string_view ion) {
    return TryBalanceWithIon(document, ion) || TryBalanceWithIonAndElectrons(document, ion);
}

namespace {

// The formulas of the rows, side by side.
std::vector<std::string> RowFormulas(const CQELTDoc& document) {
    std::vector<std::string> formulas;
    const auto add = [&](int row) {
        const CQELTReagent* reagent = document.GetReagent(row);
        formulas.push_back(reagent ? reagent->GetFormula() : std::string());
    };
    for (int k = 0; k < document.GetReactantCount(); ++k)
        add(k);
    formulas.emplace_back("=");
    for (int j = 0; j < document.GetProductCount(); ++j)
        add(CQELTDoc::kFirstProductRow + j);
    return formulas;
}

} // namespace

bool RunCommand(CQELTDoc& document, std::string_view ion, const RowCountsSync& syncRowCounts) {
    const int oldReactants = document.GetReactantCount();
    const int oldProducts = document.GetProductCount();
    const std::vector<std::string> before = RowFormulas(document);
    const bool balanced = BalanceWithIon(document, ion);
    if (balanced && syncRowCounts)
        syncRowCounts(oldReactants, oldProducts);
    else
        document.UpdateAllViews(nullptr, 0);
    if (balanced && RowFormulas(document) != before)
        document.SetModifiedFlag(true);
    return balanced;
}

} // namespace ion_balancing
