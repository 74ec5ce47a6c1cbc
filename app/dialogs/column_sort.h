#pragma once

#include <cstdint>
#include <string_view>

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

// What the compare functions of the sorted lists share: negative, 0 or positive as a comes before, with or
// after b in ascending order.
template <class T> int CompareValues(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}
// Texts without regard to the case of ASCII letters.
int CompareNoCase(std::string_view a, std::string_view b);
