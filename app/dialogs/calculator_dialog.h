#pragma once

#include "model/unit_names.h"
#include "platform/ui/dialog.h"

class QComboBox;

namespace ui {
class DataExchange;
}

// What the calculators share: boxes that recompute the others while the user types in one of them, and
// unit lists filled from the unit-name tables.
//
// A value handler runs through RecomputeWhileTyping: it reads every box, computes, writes every box and puts
// the typed box's text and caret back, so the box being typed in keeps what the user typed while the others
// show the new values. Two one-shot flags swallow the change notifications that are not the user's: the one
// that putting the text back raises (own change) and the one that a number box's rewrite raises when the
// focus leaves it (leaving, set by OnKillFocusEdit for that box). A box that keeps a rejected text when the
// focus leaves it raises no such notification: the leaving flag then swallows nothing, since it only ever
// takes the change of the box that was left, and only while that box no longer has the focus.
class CalculatorDialog : public ui::Dialog {
public:
    using ui::Dialog::Dialog;

protected:
    // True when this change notification of box `id` is to be swallowed (and the flag that swallowed it
    // cleared). Any change clears a pending leaving flag.
    bool SwallowChange(int id);
    // Reads the boxes (the result is not inspected: values the exchange did not reach keep their contents),
    // runs compute, writes the boxes and puts the text and selection of box `id` back. While it reads, `id`
    // is the typed box (TypedBox) unless the dialog itself wrote it (typedByUser false).
    template <class F> void RecomputeWhileTyping(int id, F compute, bool typedByUser = true) {
        const Typed typed = Remember(id);
        m_typedBox = typedByUser ? id : -1;
        UpdateData(true);
        m_typedBox = -1;
        compute();
        m_ownChange = true;
        UpdateData(false);
        PutBack(id, typed);
    }
    // The box whose change is being handled while the boxes are read; -1 otherwise. Its value is read before
    // any other, so that a refused text in another box does not leave the computation with a stale value, and
    // it is the only box whose range is checked: a range applies to what the user typed, never to what the
    // dialog computed or was handed.
    int TypedBox() const { return m_typedBox; }
    // The range check of box `id` (a failed check stops the exchange with "Enter a number between...").
    void CheckTypedRange(ui::DataExchange& dx, int id, double value, double minValue, double maxValue) const;
    // EN_KILLFOCUS of a number box.
    void OnKillFocusEdit(int id) { m_leavingBox = id; }
    // "Use": ends the dialog without a further exchange; the members hold what the last handler computed.
    void OnOK() override { EndDialog(ui::IDOK); }

    // Fills the list with the table's names in order and selects the unit (nothing for an index outside the
    // table).
    static void FillUnitList(QComboBox* list, UnitNameTable table, int unit);
    // Selects the unit's entry.
    static void SelectUnit(QComboBox* list, UnitNameTable table, int unit);
    // The unit index of the selected entry's text, or -1.
    static int SelectedUnit(const QComboBox* list, UnitNameTable table);
    // A unit code outside its table (a damaged opener's value) would index past the factors: such a quantity
    // is taken in the table's unit `fallback`.
    static void KeepInTable(int& unit, UnitNameTable table, int fallback);

    bool m_ownChange = false;

private:
    struct Typed {
        QString text;
        int start = 0;
        int end = 0;
    };
    Typed Remember(int id) const;
    void PutBack(int id, const Typed& typed);

    int m_leavingBox = -1;
    int m_typedBox = -1;
};
