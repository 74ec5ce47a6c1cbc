#include "app/dialogs/formula_sort.h"

#include "app/formula_copy.h"
#include "model/chemical_formula.h"
#include "model/unicode_notation.h"

#include <QPushButton>

namespace {

// The copy buttons in the order of the dialog's members.
constexpr std::array<int, 8> kCopyButtonIds = {
    CFormulaSort::kCopyOriginalText,  CFormulaSort::kCopySortedText,   CFormulaSort::kCopyOriginalHtml,
    CFormulaSort::kCopySortedHtml,    CFormulaSort::kCopyOriginalUBBC, CFormulaSort::kCopySortedUBBC,
    CFormulaSort::kCopyOriginalLaTeX, CFormulaSort::kCopySortedLaTeX};

} // namespace

CFormulaSort::CFormulaSort(QWidget* parent) : ui::Dialog(kTemplateId, parent) {
    MapNotify(kFormulaEdit, ui::EN_CHANGE, &CFormulaSort::OnFormulaChanged);
    MapNotify(kCopyOriginalText, ui::BN_CLICKED, &CFormulaSort::OnCopyOriginalText);
    MapNotify(kCopyOriginalHtml, ui::BN_CLICKED, &CFormulaSort::OnCopyOriginalHtml);
    MapNotify(kCopyOriginalUBBC, ui::BN_CLICKED, &CFormulaSort::OnCopyOriginalUBBC);
    MapNotify(kCopyOriginalLaTeX, ui::BN_CLICKED, &CFormulaSort::OnCopyOriginalLaTeX);
    MapNotify(kCopySortedText, ui::BN_CLICKED, &CFormulaSort::OnCopySortedText);
    MapNotify(kCopySortedHtml, ui::BN_CLICKED, &CFormulaSort::OnCopySortedHtml);
    MapNotify(kCopySortedUBBC, ui::BN_CLICKED, &CFormulaSort::OnCopySortedUBBC);
    MapNotify(kCopySortedLaTeX, ui::BN_CLICKED, &CFormulaSort::OnCopySortedLaTeX);
}

CFormulaSort::~CFormulaSort() = default;

void CFormulaSort::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Text(dx, kFormulaEdit, m_typed, UnicodeToNotation);
    for (std::size_t i = 0; i < kCopyButtonIds.size(); ++i)
        ui::DDX_Control(dx, kCopyButtonIds[i], m_copyButtons[i]);
}

bool CFormulaSort::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_typedFrame.Attach(kTypedFrame, *this);
    m_sortedFrame.Attach(kSortedFrame, *this);
    for (QPushButton* button : m_copyButtons) {
        button->setEnabled(true);
        // Enter in the formula edit closes the dialog through OK, not through a copy button.
        button->setAutoDefault(false);
    }
    return true;
}

void CFormulaSort::OnFormulaChanged() {
    UpdateData(true);
    m_sorted = ChemicalFormula(m_typed).ToSortedFormula();
    m_typedFrame.SetFormula(m_typed, true);
    m_sortedFrame.SetFormula(m_sorted, true);
    UpdateData(false);
}

void CFormulaSort::OnCopyOriginalText() {
    formula_copy::Copy(m_typed, formula_copy::Syntax::Text);
}

void CFormulaSort::OnCopyOriginalHtml() {
    formula_copy::Copy(m_typed, formula_copy::Syntax::Html);
}

void CFormulaSort::OnCopyOriginalUBBC() {
    formula_copy::Copy(m_typed, formula_copy::Syntax::Ubbc);
}

void CFormulaSort::OnCopyOriginalLaTeX() {
    formula_copy::Copy(m_typed, formula_copy::Syntax::LaTeX);
}

void CFormulaSort::OnCopySortedText() {
    formula_copy::Copy(m_sorted, formula_copy::Syntax::Text);
}

void CFormulaSort::OnCopySortedHtml() {
    formula_copy::Copy(m_sorted, formula_copy::Syntax::Html);
}

void CFormulaSort::OnCopySortedUBBC() {
    formula_copy::Copy(m_sorted, formula_copy::Syntax::Ubbc);
}

void CFormulaSort::OnCopySortedLaTeX() {
    formula_copy::Copy(m_sorted, formula_copy::Syntax::LaTeX);
}
