#include "app/dialogs/substance_database_dlg.h"

#include "app/controls/delete_key_lists.h"
#include "app/qelt_app.h"
#include "model/substance_database.h"
#include "model/unicode_notation.h"
#include "pattern/rexi_search.h"
#include "platform/ui/string_table.h"
#include "platform/ui/text_codec.h"

#include <QComboBox>
#include <QListWidgetItem>
#include <QPushButton>

namespace {

// The caption's string has the placeholders of a C format: "%i" takes the next number, "%s" the next text
// and "%%" is a percent sign. Placeholders beyond the arguments given are left out.
QString FormatCaption(const QString& pattern, const std::vector<int>& numbers, const QStringList& texts) {
    QString result;
    std::size_t nextNumber = 0;
    qsizetype nextText = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c != u'%' || i + 1 == pattern.size()) {
            result += c;
            continue;
        }
        const QChar kind = pattern.at(++i);
        if (kind == u'i' || kind == u'd') {
            if (nextNumber < numbers.size())
                result += QString::number(numbers[nextNumber++]);
        } else if (kind == u's') {
            if (nextText < texts.size())
                result += texts.at(nextText++);
        } else if (kind == u'%') {
            result += u'%';
        } else {
            result += c;
            result += kind;
        }
    }
    return result;
}

// The filter lists everything without searching when it is "." or empty.
bool FilterIsOff(const std::string& filter) {
    return filter.empty() || filter == ".";
}

// The text of a substance that the list shows and the filter searches.
const std::string& ListedText(const CSubstance& substance, int filterField) {
    return filterField == 1 ? substance.GetFormula() : substance.GetName();
}

// The list box keeps each entry's item data under this role.
constexpr int kIndexRole = Qt::UserRole;

} // namespace

CSubstanceDatabaseDlg::CSubstanceDatabaseDlg(QWidget* parent)
    : CSubstanceDatabaseDlg(CQELTApp::GetApp()->GetSubstanceDatabase(), parent) {}

CSubstanceDatabaseDlg::CSubstanceDatabaseDlg(SubstanceDatabase& database, QWidget* parent)
    : ui::Dialog(kTemplateId, parent), m_database(database) {
    MapNotify(kAddButton, ui::BN_CLICKED, &CSubstanceDatabaseDlg::OnAdd);
    MapNotify(kDeleteButton, ui::BN_CLICKED, &CSubstanceDatabaseDlg::OnDelete);
    MapNotify(kModifyButton, ui::BN_CLICKED, &CSubstanceDatabaseDlg::OnModify);
    MapNotify(kNameEdit, ui::EN_CHANGE, &CSubstanceDatabaseDlg::OnNameChanged);
    MapNotify(kFormulaEdit, ui::EN_CHANGE, &CSubstanceDatabaseDlg::OnFormulaChanged);
    MapNotify(kList, ui::LBN_SELCHANGE, &CSubstanceDatabaseDlg::OnSelectionChanged);
    MapNotify(kList, ui::LBN_DBLCLK, &CSubstanceDatabaseDlg::OnDoubleClick);
    MapNotify(kFilterEdit, ui::EN_CHANGE, &CSubstanceDatabaseDlg::OnFilterChanged);
    MapNotify(kFilterFieldCombo, ui::CBN_SELCHANGE, &CSubstanceDatabaseDlg::OnFilterFieldChanged);
    MapMessage(kDeleteKeyMessage, &CSubstanceDatabaseDlg::OnDeleteKey);
}

CSubstanceDatabaseDlg::~CSubstanceDatabaseDlg() = default;

void CSubstanceDatabaseDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, ui::IDOK, m_use);
    ui::DDX_Control(dx, kModifyButton, m_modify);
    ui::DDX_Control(dx, kDeleteButton, m_delete);
    ui::DDX_Control(dx, kAddButton, m_add);
    ui::DDX_Control(dx, kList, m_list);
    ui::DDX_Text(dx, kFilterEdit, m_filter);
    ui::DDX_CBIndex(dx, kFilterFieldCombo, m_filterField);
    // Only the name and the formula are edited here; comment and phase stay as they came.
    std::string name = m_substance.GetName();
    ui::DDX_Text(dx, kNameEdit, name);
    std::string formula = m_substance.GetFormula();
    ui::DDX_Text(dx, kFormulaEdit, formula, UnicodeToNotation);
    if (dx.IsSaving()) {
        m_substance.SetName(name);
        m_substance.SetFormulaText(formula);
    }
}

bool CSubstanceDatabaseDlg::OnInitDialog() {
    CListBoxD::Attach(*this, kList);
    if (auto* fields = Control<QComboBox>(kFilterFieldCombo)) {
        fields->clear();
        fields->addItem(QStringLiteral("name"));
        fields->addItem(QStringLiteral("formula"));
    }
    ui::Dialog::OnInitDialog();
    m_frame.Attach(kFormulaFrame, *this);
    FillList();

    // Opened for a row that has a formula but no name: the stored substance of that formula stands in.
    if (m_substance.GetName().empty()) {
        if (const CSubstance* stored = m_database.FindByFormula(m_substance.GetFormula())) {
            m_substance = *stored;
            for (int i = 0; i < m_database.GetCount(); ++i) {
                if (m_database.GetAt(i) == stored) {
                    SelectEntryOf(i);
                    break;
                }
            }
        }
    }
    if (!m_substance.GetFormula().empty())
        ShowSubstanceInFrame();
    if (m_browseOnly)
        m_use->setText(QStringLiteral("OK"));
    UpdateButtons();
    UpdateData(false);
    return true;
}

void CSubstanceDatabaseDlg::FillList() {
    REXI_Search search(0);
    // A pattern with an error leaves the search without automaton: it finds nothing, and nothing is said.
    search.SetPattern(m_filter);
    const bool filtering = !FilterIsOff(m_filter);

    // The entries go in already sorted, all in one batch: a list of any size fills in linear time.
    if (!m_order.IsFor(m_database, m_filterField))
        m_order.Rebuild(m_database, m_filterField);
    const int n = m_database.GetCount();
    std::vector<ui::ListEntry> entries;
    entries.reserve(filtering ? 0 : static_cast<std::size_t>(n));
    int found = -1;
    for (const int i : m_order.Positions()) {
        const CSubstance& item = *m_database.GetAt(i);
        if (filtering) {
            const char* cursor = ListedText(item, m_filterField).c_str();
            int length = 0;
            bool atTerminator = false;
            if (!search.Search(cursor, length, atTerminator))
                continue;
        }
        entries.push_back({m_order.Text(i), i});
        // The last of equal substances in the database, as a fill in database order would find.
        if (i > found && item == m_substance)
            found = i;
    }
    const int listed = static_cast<int>(entries.size());
    m_list->clear();
    m_list->AddStrings(std::move(entries), ui::ListBox::EntryOrder::Sorted);
    if (found != -1)
        SelectEntryOf(found);

    setWindowTitle(FormatCaption(ui::LoadString(kCaptionString), {n, listed},
                                 {n == 1 ? QString() : QStringLiteral("s")}));
    UpdateButtons();
}

void CSubstanceDatabaseDlg::SelectEntryOf(int index) {
    for (int entry = m_list->count() - 1; entry >= 0; --entry) {
        if (m_list->item(entry)->data(kIndexRole).toInt() == index) {
            m_list->setCurrentRow(entry);
            return;
        }
    }
}

int CSubstanceDatabaseDlg::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return -1;
    return selected.front()->data(kIndexRole).toInt();
}

void CSubstanceDatabaseDlg::UpdateButtons() {
    const int selected = SelectedIndex();
    m_use->setEnabled(m_browseOnly || selected != -1);
    m_add->setEnabled(!m_substance.GetName().empty() && !m_substance.GetFormula().empty() &&
                      m_database.FindByName(m_substance.GetName()) == nullptr);
    m_delete->setEnabled(selected != -1);
    m_modify->setEnabled(selected != -1);
}

void CSubstanceDatabaseDlg::ShowSubstanceInFrame() {
    // The frame weighs the formula and writes the molar mass into the substance.
    m_frame.SetSubstance(&m_substance, true);
}

void CSubstanceDatabaseDlg::OnAdd() {
    const bool inStep = m_order.IsFor(m_database, m_filterField);
    m_database.Add(m_substance);
    if (inStep)
        m_order.Added(m_database, m_database.GetCount() - 1);
    FillList();
    UpdateButtons();
}

void CSubstanceDatabaseDlg::OnDelete() {
    const int selected = SelectedIndex();
    if (selected == -1)
        return;
    const bool inStep = m_order.IsFor(m_database, m_filterField);
    m_database.RemoveAt(selected);
    if (inStep)
        m_order.Removed(selected);
    FillList();
    UpdateButtons();
}

void CSubstanceDatabaseDlg::OnModify() {
    const int selected = SelectedIndex();
    if (selected == -1)
        return;
    const bool inStep = m_order.IsFor(m_database, m_filterField);
    m_database.Replace(selected, m_substance);
    if (inStep)
        m_order.Replaced(m_database, selected);
    FillList();
    UpdateButtons();
}

void CSubstanceDatabaseDlg::OnNameChanged() {
    UpdateData(true);
    UpdateButtons();
}

void CSubstanceDatabaseDlg::OnFormulaChanged() {
    UpdateData(true);
    ShowSubstanceInFrame();
    UpdateButtons();
}

void CSubstanceDatabaseDlg::OnSelectionChanged() {
    const int selected = SelectedIndex();
    if (selected != -1) {
        m_substance = *m_database.GetAt(selected);
        ShowSubstanceInFrame();
    }
    UpdateButtons();
    UpdateData(false);
}

void CSubstanceDatabaseDlg::OnDoubleClick() {
    if (!m_browseOnly)
        EndDialog(ui::IDOK);
}

void CSubstanceDatabaseDlg::OnFilterChanged() {
    UpdateData(true);
    FillList();
}

void CSubstanceDatabaseDlg::OnFilterFieldChanged() {
    UpdateData(true);
    m_filter = ".";
    UpdateData(false);
    FillList();
}

void CSubstanceDatabaseDlg::OnDeleteKey() {
    if (m_delete->isEnabled())
        OnDelete();
}
