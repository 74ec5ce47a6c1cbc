#pragma once

#include "model/unit_names.h"
#include "platform/ui/dialog.h"

class QComboBox;

// What the calculators share: boxes that recompute the others while the user types in one of them, and
// unit lists filled from the unit-name tables.
//
// A value handler runs through RecomputeWhileTyping: it reads every box, computes, writes every box and puts
// the typed box's text and caret back, so the box being typed in keeps what the user typed while the others
// show the new values. Two one-shot flags swallow the change notifications that are not the user's: the one
// that putting the text back raises (own change) and the one that a number box's rewrite raises when the
// focus leaves it (leaving, set by OnKillFocusEdit).
class CalculatorDialog : public ui::Dialog {
public:
    using ui::Dialog::Dialog;

protected:
    // True when this change notification is to be swallowed (and the flag that swallowed it cleared).
    bool SwallowChange();
    // Reads the boxes (the result is not inspected: values the exchange did not reach keep their contents),
    // runs compute, writes the boxes and puts the text and selection of box `id` back.
    template <class F> void RecomputeWhileTyping(int id, F compute) {
        const Typed typed = Remember(id);
        UpdateData(true);
        compute();
        m_ownChange = true;
        UpdateData(false);
        PutBack(id, typed);
    }
    // EN_KILLFOCUS of a number box.
    void OnKillFocusEdit() { m_leaving = true; }
    // "Use": ends the dialog without a further exchange; the members hold what the last handler computed.
    void OnOK() override { EndDialog(ui::IDOK); }

    // Fills the list with the table's names in order and selects the unit (nothing for an index outside the
    // table).
    static void FillUnitList(QComboBox* list, UnitNameTable table, int unit);
    // Selects the unit's entry.
    static void SelectUnit(QComboBox* list, UnitNameTable table, int unit);
    // The unit index of the selected entry's text, or -1.
    static int SelectedUnit(const QComboBox* list, UnitNameTable table);

    bool m_ownChange = false;
    bool m_leaving = false;

private:
    struct Typed {
        QString text;
        int start = 0;
        int end = 0;
    };
    Typed Remember(int id) const;
    void PutBack(int id, const Typed& typed);
};
