#pragma once

#include <QString>

#include <vector>

class CKestrolabDatabase;

// The order in which the substances dialog lists a database: the positions of its substances sorted by the
// text the list shows (name or formula) as a sorted list box compares them, equal texts in database order.
// A filter keeps a subsequence, which is in order too, so the list is filled without sorting. Kept up to date
// through each change the dialog makes, so that a change costs a search and a shift, not a new sort.
class SubstanceListOrder {
public:
    // Whether the order describes this many substances shown by this field (0 name, 1 formula).
    bool IsFor(const CKestrolabDatabase& database, int field) const;
    // Sorts the whole database anew.
    void Rebuild(const CKestrolabDatabase& database, int field);
    // After the database gained the substance at `index` (the last one), or replaced the one there.
    void Added(const CKestrolabDatabase& database, int index);
    void Replaced(const CKestrolabDatabase& database, int index);
    // After the database removed the substance at `index`; the ones after it moved up by one.
    void Removed(int index);

    // Database positions in list order.
    const std::vector<int>& Positions() const { return m_positions; }
    // The list text of the substance at a database position.
    const QString& Text(int index) const { return m_texts[static_cast<std::size_t>(index)]; }

private:
    QString TextOf(const CKestrolabDatabase& database, int index) const;
    void Insert(int index);

    int m_field = -1;
    std::vector<QString> m_texts; // by database position
    std::vector<int> m_positions;
};
