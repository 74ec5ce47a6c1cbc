#include "app/dialogs/elements_editor.h"

#include "app/controls/delete_key_lists.h"
#include "app/controls/fedit.h"
#include "app/dialogs/list_columns.h"
#include "app/readable_colour.h"
#include "model/element_table.h"
#include "model/elements_editor_rules.h"
#include "model/unicode_notation.h"
#include "platform/ui/message_box.h"
#include "platform/ui/string_table.h"
#include "platform/ui/text_codec.h"

#include <QPushButton>
#include <QTreeWidgetItem>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

using namespace elements_editor;

// "no", "symbol", "molar mass", "formula".
constexpr ListColumn kColumns[] = {
    {"no", Qt::AlignRight, 30},
    {"symbol", Qt::AlignLeft, 90},
    {"molar mass", Qt::AlignRight, 70},
    {"formula", Qt::AlignLeft, 103},
};

// The molar mass with the row's decimals ("%.*f").
QString FormatMass(double molarMass, int decimals) {
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, kMaxDecimals), molarMass);
    return QString::fromLatin1(text);
}

QString FaultText(moiety_rules::Fault fault) {
    return ui::LoadString(fault == moiety_rules::Fault::MolarMass ? CElementsEditor::kMassNotPositive
                                                                  : CElementsEditor::kNamesItself);
}

void MarkFaulty(QTreeWidgetItem* item, moiety_rules::Fault fault) {
    const QColor red =
        item->treeWidget() != nullptr
            ? readable::ReadableColour(Qt::red, item->treeWidget()->palette().color(QPalette::Base))
            : QColor(Qt::red);
    for (int column = 0; column < item->columnCount(); ++column) {
        item->setForeground(column, red);
        item->setToolTip(column, FaultText(fault));
    }
}

} // namespace

CElementsEditor::CElementsEditor(ElementTable& table, Application application, QWidget* parent)
    : ui::Dialog(kTemplateId, parent), m_table(table), m_application(std::move(application)) {
    // The composition box is shown without a frame and without a molar-mass caption.
    m_frame.SetParams(0, 0);
    MapNotify(kAddButton, ui::BN_CLICKED, &CElementsEditor::OnAdd);
    MapNotify(kModifyButton, ui::BN_CLICKED, &CElementsEditor::OnModify);
    MapNotify(kDeleteButton, ui::BN_CLICKED, &CElementsEditor::OnDelete);
    MapNotify(kCompositionBox, ui::EN_CHANGE, &CElementsEditor::OnCompositionChange);
    MapNotify(kSymbolBox, ui::EN_CHANGE, &CElementsEditor::OnFieldChange);
    MapNotify(kCommentBox, ui::EN_CHANGE, &CElementsEditor::OnFieldChange);
    MapNotify(kMolarMassBox, ui::EN_CHANGE, &CElementsEditor::OnFieldChange);
    MapNotifyInfo(kList, kList, ui::LVN_ITEMCHANGED, &CElementsEditor::OnItemChanged);
    MapNotifyInfo(kList, kList, ui::LVN_COLUMNCLICK, &CElementsEditor::OnColumnClick);
    MapMessage(kDeleteKeyMessage, &CElementsEditor::OnListDeleteKey);
}

void CElementsEditor::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, kModifyButton, m_modifyButton);
    ui::DDX_Control(dx, kDeleteButton, m_deleteButton);
    ui::DDX_Control(dx, kAddButton, m_addButton);
    ui::DDX_Control(dx, kList, m_list);
    ui::DDX_Text(dx, kSymbolBox, m_symbol);
    ui::DDX_Text(dx, kCompositionBox, m_composition, UnicodeToNotation);
    ui::DDX_Text(dx, kCommentBox, m_comment);
    DDX_FEdit(dx, kMolarMassBox, m_molarMass);
}

bool CElementsEditor::OnInitDialog() {
    CListCtrlD::Attach(*this, kList);
    m_molarMassBox = CFEdit::Attach(*this, kMolarMassBox);
    ui::Dialog::OnInitDialog();
    m_frame.Attach(kFormulaFrame, *this);
    m_addButton->setEnabled(false);
    m_deleteButton->setEnabled(false);
    m_modifyButton->setEnabled(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    InsertListColumns(*this, *m_list, kColumns);
    FillList();
    return true;
}

void CElementsEditor::OnCancel() {
    ui::Dialog::OnCancel();
}

void CElementsEditor::FillList() {
    std::optional<Element> remembered;
    if (m_selectedRow >= 0 && m_selectedRow < m_table.GetCount())
        remembered = m_table[m_selectedRow];
    m_selectedRow = -1;
    m_filling = true;
    m_list->clear();
    // Row 0, the electron, is no element to edit.
    for (int r = 1; r < m_table.GetCount(); ++r) {
        const Element& element = m_table[r];
        const int item = m_list->AddItem({QString::number(r), ui::FromCp1252(element.GetSymbol()),
                                          FormatMass(element.GetMolarMass(), element.GetDecimals()),
                                          ui::FromCp1252(element.GetComposition())},
                                         r);
        // A stored moiety that makes no sense is loaded as it is, and shown for mending.
        if (const moiety_rules::Fault fault = moiety_rules::FaultOf(m_table, r);
            fault != moiety_rules::Fault::None)
            MarkFaulty(m_list->topLevelItem(item), fault);
        if (remembered && *remembered == element)
            m_selectedRow = r;
    }
    m_filling = false;
    // Selecting the row again loads it into the fields.
    const int item = m_list->FindItemData(m_selectedRow);
    if (item >= 0)
        m_list->topLevelItem(item)->setSelected(true);
}

void CElementsEditor::SortList() {
    const int column = m_sortOrder.HasColumn() ? m_sortOrder.Column() : kNumberColumn;
    const bool ascending = m_sortOrder.Ascending();
    m_list->SortItems([this, column, ascending](qint64 a, qint64 b) {
        const int order = CompareRows(m_table, static_cast<int>(a), static_cast<int>(b), column);
        return ascending ? order : -order;
    });
}

void CElementsEditor::ScrollToSelectedRow() {
    const int item = m_list->FindItemData(m_selectedRow);
    if (item >= 0)
        m_list->scrollToItem(m_list->topLevelItem(item));
}

void CElementsEditor::ValidateInput() {
    const InputCheck check = CheckInput(m_table, m_selectedRow, m_symbol, m_composition, m_molarMass);
    m_addButton->setEnabled(check.canAdd);
    m_modifyButton->setEnabled(check.canModify);
    ShowFault(check.fault);
}

void CElementsEditor::ShowFault(moiety_rules::Fault fault) {
    SetDlgItemText(kStatusText, fault == moiety_rules::Fault::None ? QString() : FaultText(fault));
}

int CElementsEditor::EnteredDecimals() const {
    // A mass loaded from a row is shown with the display digits; unedited, it keeps the row's decimals.
    if (m_rowDecimals >= 0 && m_molarMassBox->ShownNumber().has_value())
        return m_rowDecimals;
    return MassTextDecimals(ui::ToCp1252(m_molarMassBox->text()));
}

void CElementsEditor::OnAdd() {
    // A mass that is no number has been refused: nothing is stored.
    if (!UpdateData(true))
        return;
    const int decimals = EnteredDecimals();
    if (m_table.AddElement(m_symbol, m_composition, m_comment, m_molarMass, decimals) == -1)
        ui::MessageBox(kSymbolExists, ui::MB_OK);
    else
        m_documentsStale = true;
    FillList();
    SortList();
    ValidateInput();
}

void CElementsEditor::OnModify() {
    if (!UpdateData(true) || !IsUserRow(m_table, m_selectedRow))
        return;
    const int decimals = EnteredDecimals();
    if (m_table.ModifyElement(m_selectedRow, m_symbol, m_composition, m_comment, m_molarMass, decimals) == -1)
        ui::MessageBox(kSymbolExists, ui::MB_OK);
    else
        m_documentsStale = true;
    FillList();
    SortList();
    ScrollToSelectedRow();
    ValidateInput();
}

void CElementsEditor::OnDelete() {
    if (!IsUserRow(m_table, m_selectedRow))
        return;
    // After an earlier change in this session the documents' compositions may count the wrong rows (a
    // removal moves the later rows up): they read their formulas again before they are asked.
    if (m_documentsStale && m_application.refreshDocuments) {
        m_application.refreshDocuments();
        m_documentsStale = false;
    }
    const CompositionVector used =
        m_application.usedComposition ? m_application.usedComposition() : CompositionVector();
    if (used[m_selectedRow] != 0) {
        ui::MessageBox(kMoietyInUse, ui::MB_OK);
        return;
    }
    m_table.RemoveAt(m_selectedRow);
    m_documentsStale = true;
    m_selectedRow = -1;
    FillList();
    SortList();
    ValidateInput();
}

void CElementsEditor::OnListDeleteKey() {
    if (m_deleteButton->isEnabled())
        OnDelete();
}

void CElementsEditor::OnCompositionChange() {
    UpdateData(true);
    m_frame.SetFormula(m_composition, true);
    m_molarMass = m_frame.GetMolarMass();
    m_rowDecimals = -1;
    ValidateInput();
    UpdateData(false);
}

void CElementsEditor::OnFieldChange() {
    UpdateData(true);
    ValidateInput();
}

void CElementsEditor::OnItemChanged(const ui::NotifyInfo& info) {
    if (m_filling)
        return;
    const int row = static_cast<int>(m_list->GetItemData(info.item));
    if (row < 0 || row >= m_table.GetCount())
        return;
    m_selectedRow = row;
    const Element& element = m_table[row];
    m_symbol = element.GetSymbol();
    m_composition = element.GetComposition().empty() ? element.GetSymbol() : element.GetComposition();
    m_comment = element.GetComment();
    m_molarMass = element.GetMolarMass();
    m_rowDecimals = element.GetDecimals();
    m_frame.SetFormula(m_composition, false);
    m_addButton->setEnabled(false);
    m_modifyButton->setEnabled(false);
    m_deleteButton->setEnabled(row >= ElementTable::kFirstMoietyRow);
    UpdateData(false);
    // The boxes just written raise no change notices of their own: their check follows here.
    ValidateInput();
    if (const moiety_rules::Fault stored = moiety_rules::FaultOf(m_table, row);
        stored != moiety_rules::Fault::None)
        ShowFault(stored);
}

void CElementsEditor::OnColumnClick(const ui::NotifyInfo& info) {
    m_sortOrder.Click(info.column);
    SortList();
    ScrollToSelectedRow();
}
