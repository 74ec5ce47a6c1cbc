#include "model/element_table.h"

#include "model/built_in_elements.h"
#include "model/model_host.h"
#include "platform/core/archive.h"

#include <charconv>
#include <stdexcept>
#include <utility>

namespace {

// Smallest stored element record: three empty strings (one length byte each), a double and an int.
constexpr std::size_t kMinElementRecordSize = 3 + 8 + 4;

} // namespace

const Element& ElementTable::GetAt(int row) const {
    if (row < 0 || row >= GetSlotCount())
        throw std::out_of_range("element table row " + std::to_string(row) + " does not exist");
    return m_rows[static_cast<std::size_t>(row)];
}

int ElementTable::Find(std::string_view symbol) const {
    const auto it = m_symbolIndex.find(std::string(symbol));
    return it == m_symbolIndex.end() ? -1 : it->second;
}

int ElementTable::MatchSymbol(std::string_view text, int& length) const {
    int bestRow = -1;
    std::size_t bestLength = 0;
    for (int i = 0; i < m_count; ++i) {
        const std::string& symbol = m_rows[static_cast<std::size_t>(i)].GetSymbol();
        // Strictly longer only, so the lowest row keeps a tie; an empty symbol never matches.
        if (symbol.size() > bestLength && text.starts_with(symbol)) {
            bestRow = i;
            bestLength = symbol.size();
        }
    }
    if (bestLength == 0) {
        length = 1;
        return -1;
    }
    length = static_cast<int>(bestLength);
    return bestRow;
}

int ElementTable::AddElement(const std::string& symbol, const std::string& composition,
                             const std::string& comment, double molarMass, int decimals) {
    if (Find(symbol) != -1)
        return -1;
    Element element(symbol, composition, comment, molarMass, decimals);
    if (GetSlotCount() > m_count)
        m_rows[static_cast<std::size_t>(m_count)] = std::move(element);
    else
        m_rows.push_back(std::move(element));
    m_symbolIndex[symbol] = m_count;
    ++m_count;
    m_modified = true;
    return m_count - 1;
}

int ElementTable::ModifyElement(int row, const std::string& symbol, const std::string& composition,
                                const std::string& comment, double molarMass, int decimals) {
    if (row < 0 || row >= m_count)
        throw std::out_of_range("element table row " + std::to_string(row) + " is not in use");
    for (int i = 0; i < m_count; ++i) {
        if (i != row && m_rows[static_cast<std::size_t>(i)].GetSymbol() == symbol)
            return -1;
    }
    Element& target = m_rows[static_cast<std::size_t>(row)];
    const auto old = m_symbolIndex.find(target.GetSymbol());
    if (old != m_symbolIndex.end() && old->second == row)
        m_symbolIndex.erase(old);
    target = Element(symbol, composition, comment, molarMass, decimals);
    m_symbolIndex[symbol] = row;
    m_modified = true;
    return row;
}

void ElementTable::RemoveAt(int row) {
    if (row < 0 || row >= m_count)
        throw std::out_of_range("element table row " + std::to_string(row) + " is not in use");
    for (int i = row; i < m_count - 1; ++i)
        m_rows[static_cast<std::size_t>(i)] = m_rows[static_cast<std::size_t>(i) + 1];
    --m_count;
    m_modified = true;
    Reindex();
}

void ElementTable::Reindex() {
    m_symbolIndex.clear();
    for (int i = 0; i < m_count; ++i)
        m_symbolIndex[m_rows[static_cast<std::size_t>(i)].GetSymbol()] = i;
}

void ElementTable::Serialize(Archive& ar) {
    if (ar.IsStoring())
        Store(ar);
    else
        Load(ar);
}

void ElementTable::Store(Archive& ar) {
    ar << kCurrentVersion << std::int32_t{m_count};
    ar.WriteCount(m_rows.size());
    for (Element& element : m_rows)
        element.Serialize(ar);
    bool unused = true;
    GetModelHost().SerializeEndMarker(unused, true, ar);
    m_modified = false;
}

void ElementTable::Load(Archive& ar) {
    std::int32_t version = 0;
    std::int32_t count = 0;
    ar >> version >> count;
    const std::size_t slots = ar.ReadCount(kMinElementRecordSize);
    if (count < 0 || static_cast<std::size_t>(count) > slots)
        throw ArchiveError("the element table names more rows than it holds");

    std::vector<Element> rows(slots);
    for (Element& element : rows)
        element.Serialize(ar);
    if (version == kVersionWithoutElectron) {
        rows.insert(rows.begin(), Element("e", "", "", 0.0, 0));
        ++count;
    }
    bool valid = false;
    GetModelHost().SerializeEndMarker(valid, version == kCurrentVersion, ar);

    // Only a section read to its end replaces the table.
    m_rows = std::move(rows);
    m_count = count;
    Reindex();
    m_valid = valid;
    m_modified = false;
}

void ElementTable::BuildDefault() {
    m_rows.clear();
    m_symbolIndex.clear();
    m_count = 0;
    for (const BuiltInElement& row : BuiltInElements()) {
        const std::string_view text = row.massText;
        double molarMass = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), molarMass);
        const std::size_t point = text.find('.');
        const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
        AddElement(std::string(row.symbol), "", "", molarMass, decimals);
    }
    m_modified = false;
}
