#include "model/substance_database.h"

#include "model/model_host.h"
#include "model/substance.h"
#include "platform/core/archive.h"

#include <utility>

void SubstanceDatabase::Add(const CSubstance& item) {
    Items().push_back(std::make_unique<CSubstance>(item));
    IndexAppended();
    m_modified = true;
}

void SubstanceDatabase::Replace(int index, const CSubstance& item) {
    CheckIndex(index);
    std::unique_ptr<CSubstance> old = std::exchange(Items()[index], std::make_unique<CSubstance>(item));
    IndexReplaced(index, old->GetName(), old->GetFormula());
    m_modified = true;
}

std::unique_ptr<CSubstance> SubstanceDatabase::NewItemFromArchive(Archive& ar) {
    auto item = std::make_unique<CSubstance>();
    item->Serialize(ar);
    return item;
}

void SubstanceDatabase::LoadDefaults() {
    static const char* const defaults[][2] = {
        {"sodium hydroxide", "NaOH"},       {"iron(II) sulfate", "FeSO4"},
        {"sulfuric acid", "H2SO4"},         {"EDTA", "C10H16N2O8"},
        {"manganese(II) sulfate", "MnSO4"}, {"water", "H2O"},
        {"hydrochloric acid", "HCl"},       {"potassium permanganate", "KMnO4"},
        {"sodium chloride", "NaCl"},        {"iron(III) sulfate", "Fe2(SO4)3"},
        {"potassium chloride", "KCl"},      {"potassium sulfate", "K2SO4"},
    };
    for (const auto& [name, formula] : defaults) {
        CSubstance substance;
        substance.SetName(name);
        substance.SetFormulaText(formula);
        Add(substance);
    }
    m_modified = false;
}

void SubstanceDatabase::SerializeOldVersion(Archive& ar, std::int32_t version) {
    if (version != kOldVersion) {
        GetModelHost().ShowMessage(kUnknownVersionMessage);
        return;
    }
    const std::size_t count = ar.ReadCount(CSubstance::kMinRecordSize);
    std::vector<CSubstance> imported(count);
    for (auto& substance : imported)
        substance.Serialize(ar);
    // Imported from the last to the first, as Add would append them; the indexes are rebuilt once.
    Items().reserve(Items().size() + imported.size());
    for (auto it = imported.rbegin(); it != imported.rend(); ++it)
        Items().push_back(std::make_unique<CSubstance>(std::move(*it)));
    RebuildIndexes();
    m_modified = true;
}
