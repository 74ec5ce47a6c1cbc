#include "app/dialogs/calculator_dialog.h"

#include "platform/ui/control_host.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/text_codec.h"

#include <QComboBox>
#include <QLineEdit>

bool CalculatorDialog::SwallowChange(int id) {
    if (m_leavingBox >= 0) {
        const QWidget* left = GetDlgItem(m_leavingBox);
        const bool leaving = m_leavingBox == id && left != nullptr && !left->hasFocus();
        m_leavingBox = -1;
        if (leaving)
            return true;
    }
    if (m_ownChange) {
        m_ownChange = false;
        return true;
    }
    return false;
}

void CalculatorDialog::CheckTypedRange(ui::DataExchange& dx, int id, double value, double minValue,
                                       double maxValue) const {
    if (id == m_typedBox)
        ui::DDV_MinMaxDouble(dx, value, minValue, maxValue);
}

CalculatorDialog::Typed CalculatorDialog::Remember(int id) const {
    const auto* box = Control<QLineEdit>(id);
    if (box == nullptr)
        return {};
    const ui::EditSelection selection = ui::GetEditSelection(box);
    return {box->text(), selection.start, selection.end};
}

void CalculatorDialog::PutBack(int id, const Typed& typed) {
    auto* box = Control<QLineEdit>(id);
    if (box == nullptr) {
        m_ownChange = false;
        return;
    }
    // Raises one change notification, which the own-change flag swallows.
    ui::SetWindowText(box, typed.text);
    ui::SetEditSelection(box, typed.start, typed.end);
}

void CalculatorDialog::FillUnitList(QComboBox* list, UnitNameTable table, int unit) {
    list->clear();
    for (std::string_view name : table)
        list->addItem(ui::FromCp1252(std::string(name)));
    SelectUnit(list, table, unit);
}

void CalculatorDialog::SelectUnit(QComboBox* list, UnitNameTable table, int unit) {
    list->setCurrentIndex(IsUnitIndex(table, unit) ? unit : -1);
}

int CalculatorDialog::SelectedUnit(const QComboBox* list, UnitNameTable table) {
    return UnitIndex(table, ui::ToCp1252(list->currentText()));
}

void CalculatorDialog::KeepInTable(int& unit, UnitNameTable table, int fallback) {
    if (!IsUnitIndex(table, unit))
        unit = fallback;
}
