#include "app/dialogs/percentages.h"

#include "app/dialogs/list_columns.h"
#include "model/element_table.h"
#include "model/model_host.h"
#include "model/text_utils.h"
#include "model/unicode_notation.h"
#include "platform/ui/list_controls.h"
#include "platform/ui/text_codec.h"

#include <cstdio>

namespace {

// "Z", "element", "molar mass", "atoms", "total mass", "percent".
constexpr ListColumn kColumns[] = {
    {"Z", Qt::AlignRight, 30},     {"element", Qt::AlignLeft, 80},     {"molar mass", Qt::AlignLeft, 90},
    {"atoms", Qt::AlignRight, 40}, {"total mass", Qt::AlignRight, 70}, {"percent", Qt::AlignRight, 70},
};

QString Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}

} // namespace

CPercentages::CPercentages(QWidget* parent) : ui::Dialog(kTemplateId, parent) {
    MapNotify(kFormulaBox, ui::EN_CHANGE, &CPercentages::OnFormulaChange);
    MapNotifyInfo(kList, kList, ui::LVN_COLUMNCLICK, &CPercentages::OnColumnClick);
}

void CPercentages::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, kList, m_list);
    ui::DDX_Text(dx, kFormulaBox, m_formula, UnicodeToNotation);
}

bool CPercentages::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_frame.Attach(kFormulaFrame, *this);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    InsertListColumns(*this, *m_list, kColumns);
    return true;
}

void CPercentages::OnFormulaChange() {
    UpdateData(true);
    m_frame.SetFormula(m_formula, true);
    m_composition = m_frame.GetFormula().GetComposition();
    Recalculate();
}

void CPercentages::Recalculate() {
    m_list->clear();
    m_rows = ComputePercentages(m_composition, GetModelHost().GetElementTable());
    for (int n = 0; n < static_cast<int>(m_rows.size()); ++n) {
        const PercentagesRecord& row = m_rows[n];
        m_list->AddItem({QString::number(row.element), ui::FromCp1252(row.symbol),
                         Format("%.2lf", row.molarMass), QString::number(row.atoms),
                         Format("%.2lf", row.totalMass),
                         row.hasPercent ? Format("%.2lf", row.percent) : QString()},
                        n);
    }
}

void CPercentages::OnColumnClick(const ui::NotifyInfo& info) {
    m_sortOrder.Click(info.column);
    const int column = m_sortOrder.Column();
    const bool ascending = m_sortOrder.Ascending();
    m_list->SortItems([this, column, ascending](qint64 a, qint64 b) {
        const int order = ComparePercentagesRecords(m_rows[static_cast<std::size_t>(a)],
                                                    m_rows[static_cast<std::size_t>(b)], column);
        return ascending ? order : -order;
    });
}

int ComparePercentagesRecords(const PercentagesRecord& a, const PercentagesRecord& b, int column) {
    switch (column) {
    case 0:
        return CompareValues(a.element, b.element);
    case 1:
        return CompareNoCase(a.symbol, b.symbol);
    case 2:
        return CompareValues(a.molarMass, b.molarMass);
    case 3:
        return CompareValues(a.atoms, b.atoms);
    case 4:
        return CompareValues(a.totalMass, b.totalMass);
    case 5:
        return CompareValues(a.percent, b.percent);
    default:
        return 0;
    }
}
