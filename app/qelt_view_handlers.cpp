// The reaction form view's handlers: adding and removing rows, typing formulas and amounts, "Clear amounts",
// manual coefficients and the Edit commands.
#include "app/qelt_view.h"

#include "app/controls/fedit.h"
#include "model/chemical_formula.h"
#include "model/model_host.h"
#include "model/qelt_doc.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/command_target.h"
#include "platform/ui/control_host.h"
#include "platform/ui/text_codec.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>

#include <algorithm>
#include <memory>

using namespace reaction_view;

// ---------------------------------------------------------------------------------------------------------
// Adding and removing rows

void CQELTView::OnAddReactant() {
    CQELTDoc& doc = Doc();
    // The view's own count: a row another view added as the last of its side must appear here too.
    if (ReactantRowCount() >= kMaxRowsPerSide)
        return;
    MoveRow(kFirstProductRow, m_pitchX, m_pitchY);
    const int row = AddRow(true);
    if (!IsUpdating()) {
        const int nReactants = doc.GetReactantCount();
        const int nProducts = doc.GetProductCount();
        doc.GetReagent(row)->SetMolarMass(0.0);
        // The products' manual coefficients move one packed place up to make room for the new reactant's.
        for (int packed = nReactants + nProducts; packed > nReactants; --packed) {
            if (packed < kRowCount)
                doc.SetManualCoefficient(packed, doc.GetManualCoefficient(packed - 1));
        }
        doc.SetManualCoefficient(nReactants, 1);
        doc.SetReagentCounts(nReactants + 1, nProducts);
    }
    MoveControl(kAddReactantButton, m_pitchX, m_pitchY);
    MoveControl(kAddProductButton, m_pitchX, m_pitchY);
    ShiftButtons(1);
    UpdateRemoveButtons();
    if (!IsUpdating())
        Rebalance();
    UpdateData(false);
    UpdateRowStates();
    if (!IsUpdating())
        doc.UpdateAllViews(this, kHintReactantAdded);
}

void CQELTView::OnAddProduct() {
    CQELTDoc& doc = Doc();
    if (ProductRowCount() >= kMaxRowsPerSide)
        return;
    const int row = AddRow(false);
    if (!IsUpdating()) {
        const int nReactants = doc.GetReactantCount();
        const int nProducts = doc.GetProductCount();
        doc.GetReagent(row)->ClearAmounts();
        if (nReactants + nProducts < kRowCount)
            doc.SetManualCoefficient(nReactants + nProducts, 1);
        doc.SetReagentCounts(nReactants, nProducts + 1);
    }
    MoveControl(kAddProductButton, m_pitchX, m_pitchY);
    ShiftButtons(1);
    UpdateRemoveButtons();
    if (!IsUpdating())
        Rebalance();
    UpdateData(false);
    UpdateRowStates();
    if (!IsUpdating())
        doc.UpdateAllViews(this, kHintProductAdded);
}

void CQELTView::DestroyRow(int row) {
    for (QWidget*& control : m_rows[static_cast<std::size_t>(row)]) {
        if (control != nullptr)
            DestroyControl(control);
        control = nullptr;
    }
    if (QWidget*& box = m_rowBoxes[static_cast<std::size_t>(row)]; box != nullptr) {
        box->hide();
        box->deleteLater(); // with the controls, one of which may be sending the notification handled
        box = nullptr;
    }
}

void CQELTView::MoveRowTo(int from, int to) {
    m_rows[static_cast<std::size_t>(to)] = m_rows[static_cast<std::size_t>(from)];
    m_rows[static_cast<std::size_t>(from)].fill(nullptr);
    m_rowBoxes[static_cast<std::size_t>(to)] = m_rowBoxes[static_cast<std::size_t>(from)];
    m_rowBoxes[static_cast<std::size_t>(from)] = nullptr;
}

void CQELTView::OnRemoveRow(int id) {
    CQELTDoc& doc = Doc();
    const int row = id - kRemoveBase;
    if (!RowExists(row))
        return;
    const bool product = IsProductRow(row);
    const int sideRows = product ? ProductRowCount() : ReactantRowCount();
    if (sideRows <= 1)
        return;
    if (!IsUpdating())
        doc.RemoveReagent(row);

    const bool hadFocus = [&] {
        for (QWidget* control : m_rows[static_cast<std::size_t>(row)]) {
            if (control != nullptr && control->hasFocus())
                return true;
        }
        return false;
    }();
    DestroyRow(row);
    // Rows stay packed: the later rows of the side move up by one.
    const int end = (product ? kFirstProductRow : 0) + kMaxRowsPerSide;
    for (int r = row; r + 1 < end && RowExists(r + 1); ++r)
        MoveRowTo(r + 1, r);
    MoveRow(row, -m_pitchX, -m_pitchY);

    UpdateRemoveButtons();
    MoveControl(kAddProductButton, -m_pitchX, -m_pitchY);
    if (!product)
        MoveControl(kAddReactantButton, -m_pitchX, -m_pitchY);
    ShiftButtons(-1);
    GrowFrame(-1);

    if (!IsUpdating())
        Rebalance();
    UpdateData(false);
    DestroyRowExtras(id);
    UpdateRowStates();
    if (!IsUpdating())
        doc.UpdateAllViews(this, kHintRowRemoved + static_cast<std::uintptr_t>(id));
    doc.SetModifiedFlag(true);
    m_currentRow = -1;
    if (hadFocus && !IsUpdating()) {
        const int next = RowExists(row) ? row : row - 1;
        if (QWidget* edit = RowControl(next, kFormulaSlot))
            edit->setFocus(Qt::OtherFocusReason);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Typing

namespace {

// Where a caret goes when the text around it is rewritten: it keeps its place in the unchanged start or
// end of the text, and goes to the end of the rewritten part when it was inside it.
int CaretAfterRewrite(const QString& before, int caret, const QString& after) {
    const auto oldLength = static_cast<int>(before.size());
    const auto newLength = static_cast<int>(after.size());
    int prefix = 0;
    while (prefix < oldLength && prefix < newLength && before[prefix] == after[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < oldLength - prefix && suffix < newLength - prefix &&
           before[oldLength - 1 - suffix] == after[newLength - 1 - suffix])
        ++suffix;
    if (caret <= prefix)
        return std::min(caret, newLength);
    if (caret >= oldLength - suffix)
        return std::clamp(newLength - (oldLength - caret), 0, newLength);
    return newLength - suffix;
}

} // namespace

void CQELTView::OnFormulaChanged(int id) {
    CQELTDoc& doc = Doc();
    const int row = id - kFormulaBase;
    if (!RowExists(row) || doc.GetReagent(row) == nullptr)
        return;
    m_currentRow = row;
    ForgetLeaving();
    auto* edit = qobject_cast<QLineEdit*>(RowControl(row, kFormulaSlot));
    const int cursor = edit->cursorPosition();
    if (!UpdateData(true))
        return;

    CQELTReagent& reagent = *doc.GetReagent(row);
    // A coefficient typed in front of the formula is not part of it, nor are blanks at its end.
    std::string text = reagent.GetFormula();
    const std::size_t digits = text.find_first_not_of("0123456789");
    const std::size_t stripped = digits == std::string::npos ? text.size() : digits;
    text.erase(0, stripped);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    reagent.SetFormulaText(text);

    ChemicalFormula formula;
    formula.SetText(text, true);
    const double molarMass = formula.GetMolarMass();
    reagent.SetMolarMass(molarMass);
    const bool parsed = molarMass != 0.0;
    for (int slot : {kMolesSlot, kMassSlot, kGasInputSlot, kSolutionInputSlot}) {
        if (QWidget* control = RowControl(row, slot))
            control->setEnabled(parsed &&
                                (slot == kMolesSlot || slot == kMassSlot || RowDialogAvailable(slot)));
    }
    doc.SetComposition(row, formula.GetComposition());

    Rebalance();
    doc.Recalculate();
    RefreshRows();
    const QString before = edit->text();
    UpdateData(false);
    // The edit shows the formula as the model holds it (without the stripped coefficient, in the notation
    // for Unicode chemistry): the caret stays with the text it was in.
    if (edit->text() != before)
        edit->setCursorPosition(CaretAfterRewrite(before, cursor, edit->text()));
    doc.UpdateAllViews(this, kHintRedraw);
    doc.SetModifiedFlag(true);
}

void CQELTView::OnMolesChanged(int id) {
    HandleAmountChanged(id, false);
}

void CQELTView::OnMassChanged(int id) {
    HandleAmountChanged(id, true);
}

void CQELTView::HandleAmountChanged(int id, bool massChanged) {
    CQELTDoc& doc = Doc();
    const int row = id - (massChanged ? kMassBase : kMolesBase);
    if (!RowExists(row) || doc.GetReagent(row) == nullptr)
        return;
    m_currentRow = row;
    if (AbsorbLeaving(id) || IsOwnChange())
        return;
    TakeAmount(row, massChanged);
}

bool CQELTView::ShowsStoredAmount(int row, bool mass) const {
    const CQELTReagent* reagent = Doc().GetReagent(row);
    const std::optional<CEditableDouble> shown =
        BoxNumber(qobject_cast<const QLineEdit*>(RowControl(row, mass ? kMassSlot : kMolesSlot)));
    return reagent != nullptr && shown &&
           SameAmount(*shown, mass ? reagent->enteredMass : reagent->enteredMoles);
}

bool CQELTView::TakeAmount(int row, bool massChanged) {
    CQELTDoc& doc = Doc();
    // A box that shows the stored amount (its text left as it was, reformatted on losing the focus, or
    // shown afresh) leaves the amount the user gave untouched: the other amount is not derived anew.
    if (ShowsStoredAmount(row, massChanged))
        return true;
    m_currentRow = row;
    const KeptEdit kept = KeepEdit(RowControl(row, massChanged ? kMassSlot : kMolesSlot));
    if (!UpdateData(true))
        return false;

    CQELTReagent& reagent = *doc.GetReagent(row);
    const int displayDigits = GetModelHost().GetDisplayDigits();
    if (massChanged)
        reagent.EnterMass(reagent.enteredMass, displayDigits);
    else
        reagent.EnterMoles(reagent.enteredMoles, displayDigits);
    doc.Recalculate();
    RefreshRows();
    {
        // The view rewrites its own edits: the one being typed in gets its text and caret back, so that
        // typing goes on undisturbed while the other amount follows.
        OwnChange own(*this);
        UpdateData(false);
        RestoreEdit(kept);
    }
    doc.UpdateAllViews(this, kHintRedraw);
    doc.SetModifiedFlag(true);
    return true;
}

bool CQELTView::TakeShownValues() {
    if (GetDocument() == nullptr)
        return true;
    CQELTDoc& doc = Doc();
    for (int row = 0; row < kRowCount; ++row) {
        if (!RowExists(row) || doc.GetReagent(row) == nullptr)
            continue;
        // Only what the user typed is taken: a box that shows what was put in it stays out of it.
        auto* formula = qobject_cast<QLineEdit*>(RowControl(row, kFormulaSlot));
        const auto formulaTaken = [&] {
            return formula->text() == ui::FromCp1252(doc.GetReagent(row)->GetFormula());
        };
        if (formula != nullptr && formula->isModified() && !formulaTaken()) {
            OnFormulaChanged(kFormulaBase + row);
            if (!formulaTaken())
                return false;
        }
        // The mass first: the moles follow it.
        for (const bool mass : {true, false}) {
            const auto* box = qobject_cast<const CFEdit*>(RowControl(row, mass ? kMassSlot : kMolesSlot));
            if (box != nullptr && box->isEnabled() && box->EditedSinceShown() && !TakeAmount(row, mass))
                return false;
        }
    }
    return true;
}

void CQELTView::OnAmountKillFocus(int id) {
    m_leavingId = id;
}

void CQELTView::OnEditSetFocus(int) {
    // The edit that lost the focus has finished reformatting itself.
    ForgetLeaving();
}

bool CQELTView::AbsorbLeaving(int id) {
    if (m_leavingId < 0)
        return false;
    const bool leaving = m_leavingId == id && GetDlgItem(id) != nullptr && !GetDlgItem(id)->hasFocus();
    m_leavingId = -1;
    return leaving;
}

CQELTView::KeptEdit CQELTView::KeepEdit(QWidget* control) {
    KeptEdit kept;
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (edit == nullptr)
        return kept;
    kept.edit = edit;
    kept.text = edit->text();
    kept.cursor = edit->cursorPosition();
    if (edit->hasSelectedText()) {
        kept.selectionStart = edit->selectionStart();
        kept.selectionLength = static_cast<int>(edit->selectedText().size());
    }
    return kept;
}

void CQELTView::RestoreEdit(const KeptEdit& kept) {
    auto* edit = qobject_cast<QLineEdit*>(kept.edit);
    if (edit == nullptr)
        return;
    if (edit->text() != kept.text)
        edit->setText(kept.text);
    if (kept.selectionStart >= 0 && kept.selectionLength > 0) {
        // The caret stays at the end of the selection it was at.
        if (kept.cursor == kept.selectionStart)
            edit->setSelection(kept.selectionStart + kept.selectionLength, -kept.selectionLength);
        else
            edit->setSelection(kept.selectionStart, kept.selectionLength);
    } else {
        edit->setCursorPosition(kept.cursor);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Clear amounts, manual coefficients

void CQELTView::OnClearAmounts() {
    CQELTDoc& doc = Doc();
    doc.ClearAmounts();
    RefreshRows();
    UpdateData(false);
    UpdateRowStates();
    doc.UpdateAllViews(this, kHintRedraw);
    doc.SetModifiedFlag(true);
}

void CQELTView::OnManualCoefficients() {
    CQELTDoc& doc = Doc();
    if (!UpdateData(true)) {
        // A value was refused before the check box was read: the check box goes back to the document.
        if (auto* box = qobject_cast<QAbstractButton*>(GetDlgItem(kManualCoefficientsCheck)))
            box->setChecked(doc.IsManualCoefficients());
        return;
    }
    if (doc.HasBalancedCoefficients()) {
        // Manual mode starts from the automatic solution.
        const std::vector<int>& balanced = doc.GetBalancedCoefficients();
        for (std::size_t packed = 0; packed < balanced.size() && packed < static_cast<std::size_t>(kRowCount);
             ++packed)
            doc.SetManualCoefficient(static_cast<int>(packed), balanced[packed]);
    }
    UpdateData(false);
    if (doc.IsManualCoefficients()) {
        // The coefficients are typed in the alternate view.
        doc.OnAlternateUI();
        doc.VerifyBalance();
    } else {
        doc.BalanceReaction();
    }
    Rebalance();
    doc.Recalculate();
    RefreshRows();
    UpdateData(false);
    doc.UpdateAllViews(this, kHintRedraw);
    doc.SetModifiedFlag(true);
}

// ---------------------------------------------------------------------------------------------------------
// Edit commands: they act on the edit that has the focus.

QLineEdit* CQELTView::FocusEdit() {
    QWidget* focus = QApplication::focusWidget();
    return IsEditControl(focus) ? static_cast<QLineEdit*>(focus) : nullptr;
}

void CQELTView::OnUpdateEditCopyCut(ui::CmdUI& cmdUi) {
    const QLineEdit* edit = FocusEdit();
    cmdUi.Enable(edit != nullptr && edit->hasSelectedText());
}

void CQELTView::OnUpdateEditPaste(ui::CmdUI& cmdUi) {
    const QLineEdit* edit = FocusEdit();
    cmdUi.Enable(edit != nullptr && !edit->isReadOnly() && ui::ClipboardHasText());
}

void CQELTView::OnEditCopy() {
    if (QLineEdit* edit = FocusEdit())
        edit->copy();
}

void CQELTView::OnEditCut() {
    if (QLineEdit* edit = FocusEdit())
        edit->cut();
}

void CQELTView::OnEditPaste() {
    if (QLineEdit* edit = FocusEdit())
        edit->paste();
}
