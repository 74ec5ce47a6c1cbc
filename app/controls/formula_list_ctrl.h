#pragma once

#include "app/controls/delete_key_lists.h"

class QPaintEvent;

// A report-style list whose formula column shows chemical formulas with real subscripts and superscripts
// instead of their plain text. The list paints itself as usual; then the formula column is painted over:
// each visible row's text there is drawn as a formula, in the list's font with smaller letters for the
// indexes. It keeps the Delete key of CListCtrlD.
class CCFListCtrl : public CListCtrlD {
    Q_OBJECT
public:
    explicit CCFListCtrl(QWidget* parent = nullptr) : CListCtrlD(parent) {}

    // Puts a CCFListCtrl in place of the template's list view with the id (as CListCtrlD::Attach does).
    static CCFListCtrl* Attach(ui::ControlHost& host, int id);

    // The column drawn as formulas, set by the owner; a column the list does not have draws nothing.
    int m_formulaColumn = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};
