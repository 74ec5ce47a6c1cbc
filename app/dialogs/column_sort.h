#pragma once

#include <cstdint>

// The order of a list that is sorted by clicking its column headings: a click on the sorted column reverses
// the direction, a click on another column sorts that one ascending.
class ColumnSortOrder {
public:
    // No column clicked yet.
    static constexpr int kNoColumn = static_cast<int>(0x80000000u);
    // The top bit of the sort parameter marks the ascending direction.
    static constexpr std::uint32_t kAscendingBit = 0x80000000u;

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
    // The column, with the top bit set when ascending; no column yet reads as column 0.
    std::uint32_t Parameter() const {
        const std::uint32_t column = HasColumn() ? static_cast<std::uint32_t>(m_column) : 0u;
        return m_ascending ? (column | kAscendingBit) : column;
    }

private:
    int m_column = kNoColumn;
    bool m_ascending = true;
};
