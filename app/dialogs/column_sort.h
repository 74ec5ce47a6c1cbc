#pragma once

// The order of a list that is sorted by clicking its column headings: a click on the sorted column reverses
// the direction, a click on another column sorts that one ascending.
class ColumnSortOrder {
public:
    // No column clicked yet.
    static constexpr int kNoColumn = static_cast<int>(0x80000000u);

    ColumnSortOrder() = default;
    ColumnSortOrder(int column, bool ascending) : m_column(column), m_ascending(ascending) {}

    void Click(int column) {
        if (column == m_column) {
            m_ascending = !m_ascending;
        } else {
            m_column = column;
            m_ascending = true;
        }
    }

    int Column() const { return m_column; }
    bool Ascending() const { return m_ascending; }
    bool HasColumn() const { return m_column != kNoColumn; }

private:
    int m_column = kNoColumn;
    bool m_ascending = true;
};
