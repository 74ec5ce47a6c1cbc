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

CompositionVector CompositionOf(std::string_view text) {
    ChemicalFormula formula;
    formula.SetText(text, true);
    return formula.GetComposition();
}

// Where the winning arrangement puts the ion and the water.
enum class Place { Nowhere, Reactants, Products };

struct Arrangement {
    Place ion;
    Place water;
};

// The attempts, in the order they are tried. The seven first never put the ion and water on one side; the
// last two do, for the reactions that need them together (a disproportionation in acid, a reduction in base).
constexpr std::array<Arrangement, 9> kAttempts = {{
    {Place::Nowhere, Place::Nowhere},
    {Place::Reactants, Place::Nowhere},
    {Place::Reactants, Place::Products},
    {Place::Nowhere, Place::Products},
    {Place::Products, Place::Nowhere},
    {Place::Products, Place::Reactants},
    {Place::Nowhere, Place::Reactants},
    {Place::Reactants, Place::Reactants},
    {Place::Products, Place::Products},
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

struct Species {
    CompositionVector water;
    CompositionVector ion;
    std::vector<CompositionVector> special; // water, H^+, OH^- and, with electrons, e^-
};

bool IsSpecial(const Species& species, const CompositionVector& composition) {
    for (const CompositionVector& special : species.special) {
        if (composition == special)
            return true;
    }
    return false;
}

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

struct Winner {
    Arrangement arrangement;
    int nReactants;
    int nProducts;
};

// Tries the arrangements. The seven first each keep the changes of those before them; the last two lay out
// the side that takes both as the document will hold it, water first, then the ion. An arrangement that
// would put more reagents on a side than a reaction holds counts as failed.
std::optional<Winner> FindArrangement(CQELTDoc& document, Working& working, const Species& species,
                                      bool atomsOnly) {
    const int i = working.nReactants;
    const int p = working.nProducts;
    const int reactantPosition = i;
    const int productPosition = CQELTDoc::kFirstProductRow + p;
    for (std::size_t attempt = 0; attempt < kAttempts.size(); ++attempt) {
        switch (attempt) {
        case 1:
            PutAt(working, reactantPosition, species.ion, atomsOnly);
            break;
        case 2:
            PutAt(working, productPosition, species.water, atomsOnly);
            break;
        case 4:
            PutAt(working, productPosition, species.ion, atomsOnly);
            break;
        case 5:
            PutAt(working, reactantPosition, species.water, atomsOnly);
            break;
        case 7:
            PutAt(working, reactantPosition + 1, species.ion, atomsOnly);
            break;
        case 8:
            PutAt(working, productPosition, species.water, atomsOnly);
            PutAt(working, productPosition + 1, species.ion, atomsOnly);
            break;
        default:
            break;
        }
        const Arrangement& arrangement = kAttempts[attempt];
        const auto count = [&](Place side) {
            return (arrangement.ion == side) + (arrangement.water == side);
        };
        const int reactants = i + count(Place::Reactants);
        const int products = p + count(Place::Products);
        if (reactants > CQELTDoc::kMaxReagentsPerSide || products > CQELTDoc::kMaxReagentsPerSide)
            continue;
        if (document.BalanceReaction(working.rows, reactants, products))
            return Winner{arrangement, reactants, products};
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

void Append(CQELTDoc& document, Place side, std::string_view formula) {
    if (side != Place::Nowhere)
        document.AddReagent(side == Place::Reactants, std::make_unique<CQELTReagent>(std::string(formula)));
}

// The charge the winning coefficients leave: reactants' minus products'. Positive: electrons are missing
// on the reactant side.
long long NetCharge(const Working& working, const std::vector<int>& coefficients, const Winner& winner) {
    long long net = 0;
    for (int k = 0; k < winner.nReactants; ++k)
        net += static_cast<long long>(coefficients[k]) * working.charges[k];
    for (int j = 0; j < winner.nProducts; ++j)
        net -= static_cast<long long>(coefficients[winner.nReactants + j]) *
               working.charges[CQELTDoc::kFirstProductRow + j];
    return net;
}

bool Balance(CQELTDoc& document, std::string_view ion, bool withElectrons) {
    Species species;
    species.water = CompositionOf(kWater);
    species.ion = CompositionOf(ion);
    species.special = {species.water, CompositionOf(kHydrogenIon), CompositionOf(kHydroxideIon)};
    if (withElectrons)
        species.special.push_back(CompositionOf(kElectron));

    Working working = CopyOrdinaryRows(document, species, withElectrons);
    const std::optional<Winner> winner = FindArrangement(document, working, species, withElectrons);
    if (!winner)
        return false;

    Place electrons = Place::Nowhere;
    if (withElectrons) {
        // The coefficients of the winning attempt, in its packed order, before the rows are rewritten.
        const std::vector<int> coefficients = document.GetBalancedCoefficients();
        if (coefficients.size() >= static_cast<std::size_t>(winner->nReactants + winner->nProducts)) {
            const long long net = NetCharge(working, coefficients, *winner);
            electrons = net > 0 ? Place::Reactants : net < 0 ? Place::Products : Place::Nowhere;
        }
        const int sideCount = electrons == Place::Reactants ? winner->nReactants : winner->nProducts;
        if (electrons != Place::Nowhere && sideCount >= CQELTDoc::kMaxReagentsPerSide)
            return false; // no room for the electron row: the rows stay as they are
    }

    RemoveSpecialRows(document, species);
    Append(document, winner->arrangement.water, kWater);
    Append(document, winner->arrangement.ion, ion);
    Append(document, electrons, kElectron);
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
