#pragma once

#include "app/controls/static_formula_frame.h"
#include "app/dialogs/substance_list_order.h"
#include "model/substance.h"
#include "platform/ui/dialog.h"

#include <string>

class CListBoxD;
class QComboBox;
class QPushButton;
class SubstanceDatabase;

// "Substances database": the user browses, filters and edits the stored substances and, when the dialog is
// opened for a reaction row, picks one for that row. The list shows the names (or the formulas) of the
// substances that the filter pattern finds; "." and an empty filter list them all, a malformed pattern lists
// nothing. Every Add, Delete and Modify changes the database at once; Exit undoes nothing.
//
// Browsing (the default): the Use button reads "OK" and simply closes. Picking (browse-only flag 0): Use and
// a double-click end the dialog with IDOK, and the opener reads the current substance.
class CSubstanceDatabaseDlg : public ui::Dialog {
public:
    static constexpr int kTemplateId = 189;
    static constexpr int kNameEdit = 171;
    static constexpr int kFormulaEdit = 140;
    static constexpr int kFormulaFrame = 141;
    static constexpr int kList = 172;
    static constexpr int kFilterFieldCombo = 145;
    static constexpr int kFilterEdit = 159;
    static constexpr int kAddButton = 111;
    static constexpr int kDeleteButton = 128;
    static constexpr int kModifyButton = 146;
    // "Substance database (%i item%s/%i listed)"
    static constexpr int kCaptionString = 212;

    // Shows the application's database.
    explicit CSubstanceDatabaseDlg(QWidget* parent = nullptr);
    explicit CSubstanceDatabaseDlg(SubstanceDatabase& database, QWidget* parent = nullptr);
    ~CSubstanceDatabaseDlg() override;

    // The substance shown in the name and formula edits. The opener may set it before DoModal and reads it
    // after IDOK.
    CSubstance m_substance;
    // 1: browsing from the menu; 0: picking a substance for a reaction row.
    int m_browseOnly = 1;

    // Whether the filter searches names (0) or formulas (1).
    int FilterField() const { return m_filterField; }

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void FillList();
    void UpdateButtons();
    // The database position of the selected entry, or -1.
    int SelectedIndex() const;
    // Selects the list entry of the substance at a database position, looking from the last entry down.
    void SelectEntryOf(int index);
    void ShowSubstanceInFrame();

    void OnAdd();
    void OnDelete();
    void OnModify();
    void OnNameChanged();
    void OnFormulaChanged();
    void OnSelectionChanged();
    void OnDoubleClick();
    void OnFilterChanged();
    void OnFilterFieldChanged();
    void OnDeleteKey();

    SubstanceDatabase& m_database;
    CStaticFormulaFrame m_frame;
    QPushButton* m_use = nullptr;
    QPushButton* m_modify = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_add = nullptr;
    CListBoxD* m_list = nullptr;
    std::string m_filter = ".";
    int m_filterField = 0;
    // The database in list order, kept between fills.
    SubstanceListOrder m_order;
};
