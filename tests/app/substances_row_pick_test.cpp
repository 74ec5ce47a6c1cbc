// A reaction row's "Database" button in the whole program: the dialog opens for the row, and the substance
// picked there becomes the row's, its formula handled as if typed (rebalanced and recalculated).
#include "app/dialogs/substance_database_dlg.h"
#include "app/qelt_command_ids.h"
#include "app/qelt_view1.h"
#include "app_fixture.h"
#include "model/qelt_reagent.h"
#include "model/substance_database.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

using namespace app_test;
using namespace reaction_view;
using Dlg = CSubstanceDatabaseDlg;

QString SelectedEntry(Dlg& dialog) {
    const QList<QListWidgetItem*> items = dialog.Control<QListWidget>(Dlg::kList)->selectedItems();
    return items.isEmpty() ? QString() : items.front()->text();
}

void ClickEntry(Dlg& dialog, const QString& text) {
    auto* list = dialog.Control<QListWidget>(Dlg::kList);
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class RowPick : public AppTest {
protected:
    void NewFromString(const QString& reaction) {
        DialogScript dialogs;
        dialogs.Answer(187, [reaction](ui::Dialog& dialog) {
            dialog.SetDlgItemText(158, reaction);
            dialog.PressButton(ui::IDOK);
            return dialog.result();
        });
        ASSERT_TRUE(Run(qelt_cmd::NewFromString));
        ui::ChildFrame* frame = Frame().ActiveChildFrame();
        view = frame != nullptr ? dynamic_cast<CQELTView1*>(frame->ActiveView()) : nullptr;
        ASSERT_NE(view, nullptr);
    }
    QAbstractButton* DatabaseButton(int row) {
        return qobject_cast<QAbstractButton*>(view->RowControl(row, kDatabaseSlot));
    }
    QString FormulaText(int row) { return ui::GetWindowText(view->RowControl(row, kFormulaSlot)); }
    CQELTDoc& Reaction() { return ActiveReaction()->Reaction(); }

    CQELTView1* view = nullptr;
};

TEST_F(RowPick, ThePickedSubstanceReplacesTheRowAndTheReactionIsRebalanced) {
    ASSERT_TRUE(StartQuietly());
    NewFromString(QStringLiteral("KCl = K + Cl2"));
    ASSERT_EQ(Reaction().GetBalancedCoefficients(), (std::vector<int>{2, 2, 1}));
    ASSERT_TRUE(DatabaseButton(0)->isEnabled());
    Reaction().SetModifiedFlag(false);

    DialogScript dialogs;
    dialogs.Answer(Dlg::kTemplateId, [](ui::Dialog& shown) {
        auto& dialog = dynamic_cast<Dlg&>(shown);
        EXPECT_EQ(dialog.m_browseOnly, 0);
        // The row has a formula but no name: the stored substance of that formula is shown and selected.
        EXPECT_EQ(dialog.m_substance.GetName(), "potassium chloride");
        EXPECT_EQ(SelectedEntry(dialog), "potassium chloride");
        EXPECT_EQ(dialog.Control<QAbstractButton>(ui::IDOK)->text(), "Use");
        ClickEntry(dialog, "sodium chloride");
        dialog.PressButton(ui::IDOK);
        return dialog.result();
    });
    DatabaseButton(0)->click();
    ASSERT_EQ(dialogs.Count(Dlg::kTemplateId), 1);
    const CQELTReagent* row = Reaction().GetReagent(0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetName(), "sodium chloride");
    EXPECT_EQ(row->GetFormula(), "NaCl");
    EXPECT_NEAR(row->GetMolarMass(), 58.44, 0.01);
    EXPECT_EQ(FormulaText(0), "NaCl");
    EXPECT_FALSE(Reaction().HasBalancedCoefficients()) << "NaCl = K + Cl2 cannot be balanced";
    EXPECT_TRUE(Reaction().IsModified());

    // The product K has no stored substance: the user adds sodium, and Use takes the edits.
    dialogs.Answer(Dlg::kTemplateId, [](ui::Dialog& shown) {
        auto& dialog = dynamic_cast<Dlg&>(shown);
        EXPECT_EQ(SelectedEntry(dialog), QString());
        EXPECT_FALSE(dialog.Control<QAbstractButton>(ui::IDOK)->isEnabled());
        Retype(dialog.Control<QLineEdit>(Dlg::kNameEdit), "sodium");
        Retype(dialog.Control<QLineEdit>(Dlg::kFormulaEdit), "Na");
        QTest::mouseClick(dialog.Control<QAbstractButton>(Dlg::kAddButton), Qt::LeftButton);
        EXPECT_EQ(SelectedEntry(dialog), "sodium");
        QTest::mouseClick(dialog.Control<QAbstractButton>(ui::IDOK), Qt::LeftButton);
        return dialog.result();
    });
    DatabaseButton(128)->click();
    EXPECT_EQ(Reaction().GetReagent(128)->GetName(), "sodium");
    EXPECT_EQ(FormulaText(128), "Na");
    EXPECT_EQ(Reaction().GetBalancedCoefficients(), (std::vector<int>{2, 2, 1}));
    EXPECT_NE(app->GetSubstanceDatabase().FindByName("sodium"), nullptr);
    EXPECT_TRUE(app->IsDatabaseModified());
}

TEST_F(RowPick, ExitLeavesTheRowAsItWas) {
    ASSERT_TRUE(StartQuietly());
    NewFromString(QStringLiteral("H2 + O2 = H2O"));
    Reaction().SetModifiedFlag(false);
    DialogScript dialogs;
    dialogs.Answer(Dlg::kTemplateId, [](ui::Dialog& shown) {
        auto& dialog = dynamic_cast<Dlg&>(shown);
        EXPECT_EQ(dialog.m_substance.GetName(), "water");
        ClickEntry(dialog, "EDTA");
        dialog.PressButton(ui::IDCANCEL);
        return dialog.result();
    });
    DatabaseButton(128)->click();
    EXPECT_EQ(dialogs.Count(Dlg::kTemplateId), 1);
    EXPECT_EQ(Reaction().GetReagent(128)->GetName(), "");
    EXPECT_EQ(FormulaText(128), "H2O");
    EXPECT_EQ(Reaction().GetBalancedCoefficients(), (std::vector<int>{2, 1, 2}));
    EXPECT_FALSE(Reaction().IsModified());
}

TEST_F(RowPick, ARowWithEnteredMolesOffersNoDatabase) {
    ASSERT_TRUE(StartQuietly());
    NewFromString(QStringLiteral("H2 + O2 = H2O"));
    EXPECT_TRUE(DatabaseButton(0)->isEnabled());
    Retype(qobject_cast<QLineEdit*>(view->RowControl(0, kMolesSlot)), "2");
    EXPECT_FALSE(DatabaseButton(0)->isEnabled());
    EXPECT_TRUE(DatabaseButton(1)->isEnabled());
}

} // namespace
