#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Archive;
class CompositionVector;
class CSubstance;

// The product family's keyed collection: an ordered list of owned substances with an index by name and one by
// formula, stored as a versioned section that ends with the end marker. Subclasses say how items are added,
// replaced and read, and may supply default contents and read older section versions.
//
// The indexes map exact, case-sensitive text to the lowest position holding it. Stored sections list the
// items from the last to the first, and loading appends, so each save and reload reverses the list.
class CKestrolabDatabase {
public:
    explicit CKestrolabDatabase(std::int32_t version);
    virtual ~CKestrolabDatabase();
    CKestrolabDatabase(const CKestrolabDatabase&) = delete;
    CKestrolabDatabase& operator=(const CKestrolabDatabase&) = delete;

    // Stores or loads the section: version, count, the items from the last to the first, end marker. A
    // section of another version goes to SerializeOldVersion. Loading appends to the list; a section that
    // cannot be read throws ArchiveError and leaves the list as it was. Either way the database is unmodified
    // afterwards.
    virtual void Serialize(Archive& ar);
    // The sum of every item's composition.
    virtual CompositionVector GetTotalComposition() const;
    virtual void RebuildIndexes();
    // Replaces the item at a position; throws std::out_of_range outside the list.
    virtual void Replace(int index, const CSubstance& item) = 0;
    // Removes the item at a position; -1 (no selection) does nothing, any other position outside the list
    // throws std::out_of_range.
    virtual void RemoveAt(int index);
    // The item at a position; throws std::out_of_range outside the list.
    virtual CSubstance* GetAt(int index) const;
    virtual void Add(const CSubstance& item) = 0;
    // The item with that exact name (the lowest position among equals), or null.
    virtual CSubstance* FindByName(const std::string& name) const;
    virtual CSubstance* FindByFormula(const std::string& formula) const;
    virtual void LoadDefaults() {}
    virtual void SerializeOldVersion(Archive& /*ar*/, std::int32_t /*version*/) {}
    // Creates one item and reads it from the archive.
    virtual std::unique_ptr<CSubstance> NewItemFromArchive(Archive& ar) = 0;

    int GetCount() const { return static_cast<int>(m_items.size()); }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    // Whether the last load found its end marker (or read an older section, which has none).
    bool IsValid() const { return m_valid; }

protected:
    // For subclasses: the list itself, which they change and then re-index.
    std::vector<std::unique_ptr<CSubstance>>& Items() { return m_items; }
    void CheckIndex(int index) const;
    // Brings the indexes up to date after one change, without rebuilding them: an item appended at the end,
    // or the item at a position replaced (its old name and formula given).
    void IndexAppended();
    void IndexReplaced(int index, const std::string& oldName, const std::string& oldFormula);

    bool m_modified = false;

private:
    using Index = std::unordered_map<std::string, int>;
    void ReindexKey(Index& index, bool byName, const std::string& key, int from);

    std::int32_t m_version;
    bool m_valid = false;
    std::vector<std::unique_ptr<CSubstance>> m_items;
    std::unordered_map<std::string, int> m_nameIndex;
    std::unordered_map<std::string, int> m_formulaIndex;
};
