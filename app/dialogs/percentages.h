#pragma once

#include "app/controls/static_formula_frame.h"
#include "app/dialogs/column_sort.h"
#include "model/composition_vector.h"
#include "model/percentages_records.h"
#include "platform/ui/dialog.h"

#include <string>
#include <vector>

// Orders two records by one column of the list (0 element number, 1 symbol without regard to case, 2 molar
// mass, 3 atoms, 4 total mass, 5 percent): negative when a comes first in ascending order, 0 when equal.
int ComparePercentagesRecords(const PercentagesRecord& a, const PercentagesRecord& b, int column);

namespace ui {
class ListView;
struct NotifyInfo;
} // namespace ui

// "Percentage composition calculator": the user types a formula and sees it drawn with its molar mass, and
// for each of its elements the number in the table, symbol, molar mass, atoms, the mass they bring and their
// share of the whole. The list sorts by any column. Nothing is stored.
class CPercentages : public ui::Dialog {
public:
    static constexpr int kTemplateId = 185;
    static constexpr int kFormulaBox = 140;
    static constexpr int kFormulaFrame = 141;
    static constexpr int kList = 153;

    explicit CPercentages(QWidget* parent = nullptr);

    // The rows in element-number order, as last calculated.
    const std::vector<PercentagesRecord>& Rows() const { return m_rows; }
    const ColumnSortOrder& SortOrder() const { return m_sortOrder; }
    const CStaticFormulaFrame& FormulaFrame() const { return m_frame; }

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnFormulaChange();
    void OnColumnClick(const ui::NotifyInfo& info);
    void Recalculate();

    // The list starts out counted as sorted by element number, ascending.
    ColumnSortOrder m_sortOrder{0, true};
    CStaticFormulaFrame m_frame;
    CompositionVector m_composition;
    std::vector<PercentagesRecord> m_rows;
    ui::ListView* m_list = nullptr;
    std::string m_formula;
};
