#include "app/dialogs/elemental_analysis.h"

#include "app/controls/fedit.h"
#include "app/controls/formula_list_ctrl.h"
#include "app/dialogs/concentration_calculator.h"
#include "app/dialogs/ideal_gas_calculator.h"
#include "app/dialogs/list_columns.h"
#include "model/element_table.h"
#include "model/empirical_formula.h"
#include "model/float_numbers_string.h"
#include "model/model_host.h"
#include "model/text_utils.h"
#include "model/unicode_notation.h"
#include "model/unit_names.h"
#include "platform/ui/list_controls.h"
#include "platform/ui/text_codec.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// "element", "as", "amount", "unit", "moles".
constexpr ListColumn kColumns[] = {
    {"element", Qt::AlignRight, 60}, {"as", Qt::AlignLeft, 80},     {"amount", Qt::AlignRight, 65},
    {"unit", Qt::AlignLeft, 65},     {"moles", Qt::AlignRight, 70},
};

// The amount units offered: the first four names of MassUnitNames.
constexpr int kAmountUnitCount = 4;

// A quantity in the list: 4 significant digits, "*" after the amounts of the remaining-mass entry.
QString ListNumber(double value, bool remaining) {
    CFloatNumbersString text;
    text.Format(value, 4);
    if (remaining)
        text += "*";
    return ui::FromCp1252(text);
}

QString UnitText(int unit) {
    return ui::FromCp1252(std::string(UnitName(MassUnitNames, unit)));
}

// The combo entry that reads exactly the text, or -1.
int FindEntry(const QComboBox* list, const QString& text) {
    return list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

} // namespace

CElementalAnalysis::CElementalAnalysis(QWidget* parent) : ui::Dialog(kTemplateId, parent) {
    MapNotify(kAmountBox, ui::EN_CHANGE, &CElementalAnalysis::OnAmountChange);
    MapNotify(kAsBox, ui::EN_CHANGE, &CElementalAnalysis::OnAsChange);
    MapNotify(kSampleMassBox, ui::EN_CHANGE, &CElementalAnalysis::OnSampleMassChange);
    MapNotify(kUnusedBox, ui::EN_CHANGE, &CElementalAnalysis::OnUnusedChange);
    MapNotify(kElementList, ui::CBN_SELENDOK, &CElementalAnalysis::OnElementSelect);
    MapNotify(kAmountUnitList, ui::CBN_SELENDOK, &CElementalAnalysis::OnAmountUnitSelect);
    MapNotify(kSampleUnitList, ui::CBN_SELENDOK, &CElementalAnalysis::OnSampleUnitSelect);
    MapNotify(kRemainingMassCheck, ui::BN_CLICKED, &CElementalAnalysis::OnRemainingMass);
    MapNotify(kGasButton, ui::BN_CLICKED, &CElementalAnalysis::OnGasCalculator);
    MapNotify(kSolutionButton, ui::BN_CLICKED, &CElementalAnalysis::OnSolutionCalculator);
    MapNotify(kAddButton, ui::BN_CLICKED, &CElementalAnalysis::OnAdd);
    MapNotify(kModifyButton, ui::BN_CLICKED, &CElementalAnalysis::OnModify);
    MapNotify(kDeleteButton, ui::BN_CLICKED, &CElementalAnalysis::OnDelete);
    MapMessage(kDeleteKeyMessage, &CElementalAnalysis::OnListDeleteKey);
    MapNotifyInfo(kEntryList, kEntryList, ui::LVN_ITEMCHANGED, &CElementalAnalysis::OnItemChanged);
    MapNotifyInfo(kEntryList, kEntryList, ui::NM_CLICK, &CElementalAnalysis::OnItemClick);
    MapNotifyInfo(kEntryList, kEntryList, ui::LVN_COLUMNCLICK, &CElementalAnalysis::OnColumnClick);
}

void CElementalAnalysis::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, kSampleUnitList, m_sampleUnits);
    ui::DDX_Control(dx, kSampleMassBox, m_sampleMassBox);
    ui::DDX_Control(dx, kElementList, m_elements);
    ui::DDX_Control(dx, kAmountBox, m_amountBox);
    ui::DDX_Control(dx, kAsBox, m_asBox);
    ui::DDX_Control(dx, kRemainingMassCheck, m_remainingMassCheck);
    ui::DDX_Control(dx, kEntryList, m_list);
    ui::DDX_Control(dx, kModifyButton, m_modifyButton);
    ui::DDX_Control(dx, kDeleteButton, m_deleteButton);
    ui::DDX_Control(dx, kAddButton, m_addButton);
    ui::DDX_Control(dx, kAmountUnitList, m_amountUnits);
    ui::DDX_Control(dx, kSolutionButton, m_solutionButton);
    ui::DDX_Control(dx, kGasButton, m_gasButton);
    ui::DDX_Text(dx, kStatusText, m_status);
    DDX_FEdit(dx, kSampleMassBox, m_input.sampleMassTyped);
    DDX_FEdit(dx, kAmountBox, m_input.amount);
    ui::DDX_Text(dx, kAsBox, m_input.asFormula, UnicodeToNotation);
    ui::DDX_Check(dx, kRemainingMassCheck, m_input.remainingMass);
}

bool CElementalAnalysis::OnInitDialog() {
    CFEdit::Attach(*this, kSampleMassBox);
    CFEdit::Attach(*this, kAmountBox);
    CCFListCtrl::Attach(*this, kEntryList)->m_formulaColumn = kFormulaColumn;
    ui::Dialog::OnInitDialog();
    m_frame.Attach(kResultFrame, *this);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    InsertListColumns(*this, *m_list, kColumns);

    for (int unit = 0; unit < kAmountUnitCount; ++unit)
        m_amountUnits->AddString(UnitText(unit));
    m_amountUnits->setCurrentIndex(FindEntry(m_amountUnits, UnitText(ElementAnalysisData::kGrams)));
    m_sampleUnits->AddString(UnitText(ElementAnalysisData::kGrams));
    m_sampleUnits->AddString(UnitText(ElementAnalysisData::kMilligrams));
    m_sampleUnits->setCurrentIndex(FindEntry(m_sampleUnits, UnitText(ElementAnalysisData::kGrams)));
    // Every row but the electron's, in table order.
    const ElementTable& table = GetModelHost().GetElementTable();
    for (int row = 1; row < table.GetCount(); ++row)
        m_elements->addItem(ui::FromCp1252(table[row].GetSymbol()));
    m_elements->setCurrentIndex(-1);
    UpdateButtons();
    return true;
}

bool CElementalAnalysis::IsSelected() const {
    return m_selected >= 0 && m_selected < static_cast<int>(m_entries.size());
}

void CElementalAnalysis::OnAmountChange() {
    UpdateData(true);
    m_input.UpdateQuantitiesFromAmount();
}

void CElementalAnalysis::OnAsChange() {
    UpdateData(true);
    m_input.Evaluate(m_status);
    UpdateData(false);
    UpdateButtons();
}

void CElementalAnalysis::OnSampleMassChange() {
    if (m_ownChange) {
        m_ownChange = false;
        return;
    }
    // The box is rewritten by the push below; what the user is typing goes back in afterwards.
    const QString typed = m_sampleMassBox->text();
    const ui::EditSelection caret = ui::GetEditSelection(m_sampleMassBox);
    UpdateData(true);
    m_input.UpdateQuantitiesFromAmount();
    ComputeEmpiricalFormula();
    UpdateButtons();
    m_ownChange = true;
    UpdateData(false);
    ui::SetWindowText(m_sampleMassBox, typed);
    ui::SetEditSelection(m_sampleMassBox, caret.start, caret.end);
}

void CElementalAnalysis::OnElementSelect() {
    m_input.symbol = ui::ToCp1252(m_elements->currentText());
    m_input.elementRow = GetModelHost().GetElementTable().Find(m_input.symbol);
    m_input.remainingMass = 0;
    // With an empty "as" box the amount is the element's own: its molar mass weighs it from now on.
    m_input.WeighMeasuredAs();
    UpdateButtons();
    UpdateData(false);
}

void CElementalAnalysis::OnAmountUnitSelect() {
    const int unit = UnitIndex(MassUnitNames, ui::ToCp1252(m_amountUnits->currentText()));
    if (unit < 0 || unit >= kAmountUnitCount)
        return;
    m_input.amountUnit = unit;
    m_input.UpdateAmountFromQuantities();
    UpdateData(false);
}

void CElementalAnalysis::OnSampleUnitSelect() {
    const int unit = UnitIndex(MassUnitNames, ui::ToCp1252(m_sampleUnits->currentText()));
    if (unit != ElementAnalysisData::kGrams && unit != ElementAnalysisData::kMilligrams)
        return;
    m_input.sampleMassUnit = unit;
    m_input.UpdateAmountFromQuantities();
    UpdateData(false);
}

void CElementalAnalysis::OnRemainingMass() {
    UpdateData(true);
    m_input.asFormula = m_input.symbol;
    m_input.amount = CEditableDouble(0.0, 0);
    m_input.mass = 0.0;
    m_input.moles = 0.0;
    m_input.asMolarMass = 0.0;
    m_input.elementMass = 0.0;
    m_input.elementMoles = 0.0;
    UpdateButtons();
    UpdateData(false);
}

void CElementalAnalysis::OnGasCalculator() {
    pVnRTCalc calculator(this);
    calculator.m_standalone = 0;
    calculator.m_formula = m_input.MeasuredAs();
    calculator.m_M = m_input.asMolarMass;
    calculator.m_mass = m_input.mass;
    calculator.m_n = m_input.moles;
    calculator.m_p = m_input.pressure.value;
    calculator.m_T = m_input.temperature.value;
    calculator.m_V = m_input.volume.value;
    calculator.m_pressureUnit = m_input.pressureUnit;
    calculator.m_temperatureUnit = m_input.temperatureUnit;
    calculator.m_volumeUnit = m_input.gasVolumeUnit;
    calculator.ToAbsoluteTemperature();
    calculator.UpdateR();
    if (calculator.DoModal() != ui::IDOK)
        return;
    m_input.SetMoles(calculator.m_n);
    m_input.pressure = calculator.m_p;
    m_input.temperature = calculator.m_T;
    m_input.volume = calculator.m_V;
    m_input.pressureUnit = calculator.m_pressureUnit;
    m_input.temperatureUnit = calculator.m_temperatureUnit;
    m_input.gasVolumeUnit = calculator.m_volumeUnit;
    UpdateData(false);
}

void CElementalAnalysis::OnSolutionCalculator() {
    CConcentrationCalculator calculator(this);
    calculator.m_standalone = 0;
    calculator.m_formula = m_input.MeasuredAs();
    calculator.m_mass = CEditableDouble(m_input.mass, 0);
    calculator.m_n = CEditableDouble(m_input.moles, 0);
    calculator.m_C = m_input.concentration;
    calculator.m_V = m_input.volume;
    calculator.m_volumeUnit = m_input.volumeUnit;
    calculator.m_concentrationUnit = m_input.concentrationUnit;
    if (calculator.DoModal() != ui::IDOK)
        return;
    m_input.SetMoles(calculator.m_n.value);
    m_input.concentration = calculator.m_C;
    m_input.volume = calculator.m_V;
    m_input.volumeUnit = calculator.m_volumeUnit;
    m_input.concentrationUnit = calculator.m_concentrationUnit;
    UpdateData(false);
}

void CElementalAnalysis::OnAdd() {
    // An amount that is no number has been refused: nothing is stored.
    if (!UpdateData(true))
        return;
    m_status.clear();
    const bool usable = m_input.Evaluate(m_status);
    m_entries.push_back(m_input);
    if (m_status.empty())
        ComputeEmpiricalFormula();
    else if (!usable)
        ShowNoFormula();
    FillList();
    UpdateButtons();
    UpdateData(false);
}

void CElementalAnalysis::OnModify() {
    if (!UpdateData(true) || !IsSelected())
        return;
    m_status.clear();
    const bool usable = m_input.Evaluate(m_status);
    m_entries[static_cast<std::size_t>(m_selected)] = m_input;
    if (m_status.empty())
        ComputeEmpiricalFormula();
    else if (!usable)
        ShowNoFormula();
    FillList();
    UpdateButtons();
    UpdateData(false);
}

void CElementalAnalysis::OnDelete() {
    UpdateData(true);
    if (!IsSelected())
        return;
    m_entries.erase(m_entries.begin() + m_selected);
    m_selected = -1;
    ComputeEmpiricalFormula();
    FillList();
    UpdateButtons();
    UpdateData(false);
}

void CElementalAnalysis::OnListDeleteKey() {
    if (m_deleteButton->isEnabled())
        OnDelete();
}

void CElementalAnalysis::SelectEntry(int index) {
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return;
    m_selected = index;
    m_input = m_entries[static_cast<std::size_t>(index)];
    m_amountUnits->setCurrentIndex(FindEntry(m_amountUnits, UnitText(m_input.amountUnit)));
    m_elements->setCurrentIndex(FindEntry(m_elements, ui::FromCp1252(m_input.symbol)));
    // The entry's sample mass comes with its unit.
    m_sampleUnits->setCurrentIndex(FindEntry(m_sampleUnits, UnitText(m_input.sampleMassUnit)));
    UpdateButtons();
    UpdateData(false);
}

void CElementalAnalysis::OnItemChanged(const ui::NotifyInfo& info) {
    if (info.newState != (ui::LVIS_SELECTED | ui::LVIS_FOCUSED))
        return;
    SelectEntry(static_cast<int>(m_list->GetItemData(info.item)));
}

void CElementalAnalysis::OnItemClick(const ui::NotifyInfo& info) {
    // A click on a row that stayed selected through a refill (so no selection changes) takes it all the
    // same, as the selection notice of any other row would.
    const QTreeWidgetItem* item = m_list->topLevelItem(info.item);
    if (item == nullptr || !item->isSelected())
        return;
    const int index = static_cast<int>(m_list->GetItemData(info.item));
    if (index != m_selected)
        SelectEntry(index);
}

void CElementalAnalysis::ComputeEmpiricalFormula() {
    const EmpiricalFormulaResult result = ::ComputeEmpiricalFormula(m_entries, m_input.sampleMass.value);
    if (result.status)
        m_status = *result.status;
    m_frame.SetFormula(result.formula, true);
}

void CElementalAnalysis::ShowNoFormula() {
    // The status says why; a formula of the entries before would no longer be theirs.
    m_frame.SetFormula("", true);
}

void CElementalAnalysis::FillList() {
    const std::string remembered = IsSelected() ? m_entries[static_cast<std::size_t>(m_selected)].symbol : "";
    const bool hadSelection = IsSelected();
    m_list->clear();
    m_selected = -1;
    int reselect = -1;
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        const ElementAnalysisData& entry = m_entries[static_cast<std::size_t>(i)];
        const bool remaining = entry.remainingMass != 0;
        m_list->AddItem({ui::FromCp1252(entry.symbol), ui::FromCp1252(entry.asFormula),
                         ListNumber(entry.amount.value, remaining), UnitText(entry.amountUnit),
                         ListNumber(entry.elementMoles, remaining)},
                        i);
        if (hadSelection && entry.symbol == remembered)
            reselect = i;
    }
    if (reselect >= 0)
        m_list->topLevelItem(reselect)->setSelected(true);
}

void CElementalAnalysis::UpdateButtons() {
    const bool selected = IsSelected();
    int flagged = -1;
    bool sameElement = false;
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        const ElementAnalysisData& entry = m_entries[static_cast<std::size_t>(i)];
        if (entry.remainingMass != 0)
            flagged = i;
        if (entry.elementRow == m_input.elementRow)
            sameElement = true;
    }
    const bool inputFlagged = m_input.remainingMass != 0;
    m_modifyButton->setEnabled(selected);
    m_deleteButton->setEnabled(selected);
    m_addButton->setEnabled(m_input.elementRow != -1 && !sameElement && !(flagged >= 0 && inputFlagged));

    const int selectedRow = selected ? m_entries[static_cast<std::size_t>(m_selected)].elementRow : -1;
    const bool otherSelected = flagged >= 0 && selected && m_selected != flagged;
    const bool otherElement = flagged >= 0 && m_input.elementRow != selectedRow;
    m_remainingMassCheck->setEnabled(!(m_input.sampleMass.value == 0.0 || otherSelected || otherElement));

    m_sampleMassBox->setEnabled(flagged < 0);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_asBox, m_amountBox, m_amountUnits, m_solutionButton, m_gasButton})
        control->setEnabled(!inputFlagged);
}

void CElementalAnalysis::OnColumnClick(const ui::NotifyInfo& info) {
    m_sortOrder.Click(info.column);
    const int column = m_sortOrder.Column();
    const bool ascending = m_sortOrder.Ascending();
    m_list->SortItems([this, column, ascending](qint64 a, qint64 b) {
        const ElementAnalysisData& x = m_entries[static_cast<std::size_t>(a)];
        const ElementAnalysisData& y = m_entries[static_cast<std::size_t>(b)];
        int order = 0;
        switch (column) {
        case 0:
            order = CompareNoCase(x.symbol, y.symbol);
            break;
        case 1:
            order = CompareNoCase(x.asFormula, y.asFormula);
            break;
        case 2:
            order = CompareValues(x.amount.value, y.amount.value);
            break;
        case 3:
            order =
                CompareNoCase(UnitName(MassUnitNames, x.amountUnit), UnitName(MassUnitNames, y.amountUnit));
            break;
        case 4:
            order = CompareValues(x.elementMoles, y.elementMoles);
            break;
        default:
            break;
        }
        return ascending ? order : -order;
    });
}
