#pragma once

#include "app/controls/static_formula_frame.h"
#include "app/dialogs/column_sort.h"
#include "model/composition_vector.h"
#include "model/moiety_rules.h"
#include "platform/ui/dialog.h"

#include <functional>
#include <string>

class CFEdit;
class CListCtrlD;
class ElementTable;
class QPushButton;

namespace ui {
struct NotifyInfo;
}

// "Element and abbreviation/moiety editor": the rows of the element table, where the user adds moieties
// (a symbol standing for a group such as citrate), changes and removes them. The built-in rows can be looked
// at but not changed; a moiety used in an open document or in the substance database cannot be removed.
// Every change goes straight into the table (Cancel undoes nothing); the documents follow the table when
// the application refreshes them after the dialog closed.
class CElementsEditor : public ui::Dialog {
public:
    static constexpr int kTemplateId = 2000;
    static constexpr int kAddButton = 2002;
    static constexpr int kList = 2003;
    static constexpr int kDeleteButton = 2004;
    static constexpr int kModifyButton = 2005;
    static constexpr int kSymbolBox = 2006;
    static constexpr int kCompositionBox = 2007;
    static constexpr int kCommentBox = 2008;
    static constexpr int kMolarMassBox = 2009;
    static constexpr int kFormulaFrame = 2010;
    static constexpr int kStatusText = 2011;
    // The status line's texts: the molar mass is not a positive number; the composition names the moiety.
    static constexpr int kMassNotPositive = 2971;
    static constexpr int kNamesItself = 2972;
    // "A moiety with such a symbol already exists."
    static constexpr int kSymbolExists = 2069;
    // "You can't remove moiety used in open documents or database."
    static constexpr int kMoietyInUse = 2070;

    // What the editor asks of the application: the composition used by the open documents and the
    // substance database, and a re-reading of the open documents' formulas after the table changed.
    struct Application {
        std::function<CompositionVector()> usedComposition;
        std::function<void()> refreshDocuments;
    };

    CElementsEditor(ElementTable& table, Application application, QWidget* parent = nullptr);

    // The table row of the selected list item; -1 for none.
    int SelectedRow() const { return m_selectedRow; }
    const ColumnSortOrder& SortOrder() const { return m_sortOrder; }
    const CStaticFormulaFrame& FormulaFrame() const { return m_frame; }

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnCancel() override;

private:
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnListDeleteKey();
    void OnCompositionChange();
    void OnFieldChange();
    void OnItemChanged(const ui::NotifyInfo& info);
    void OnColumnClick(const ui::NotifyInfo& info);

    void FillList();
    void SortList();
    void ScrollToSelectedRow();
    void ValidateInput();
    void ShowFault(moiety_rules::Fault fault);
    // The decimals the typed molar mass is kept with.
    int EnteredDecimals() const;

    ElementTable& m_table;
    Application m_application;
    int m_selectedRow = -1;
    ColumnSortOrder m_sortOrder;
    CStaticFormulaFrame m_frame;
    QPushButton* m_modifyButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_addButton = nullptr;
    CListCtrlD* m_list = nullptr;
    CFEdit* m_molarMassBox = nullptr;
    std::string m_symbol;
    std::string m_composition;
    std::string m_comment;
    double m_molarMass = 0.0;
    // The decimals of the row last loaded into the fields, while its mass is what the box shows; -1 when
    // the mass came from elsewhere.
    int m_rowDecimals = -1;
    // The table changed since the documents last read it, so their compositions may name wrong rows.
    bool m_documentsStale = false;
    // Refilling the list: its selection notices are the refill's own.
    bool m_filling = false;
};
