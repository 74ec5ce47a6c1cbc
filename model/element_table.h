#pragma once

#include "model/element.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class Archive;

// All elements and moieties the program knows. Row numbers are fixed: row 0 is the electron "e", rows 1 to
// 103 the elements by atomic number, the user's moieties follow from row 104. A row number is also the index
// of that row's count in every CompositionVector.
//
// The rows array may hold more slots than rows in use: a removal leaves the last slot behind, and the next
// addition reuses it. Stored sections keep every slot.
class ElementTable {
public:
    // Rows 0 .. 103 are built in and read-only in the editor; the first user moiety takes this row.
    static constexpr int kFirstMoietyRow = 104;
    // Version words of the stored section: 0x10000 tables have no electron row.
    static constexpr std::int32_t kVersionWithoutElectron = 0x10000;
    static constexpr std::int32_t kCurrentVersion = 0x20000;

    // An empty table: no rows, both flags clear.
    ElementTable() = default;

    int GetCount() const { return m_count; }
    // The element of a slot; throws std::out_of_range outside the rows array.
    const Element& GetAt(int row) const;
    const Element& operator[](int row) const { return GetAt(row); }
    // Slots of the rows array, at least GetCount().
    int GetSlotCount() const { return static_cast<int>(m_rows.size()); }

    // Set by every add, change and removal; cleared after a read, a write or BuildDefault.
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    // Whether the last read found its end marker (or needed none).
    bool IsValid() const { return m_valid; }

    // The row whose symbol equals the text exactly, or -1.
    int Find(std::string_view symbol) const;
    // The row of the longest symbol that begins the text, its length in `length`; among symbols of equal
    // length the lowest row wins. -1 with length 1 when no symbol begins the text.
    int MatchSymbol(std::string_view text, int& length) const;

    // Appends a row and returns its number, or -1 (nothing changes) when the symbol is taken.
    int AddElement(const std::string& symbol, const std::string& composition, const std::string& comment,
                   double molarMass, int decimals);
    // Replaces all five fields of a row in use and returns the row, or -1 (nothing changes) when another row
    // has the symbol. Throws std::out_of_range for a row not in use.
    int ModifyElement(int row, const std::string& symbol, const std::string& composition,
                      const std::string& comment, double molarMass, int decimals);
    // Removes a row in use; the later rows move up by one. Throws std::out_of_range for a row not in use.
    void RemoveAt(int row);
    // Rebuilds the symbol index from the rows in use.
    void Reindex();

    // Reads or writes the stored section: version, count, the element records (every slot) and the end
    // marker. A section that cannot be read throws ArchiveError and leaves the table as it was.
    void Serialize(Archive& ar);

    // Makes this the built-in table of 104 rows.
    void BuildDefault();

private:
    void Load(Archive& ar);
    void Store(Archive& ar);

    bool m_modified = false;
    bool m_valid = false;
    int m_count = 0;
    std::vector<Element> m_rows;
    std::unordered_map<std::string, int> m_symbolIndex;
};
