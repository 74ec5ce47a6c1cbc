#include "model/kestrolab_database.h"

#include "model/composition_vector.h"
#include "model/model_host.h"
#include "model/substance.h"
#include "platform/core/archive.h"

#include <stdexcept>

CKestrolabDatabase::CKestrolabDatabase(std::int32_t version) : m_version(version) {}

CKestrolabDatabase::~CKestrolabDatabase() {
    // Items go from the last position to the first.
    while (!m_items.empty())
        m_items.pop_back();
}

void CKestrolabDatabase::CheckIndex(int index) const {
    if (index < 0 || index >= GetCount())
        throw std::out_of_range("database position outside the list");
}

void CKestrolabDatabase::Serialize(Archive& ar) {
    bool current = true;
    if (ar.IsStoring()) {
        ar << m_version << std::int32_t{GetCount()};
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
            (*it)->Serialize(ar);
    } else {
        const std::int32_t version = ar.ReadInt32();
        current = version == m_version;
        if (current) {
            const std::int32_t count = ar.ReadInt32();
            if (count < 0 || static_cast<std::size_t>(count) > ar.Remaining() / CSubstance::kMinRecordSize)
                throw ArchiveError("the substance list holds an impossible count");
            std::vector<std::unique_ptr<CSubstance>> loaded;
            loaded.reserve(static_cast<std::size_t>(count));
            for (std::int32_t i = 0; i < count; ++i)
                loaded.push_back(NewItemFromArchive(ar));
            bool valid = m_valid;
            GetModelHost().SerializeEndMarker(valid, true, ar);
            for (auto& item : loaded)
                m_items.push_back(std::move(item));
            m_valid = valid;
        } else {
            SerializeOldVersion(ar, version);
        }
    }
    if (ar.IsStoring()) {
        bool valid = m_valid;
        GetModelHost().SerializeEndMarker(valid, true, ar);
    } else {
        if (!current) {
            bool valid = m_valid;
            GetModelHost().SerializeEndMarker(valid, false, ar);
            m_valid = valid;
        }
        RebuildIndexes();
    }
    m_modified = false;
}

CompositionVector CKestrolabDatabase::GetTotalComposition() const {
    CompositionVector total;
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        total += (*it)->GetComposition();
    return total;
}

void CKestrolabDatabase::RebuildIndexes() {
    m_nameIndex.clear();
    m_formulaIndex.clear();
    // From the last position to the first, so the lowest position wins among equal keys.
    for (int i = GetCount() - 1; i >= 0; --i) {
        m_nameIndex[m_items[i]->GetName()] = i;
        m_formulaIndex[m_items[i]->GetFormula()] = i;
    }
}

void CKestrolabDatabase::ReindexKey(Index& index, bool byName, const std::string& key, int from) {
    // The key's entry, when it named a position at or after `from` that no longer holds it, moves to the next
    // position that does, or goes.
    const auto it = index.find(key);
    if (it == index.end() || it->second < from)
        return;
    for (int i = from; i < GetCount(); ++i) {
        if ((byName ? m_items[i]->GetName() : m_items[i]->GetFormula()) == key) {
            it->second = i;
            return;
        }
    }
    index.erase(it);
}

void CKestrolabDatabase::IndexAppended() {
    const int last = GetCount() - 1;
    // An earlier holder of the same key keeps its place: the lowest position wins.
    m_nameIndex.emplace(m_items[last]->GetName(), last);
    m_formulaIndex.emplace(m_items[last]->GetFormula(), last);
}

void CKestrolabDatabase::IndexReplaced(int index, const std::string& oldName, const std::string& oldFormula) {
    ReindexKey(m_nameIndex, true, oldName, index);
    ReindexKey(m_formulaIndex, false, oldFormula, index);
    for (auto [map, key] : {std::pair{&m_nameIndex, &m_items[index]->GetName()},
                            std::pair{&m_formulaIndex, &m_items[index]->GetFormula()}}) {
        const auto [it, added] = map->emplace(*key, index);
        if (!added && it->second > index)
            it->second = index;
    }
}

void CKestrolabDatabase::RemoveAt(int index) {
    if (index == -1)
        return;
    CheckIndex(index);
    const std::string name = m_items[index]->GetName();
    const std::string formula = m_items[index]->GetFormula();
    m_items.erase(m_items.begin() + index);
    // Every later position moved up by one; the removed keys pass to their next holders.
    for (Index* map : {&m_nameIndex, &m_formulaIndex}) {
        for (auto& entry : *map)
            entry.second -= entry.second > index;
    }
    ReindexKey(m_nameIndex, true, name, index);
    ReindexKey(m_formulaIndex, false, formula, index);
    m_modified = true;
}

CSubstance* CKestrolabDatabase::GetAt(int index) const {
    CheckIndex(index);
    return m_items[index].get();
}

CSubstance* CKestrolabDatabase::FindByName(const std::string& name) const {
    const auto it = m_nameIndex.find(name);
    return it == m_nameIndex.end() ? nullptr : m_items[it->second].get();
}

CSubstance* CKestrolabDatabase::FindByFormula(const std::string& formula) const {
    const auto it = m_formulaIndex.find(formula);
    return it == m_formulaIndex.end() ? nullptr : m_items[it->second].get();
}
