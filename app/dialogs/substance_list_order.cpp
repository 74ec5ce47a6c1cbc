#include "app/dialogs/substance_list_order.h"

#include "model/kestrolab_database.h"
#include "model/substance.h"
#include "platform/ui/list_controls.h"
#include "platform/ui/text_codec.h"

#include <algorithm>
#include <numeric>

bool SubstanceListOrder::IsFor(const CKestrolabDatabase& database, int field) const {
    return m_field == field && static_cast<int>(m_positions.size()) == database.GetCount();
}

QString SubstanceListOrder::TextOf(const CKestrolabDatabase& database, int index) const {
    const CSubstance& substance = *database.GetAt(index);
    return ui::FromCp1252(m_field == 1 ? substance.GetFormula() : substance.GetName());
}

void SubstanceListOrder::Rebuild(const CKestrolabDatabase& database, int field) {
    m_field = field;
    const int n = database.GetCount();
    m_texts.clear();
    m_texts.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        m_texts.push_back(TextOf(database, i));
    m_positions.resize(static_cast<std::size_t>(n));
    std::iota(m_positions.begin(), m_positions.end(), 0);
    std::stable_sort(m_positions.begin(), m_positions.end(),
                     [this](int a, int b) { return ui::ListBox::ComesBefore(Text(a), Text(b)); });
}

void SubstanceListOrder::Insert(int index) {
    // After every position whose text does not sort above it, and among equal texts by database position.
    const auto at = std::upper_bound(m_positions.begin(), m_positions.end(), index, [this](int a, int b) {
        if (ui::ListBox::ComesBefore(Text(a), Text(b)))
            return true;
        return !ui::ListBox::ComesBefore(Text(b), Text(a)) && a < b;
    });
    m_positions.insert(at, index);
}

void SubstanceListOrder::Added(const CKestrolabDatabase& database, int index) {
    if (index < 0 || index > static_cast<int>(m_texts.size())) {
        m_field = -1;
        return;
    }
    m_texts.insert(m_texts.begin() + index, TextOf(database, index));
    for (int& position : m_positions)
        position += position >= index;
    Insert(index);
}

void SubstanceListOrder::Replaced(const CKestrolabDatabase& database, int index) {
    const auto at = std::find(m_positions.begin(), m_positions.end(), index);
    if (at == m_positions.end()) {
        m_field = -1; // not the database it was made for: sorted anew when next asked
        return;
    }
    m_positions.erase(at);
    m_texts[static_cast<std::size_t>(index)] = TextOf(database, index);
    Insert(index);
}

void SubstanceListOrder::Removed(int index) {
    const auto at = std::find(m_positions.begin(), m_positions.end(), index);
    if (at == m_positions.end()) {
        m_field = -1;
        return;
    }
    m_positions.erase(at);
    for (int& position : m_positions)
        position -= position > index;
    m_texts.erase(m_texts.begin() + index);
}
