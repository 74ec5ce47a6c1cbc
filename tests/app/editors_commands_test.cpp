// The element editor and the two calculators opened from their tool-bar commands in a running program: the
// editor against open reactions and the substance database.
#include "app/dialogs/elements_editor.h"
#include "app/dialogs/percentages.h"
#include "app/qelt_command_ids.h"
#include "app_fixture.h"
#include "editors_test_support.h"
#include "model/element_table.h"
#include "model/qelt_doc.h"
#include "model/substance.h"
#include "model/substance_database.h"

#include <QCoreApplication>

namespace {

using app_test::AppTest;
using app_test::DialogScript;
using app_test::MessageScript;
using editors_test::ClickRow;
using editors_test::TypeInto;

constexpr int kFirstMoiety = ElementTable::kFirstMoietyRow;

// In the running editor: selects the list row of a table row and presses Delete.
void DeleteRow(ui::Dialog& dialog, int tableRow) {
    auto* list = dialog.Control<ui::ListView>(CElementsEditor::kList);
    ASSERT_NE(list, nullptr);
    const int item = list->FindItemData(tableRow);
    ASSERT_GE(item, 0);
    ClickRow(list, item);
    dialog.PressButton(CElementsEditor::kDeleteButton);
}

// In the running editor: types a moiety without composition and adds it.
void AddMoiety(ui::Dialog& dialog, const char* symbol, const char* mass) {
    TypeInto(dialog.Control<QLineEdit>(CElementsEditor::kSymbolBox), symbol);
    TypeInto(dialog.Control<QLineEdit>(CElementsEditor::kMolarMassBox), mass);
    dialog.Control<QLineEdit>(CElementsEditor::kCommentBox)->setFocus();
    dialog.PressButton(CElementsEditor::kAddButton);
}

TEST_F(AppTest, TheToolBarOpensTheEditorAndThePercentages) {
    ASSERT_TRUE(StartQuietly());
    EXPECT_TRUE(Enabled(qelt_cmd::MoietiesEditor));
    EXPECT_TRUE(Enabled(qelt_cmd::Percentages));
    DialogScript dialogs;
    dialogs.Answer(CPercentages::kTemplateId, [](ui::Dialog& dialog) {
        TypeInto(dialog.Control<QLineEdit>(CPercentages::kFormulaBox), "NaCl");
        EXPECT_EQ(dialog.Control<ui::ListView>(CPercentages::kList)->topLevelItemCount(), 2);
        dialog.PressButton(ui::IDOK);
        return dialog.result();
    });
    ASSERT_TRUE(Run(qelt_cmd::Percentages));
    ASSERT_TRUE(Run(qelt_cmd::MoietiesEditor));
    EXPECT_EQ(dialogs.shown, std::vector<int>({CPercentages::kTemplateId, CElementsEditor::kTemplateId}));
}

TEST_F(AppTest, OpenReactionsFollowTheTableEvenAfterCancel) {
    ASSERT_TRUE(StartQuietly());
    CQELTDoc& doc = ActiveReaction()->Reaction();
    ASSERT_TRUE(doc.SetFromString("Xy + O2 = XyO2"));
    EXPECT_EQ(doc.GetComposition(0).CountNonZero(true), 0) << "Xy is no element yet";

    DialogScript dialogs;
    dialogs.Answer(CElementsEditor::kTemplateId, [](ui::Dialog& dialog) {
        AddMoiety(dialog, "Xy", "50");
        dialog.PressButton(ui::IDCANCEL);
        return dialog.result();
    });
    ASSERT_TRUE(Run(qelt_cmd::MoietiesEditor));
    ASSERT_EQ(app->GetElementTable().Find("Xy"), kFirstMoiety) << "Cancel undoes nothing";
    EXPECT_EQ(doc.GetComposition(0)[kFirstMoiety], 1);
    EXPECT_EQ(doc.GetComposition(CQELTDoc::kFirstProductRow)[kFirstMoiety], 1);
    EXPECT_TRUE(app->IsDatabaseModified());
}

TEST_F(AppTest, AMoietyUsedInAnOpenReactionCannotBeRemoved) {
    ASSERT_TRUE(StartQuietly());
    ElementTable& table = app->GetElementTable();
    ASSERT_EQ(table.AddElement("Aa", "", "", 10.0, 0), kFirstMoiety);
    ASSERT_EQ(table.AddElement("Bb", "", "", 20.0, 0), kFirstMoiety + 1);
    CQELTDoc& doc = ActiveReaction()->Reaction();
    ASSERT_TRUE(doc.SetFromString("Bb + O2 = BbO2"));
    ASSERT_EQ(app->GetUsedComposition()[kFirstMoiety + 1], 2);

    MessageScript messages;
    DialogScript dialogs;
    dialogs.Answer(CElementsEditor::kTemplateId, [](ui::Dialog& dialog) {
        DeleteRow(dialog, kFirstMoiety + 1);
        // Aa goes, and Bb moves up to its row: the reaction still holds Bb there.
        DeleteRow(dialog, kFirstMoiety);
        DeleteRow(dialog, kFirstMoiety);
        dialog.PressButton(ui::IDOK);
        return dialog.result();
    });
    ASSERT_TRUE(Run(qelt_cmd::MoietiesEditor));
    EXPECT_EQ(messages.texts, QStringList({"You can't remove moiety used in open documents or database.",
                                           "You can't remove moiety used in open documents or database."}));
    EXPECT_EQ(table.Find("Aa"), -1);
    EXPECT_EQ(table.Find("Bb"), kFirstMoiety);
    EXPECT_EQ(doc.GetComposition(0)[kFirstMoiety], 1) << "the reaction reads Bb at its new row";
    EXPECT_EQ(doc.GetComposition(0).CountNonZero(true), 1);
}

TEST_F(AppTest, AMoietyUsedInTheDatabaseCannotBeRemoved) {
    ASSERT_TRUE(StartQuietly());
    ElementTable& table = app->GetElementTable();
    ASSERT_EQ(table.AddElement("Cit", "C6H5O7", "citrate", 189.1, 1), kFirstMoiety);
    CSubstance citrate;
    citrate.SetName("sodium citrate");
    citrate.SetFormula("Na3Cit");
    app->GetSubstanceDatabase().Add(citrate);

    MessageScript messages;
    DialogScript dialogs;
    dialogs.Answer(CElementsEditor::kTemplateId, [](ui::Dialog& dialog) {
        DeleteRow(dialog, kFirstMoiety);
        dialog.PressButton(ui::IDOK);
        return dialog.result();
    });
    ASSERT_TRUE(Run(qelt_cmd::MoietiesEditor));
    EXPECT_EQ(messages.texts, QStringList({"You can't remove moiety used in open documents or database."}));
    EXPECT_EQ(table.Find("Cit"), kFirstMoiety);
}

} // namespace
