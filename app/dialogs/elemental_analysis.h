#pragma once

#include "app/controls/static_formula_frame.h"
#include "app/dialogs/column_sort.h"
#include "model/element_analysis_data.h"
#include "platform/ui/dialog.h"

#include <string>
#include <vector>

class CCFListCtrl;
class CFEdit;
class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace ui {
class ComboBox;
struct NotifyInfo;
} // namespace ui

// "Empirical formula calculator": the user lists the elements an elemental analysis found, each with the
// amount measured (as the element itself or as a compound that carries it, such as CO2 for carbon) and,
// optionally, the sample mass; the dialog shows the empirical formula with its molar mass, and how well the
// amounts fit whole numbers. One element may take the mass the sample leaves over ("remaining mass").
// Nothing is stored: the list lives while the dialog is open.
class CElementalAnalysis : public ui::Dialog {
public:
    static constexpr int kTemplateId = 181;
    static constexpr int kAmountBox = 116;
    static constexpr int kAsBox = 117;
    static constexpr int kElementList = 130;
    static constexpr int kEntryList = 131;
    static constexpr int kSolutionButton = 132;
    static constexpr int kGasButton = 134;
    static constexpr int kResultFrame = 141;
    static constexpr int kModifyButton = 146;
    static constexpr int kUnusedBox = 147;
    static constexpr int kRemainingMassCheck = 160;
    static constexpr int kSampleMassBox = 162;
    static constexpr int kSampleUnitList = 163;
    static constexpr int kAmountUnitList = 176;
    static constexpr int kStatusText = 179;
    static constexpr int kAddButton = 111;
    static constexpr int kDeleteButton = 128;
    // The column of the entry list drawn as formulas ("as").
    static constexpr int kFormulaColumn = 1;

    explicit CElementalAnalysis(QWidget* parent = nullptr);

    const std::vector<ElementAnalysisData>& Entries() const { return m_entries; }
    const ElementAnalysisData& Input() const { return m_input; }
    // The index of the selected entry; -1 for none.
    int SelectedEntry() const { return m_selected; }
    const std::string& Status() const { return m_status; }
    const CStaticFormulaFrame& ResultFrame() const { return m_frame; }
    const ColumnSortOrder& SortOrder() const { return m_sortOrder; }

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnAmountChange();
    void OnAsChange();
    void OnSampleMassChange();
    void OnUnusedChange() {}
    void OnElementSelect();
    void OnAmountUnitSelect();
    void OnSampleUnitSelect();
    void OnRemainingMass();
    void OnGasCalculator();
    void OnSolutionCalculator();
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnListDeleteKey();
    void OnItemChanged(const ui::NotifyInfo& info);
    void OnItemClick(const ui::NotifyInfo& info);
    void OnColumnClick(const ui::NotifyInfo& info);

    // Takes the entry into the input, as selecting its row does.
    void SelectEntry(int index);
    // Clears the result after an entry that cannot count towards a formula was stored.
    void ShowNoFormula();
    void ComputeEmpiricalFormula();
    void FillList();
    void UpdateButtons();
    bool IsSelected() const;

    ColumnSortOrder m_sortOrder;
    // Set before the sample mass box gets its typed text back: the change notice that raises is the
    // dialog's own.
    bool m_ownChange = false;
    int m_selected = -1;
    ui::ComboBox* m_sampleUnits = nullptr;
    CFEdit* m_sampleMassBox = nullptr;
    QComboBox* m_elements = nullptr;
    CFEdit* m_amountBox = nullptr;
    QLineEdit* m_asBox = nullptr;
    QAbstractButton* m_remainingMassCheck = nullptr;
    CCFListCtrl* m_list = nullptr;
    QPushButton* m_modifyButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_addButton = nullptr;
    ui::ComboBox* m_amountUnits = nullptr;
    QPushButton* m_solutionButton = nullptr;
    QPushButton* m_gasButton = nullptr;
    std::string m_status;
    std::vector<ElementAnalysisData> m_entries;
    ElementAnalysisData m_input;
    CStaticFormulaFrame m_frame;
};
