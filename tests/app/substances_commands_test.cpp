// The application's commands of the substances database (127) and of the formula sort (198, reached by
// Ctrl+Shift+Alt+F): enabled, and each runs its dialog on the application's data.
#include "app/dialogs/formula_sort.h"
#include "app/dialogs/substance_database_dlg.h"
#include "app/qelt_command_ids.h"
#include "app_fixture.h"
#include "model/substance_database.h"

#include <QListWidget>

namespace {

using app_test::AppTest;

TEST_F(AppTest, TheDatabaseCommandBrowsesAndEditsTheApplicationsSubstances) {
    ASSERT_TRUE(StartQuietly());
    EXPECT_TRUE(Enabled(qelt_cmd::SubstancesDatabase));
    SubstanceDatabase& database = app->GetSubstanceDatabase();
    const int before = database.GetCount();

    app_test::DialogScript dialogs;
    dialogs.Answer(CSubstanceDatabaseDlg::kTemplateId, [&](ui::Dialog& shown) {
        auto& dialog = dynamic_cast<CSubstanceDatabaseDlg&>(shown);
        EXPECT_EQ(dialog.m_browseOnly, 1);
        EXPECT_EQ(dialog.Control<QListWidget>(CSubstanceDatabaseDlg::kList)->count(), before);
        dialog.SetDlgItemText(CSubstanceDatabaseDlg::kNameEdit, "ethanol");
        dialog.SetDlgItemText(CSubstanceDatabaseDlg::kFormulaEdit, "C2H5OH");
        dialog.PressButton(CSubstanceDatabaseDlg::kAddButton);
        // Exit keeps what was done.
        dialog.PressButton(ui::IDCANCEL);
        return dialog.result();
    });
    ASSERT_TRUE(Run(qelt_cmd::SubstancesDatabase));
    EXPECT_EQ(dialogs.Count(CSubstanceDatabaseDlg::kTemplateId), 1);
    EXPECT_EQ(database.GetCount(), before + 1);
    ASSERT_NE(database.FindByName("ethanol"), nullptr);
    EXPECT_TRUE(app->IsDatabaseModified());
}

TEST_F(AppTest, TheFormulaSortCommandOpensItsDialog) {
    ASSERT_TRUE(StartQuietly());
    EXPECT_TRUE(Enabled(qelt_cmd::FormulaSort));
    app_test::DialogScript dialogs;
    dialogs.Answer(CFormulaSort::kTemplateId, [](ui::Dialog& dialog) {
        dialog.SetDlgItemText(CFormulaSort::kFormulaEdit, "C2H5OH");
        EXPECT_EQ(dynamic_cast<CFormulaSort&>(dialog).SortedText(), "C2H6O");
        dialog.PressButton(ui::IDOK);
        return dialog.result();
    });
    ASSERT_TRUE(Run(qelt_cmd::FormulaSort));
    EXPECT_EQ(dialogs.Count(CFormulaSort::kTemplateId), 1);
}

} // namespace
