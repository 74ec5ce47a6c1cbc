// The substances database dialog: the list and its pattern filter over names or formulas, the caption's
// counts, adding, modifying and deleting (also with the Delete key), and picking a substance for a row.
#include "app/dialogs/substance_database_dlg.h"
#include "app_test_host.h"
#include "model/substance_database.h"
#include "platform/ui/list_controls.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Dlg = CSubstanceDatabaseDlg;

class SubstancesDialog : public ::testing::Test {
protected:
    void SetUp() override { database.LoadDefaults(); }
    void TearDown() override { ui::Dialog::SetModalHook({}); }

    static QListWidget* List(Dlg& dialog) { return dialog.Control<QListWidget>(Dlg::kList); }
    static QLineEdit* Edit(Dlg& dialog, int id) { return dialog.Control<QLineEdit>(id); }
    static QPushButton* Button(Dlg& dialog, int id) { return dialog.Control<QPushButton>(id); }
    static bool Enabled(Dlg& dialog, int id) { return dialog.GetDlgItem(id)->isEnabled(); }

    static QStringList Entries(Dlg& dialog) {
        QStringList texts;
        for (int i = 0; i < List(dialog)->count(); ++i)
            texts << List(dialog)->item(i)->text();
        return texts;
    }
    static QString Selected(Dlg& dialog) {
        const QList<QListWidgetItem*> items = List(dialog)->selectedItems();
        return items.isEmpty() ? QString() : items.front()->text();
    }

    // Replaces an edit's text by typing, a key at a time, as the user does.
    static void Retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static void Filter(Dlg& dialog, const QString& pattern) {
        Retype(Edit(dialog, Dlg::kFilterEdit), pattern);
    }

    // Clicks the list entry with the text.
    static void ClickEntry(Dlg& dialog, const QString& text, bool twice = false) {
        QListWidget* list = List(dialog);
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        const QPoint where = list->visualItemRect(found.front()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
        if (twice) {
            // What a second click soon after the first delivers (QTest's own double-click does not reach
            // item views).
            QMouseEvent click(QEvent::MouseButtonDblClick, where, list->viewport()->mapToGlobal(where),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &click);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, where);
        }
    }

    AppTestHost host;
    SubstanceDatabase database;
};

TEST_F(SubstancesDialog, OpensWithEverySubstanceListedByNameAndCountedInTheCaption) {
    Dlg dialog(database);
    dialog.Create();
    EXPECT_EQ(dialog.windowTitle(), "Substance database (12 items/12 listed)");
    EXPECT_EQ(
        Entries(dialog),
        QStringList({"EDTA", "hydrochloric acid", "iron(II) sulfate", "iron(III) sulfate",
                     "manganese(II) sulfate", "potassium chloride", "potassium permanganate",
                     "potassium sulfate", "sodium chloride", "sodium hydroxide", "sulfuric acid", "water"}));
    EXPECT_EQ(Edit(dialog, Dlg::kFilterEdit)->text(), ".");
    EXPECT_EQ(dialog.Control<QComboBox>(Dlg::kFilterFieldCombo)->currentText(), "name");
    // Browsing: the Use button is an OK button, always enabled; nothing to add, delete or modify yet.
    EXPECT_EQ(Button(dialog, ui::IDOK)->text(), "OK");
    EXPECT_TRUE(Enabled(dialog, ui::IDOK));
    EXPECT_FALSE(Enabled(dialog, Dlg::kAddButton));
    EXPECT_FALSE(Enabled(dialog, Dlg::kDeleteButton));
    EXPECT_FALSE(Enabled(dialog, Dlg::kModifyButton));
    EXPECT_EQ(Selected(dialog), QString());
}

TEST_F(SubstancesDialog, CaptionSaysItemForOneAndItemsOtherwise) {
    SubstanceDatabase empty;
    Dlg none(empty);
    none.Create();
    EXPECT_EQ(none.windowTitle(), "Substance database (0 items/0 listed)");

    SubstanceDatabase one;
    CSubstance water;
    water.SetName("water");
    water.SetFormula("H2O");
    one.Add(water);
    Dlg single(one);
    single.Create();
    EXPECT_EQ(single.windowTitle(), "Substance database (1 item/1 listed)");
}

TEST_F(SubstancesDialog, FilterPatternsSearchTheNamesAtEveryKeystroke) {
    test_support::MessageBoxRecorder boxes;
    Dlg dialog(database);
    dialog.Create();

    Filter(dialog, "sulf");
    EXPECT_EQ(Entries(dialog), QStringList({"iron(II) sulfate", "iron(III) sulfate", "manganese(II) sulfate",
                                            "potassium sulfate", "sulfuric acid"}));
    EXPECT_EQ(dialog.windowTitle(), "Substance database (12 items/5 listed)");

    // Case folding, alternation, escaped brackets and repetition.
    Filter(dialog, "(CHLOR)\\i");
    EXPECT_EQ(Entries(dialog), QStringList({"hydrochloric acid", "potassium chloride", "sodium chloride"}));
    Filter(dialog, "CHLOR");
    EXPECT_TRUE(Entries(dialog).isEmpty());
    Filter(dialog, "water|EDTA");
    EXPECT_EQ(Entries(dialog), QStringList({"EDTA", "water"}));
    Filter(dialog, "\\(I+\\)");
    EXPECT_EQ(Entries(dialog),
              QStringList({"iron(II) sulfate", "iron(III) sulfate", "manganese(II) sulfate"}));
    EXPECT_EQ(dialog.windowTitle(), "Substance database (12 items/3 listed)");
    EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST_F(SubstancesDialog, EmptyFilterAndDotListEverythingWhileLongerDotPatternsSearch) {
    CSubstance potassium;
    potassium.SetName("K");
    potassium.SetFormula("K");
    database.Add(potassium);
    Dlg dialog(database);
    dialog.Create();
    EXPECT_EQ(List(dialog)->count(), 13);

    Filter(dialog, "");
    EXPECT_EQ(List(dialog)->count(), 13);
    EXPECT_EQ(dialog.windowTitle(), "Substance database (13 items/13 listed)");
    Filter(dialog, "..");
    EXPECT_EQ(List(dialog)->count(), 12) << "a name of one letter is too short for two dots";
    EXPECT_FALSE(Entries(dialog).contains("K"));
    Filter(dialog, ".");
    EXPECT_EQ(List(dialog)->count(), 13);
}

TEST_F(SubstancesDialog, MalformedPatternsListNothingAndSayNothing) {
    test_support::MessageBoxRecorder boxes;
    Dlg dialog(database);
    dialog.Create();
    for (const char* pattern : {"(", "$x", "water)", "[a-", "*"}) {
        Filter(dialog, QString::fromLatin1(pattern));
        EXPECT_EQ(List(dialog)->count(), 0) << pattern;
        EXPECT_EQ(dialog.windowTitle(), "Substance database (12 items/0 listed)") << pattern;
    }
    EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST_F(SubstancesDialog, SwitchingToFormulasResetsTheFilterAndListsFormulas) {
    Dlg dialog(database);
    dialog.Create();
    Filter(dialog, "water");
    ASSERT_EQ(List(dialog)->count(), 1);

    auto* field = dialog.Control<QComboBox>(Dlg::kFilterFieldCombo);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(dialog.FilterField(), 1);
    EXPECT_EQ(Edit(dialog, Dlg::kFilterEdit)->text(), ".");
    EXPECT_EQ(List(dialog)->count(), 12);
    EXPECT_TRUE(Entries(dialog).contains("Fe2(SO4)3"));
    EXPECT_FALSE(Entries(dialog).contains("water"));

    Filter(dialog, "SO4");
    EXPECT_EQ(Entries(dialog), QStringList({"Fe2(SO4)3", "FeSO4", "H2SO4", "K2SO4", "MnSO4"}));
    Filter(dialog, "^K");
    EXPECT_EQ(List(dialog)->count(), 0) << "no formula holds ^K";
    Filter(dialog, "[0-9][0-9]");
    EXPECT_EQ(Entries(dialog), QStringList({"C10H16N2O8"}));
}

TEST_F(SubstancesDialog, ClickingAnEntryShowsItsSubstanceAndWeighsIt) {
    Dlg dialog(database);
    dialog.Create();
    ClickEntry(dialog, "iron(III) sulfate");
    EXPECT_EQ(dialog.m_substance.GetName(), "iron(III) sulfate");
    EXPECT_EQ(Edit(dialog, Dlg::kNameEdit)->text(), "iron(III) sulfate");
    EXPECT_EQ(Edit(dialog, Dlg::kFormulaEdit)->text(), "Fe2(SO4)3");
    EXPECT_NEAR(dialog.m_substance.GetMolarMass(), 399.88, 0.01);
    EXPECT_EQ(database.GetAt(9)->GetMolarMass(), 0.0) << "the stored default is not touched";
    EXPECT_TRUE(Enabled(dialog, Dlg::kDeleteButton));
    EXPECT_TRUE(Enabled(dialog, Dlg::kModifyButton));
    EXPECT_FALSE(Enabled(dialog, Dlg::kAddButton)) << "the name is taken";
    test_support::SaveScreenshot(dialog, "substances_database_dialog");
}

TEST_F(SubstancesDialog, AddIsOfferedForANewNameOnlyAndSelectsTheStoredCopy) {
    Dlg dialog(database);
    dialog.Create();
    QLineEdit* name = Edit(dialog, Dlg::kNameEdit);
    QLineEdit* formula = Edit(dialog, Dlg::kFormulaEdit);

    Retype(name, "ethanol");
    EXPECT_FALSE(Enabled(dialog, Dlg::kAddButton)) << "no formula yet";
    Retype(formula, "C2H5OH");
    EXPECT_TRUE(Enabled(dialog, Dlg::kAddButton));
    EXPECT_NEAR(dialog.m_substance.GetMolarMass(), 46.07, 0.01);

    QTest::mouseClick(Button(dialog, Dlg::kAddButton), Qt::LeftButton);
    ASSERT_EQ(database.GetCount(), 13);
    EXPECT_EQ(database.GetAt(12)->GetName(), "ethanol");
    EXPECT_EQ(database.GetAt(12)->GetFormula(), "C2H5OH");
    EXPECT_TRUE(database.IsModified());
    EXPECT_EQ(Selected(dialog), "ethanol");
    EXPECT_EQ(dialog.windowTitle(), "Substance database (13 items/13 listed)");
    EXPECT_FALSE(Enabled(dialog, Dlg::kAddButton)) << "now the name is stored";
    EXPECT_TRUE(Enabled(dialog, Dlg::kModifyButton));

    // A stored name cannot be added again; a new name with a stored formula can.
    Retype(name, "water");
    EXPECT_FALSE(Enabled(dialog, Dlg::kAddButton));
    Retype(formula, "H2O");
    EXPECT_FALSE(Enabled(dialog, Dlg::kAddButton));
    Retype(name, "ice");
    EXPECT_TRUE(Enabled(dialog, Dlg::kAddButton));
    Retype(name, "");
    EXPECT_FALSE(Enabled(dialog, Dlg::kAddButton));
}

// A character the database cannot store never enters a box: the keystroke is refused and named in a tool
// tip, the keys after it arrive, a paste that holds one is refused whole, and Add and OK act on what the
// boxes show.
TEST_F(SubstancesDialog, ACharacterTheDatabaseCannotStoreIsRefusedAsItIsTyped) {
    test_support::MessageBoxRecorder boxes;
    Dlg dialog(database);
    ui::Dialog::SetModalHook([&](ui::Dialog&) {
        QLineEdit* name = Edit(dialog, Dlg::kNameEdit);
        QLineEdit* formula = Edit(dialog, Dlg::kFormulaEdit);
        const auto type = [](QLineEdit* edit, const QString& text) {
            for (const QChar c : text)
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        };
        Retype(name, "Glucose ");
        type(name, QString::fromUtf8("α-D"));
        EXPECT_EQ(name->text(), "Glucose -D");
        EXPECT_EQ(QToolTip::text(),
                  QString::fromUtf8("The character \"α\" (U+03B1) cannot be used here. Please replace it."));
        // Unicode chemistry still becomes the notation in the formula box.
        formula->setFocus();
        type(formula, QString::fromUtf8("C₆H₁₂O₆"));
        name->setFocus();
        QGuiApplication::clipboard()->setText(QString::fromUtf8("β→"));
        QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
        QGuiApplication::clipboard()->clear();
        EXPECT_EQ(name->text(), "Glucose -D");
        EXPECT_EQ(QToolTip::text(),
                  QString::fromUtf8("The character \"β\" (U+03B2) cannot be used here. Please replace it."));

        QTest::mouseClick(Button(dialog, Dlg::kAddButton), Qt::LeftButton);
        QTest::mouseClick(Button(dialog, ui::IDOK), Qt::LeftButton);
        return dialog.result();
    });
    EXPECT_EQ(dialog.DoModal(), ui::IDOK);
    EXPECT_TRUE(boxes.texts.isEmpty());
    ASSERT_EQ(database.GetCount(), 13);
    EXPECT_EQ(database.GetAt(12)->GetName(), "Glucose -D");
    EXPECT_EQ(database.GetAt(12)->GetFormula(), "C6H12O6");
}

TEST_F(SubstancesDialog, ModifyReplacesTheSelectedSubstanceInPlace) {
    Dlg dialog(database);
    dialog.Create();
    ClickEntry(dialog, "water");
    Retype(Edit(dialog, Dlg::kNameEdit), "aqua");
    EXPECT_EQ(Selected(dialog), "water") << "typing does not move the selection";
    QTest::mouseClick(Button(dialog, Dlg::kModifyButton), Qt::LeftButton);

    ASSERT_EQ(database.GetCount(), 12);
    EXPECT_EQ(database.GetAt(5)->GetName(), "aqua");
    EXPECT_EQ(database.GetAt(5)->GetFormula(), "H2O");
    EXPECT_EQ(database.FindByName("water"), nullptr);
    EXPECT_TRUE(Entries(dialog).contains("aqua"));
    EXPECT_EQ(Selected(dialog), "aqua") << "the stored copy equals the current substance";
}

TEST_F(SubstancesDialog, TheDeleteKeyDeletesTheSelectedEntryOnly) {
    Dlg dialog(database);
    dialog.Create();
    QListWidget* list = List(dialog);

    // Without a selection the key deletes nothing.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    QApplication::processEvents();
    EXPECT_EQ(database.GetCount(), 12);

    ClickEntry(dialog, "EDTA");
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(database.GetCount(), 12) << "the key posts its message; the deletion follows";
    QApplication::processEvents();
    ASSERT_EQ(database.GetCount(), 11);
    EXPECT_EQ(database.FindByName("EDTA"), nullptr);
    EXPECT_FALSE(Entries(dialog).contains("EDTA"));
    EXPECT_EQ(dialog.windowTitle(), "Substance database (11 items/11 listed)");
    EXPECT_EQ(Selected(dialog), QString());
    EXPECT_FALSE(Enabled(dialog, Dlg::kDeleteButton));
    EXPECT_FALSE(Enabled(dialog, Dlg::kModifyButton));

    // A second press finds nothing selected.
    QTest::keyClick(list, Qt::Key_Delete);
    QApplication::processEvents();
    EXPECT_EQ(database.GetCount(), 11);

    // The Delete button does the same.
    ClickEntry(dialog, "water");
    QTest::mouseClick(Button(dialog, Dlg::kDeleteButton), Qt::LeftButton);
    EXPECT_EQ(database.GetCount(), 10);
    EXPECT_EQ(database.FindByName("water"), nullptr);
}

TEST_F(SubstancesDialog, AFilterThatHidesTheCurrentSubstanceLeavesNoSelection) {
    Dlg dialog(database);
    dialog.m_browseOnly = 0;
    dialog.Create();
    ClickEntry(dialog, "water");
    EXPECT_TRUE(Enabled(dialog, ui::IDOK));
    Filter(dialog, "sulf");
    EXPECT_EQ(List(dialog)->count(), 5);
    EXPECT_EQ(Selected(dialog), QString());
    EXPECT_FALSE(Enabled(dialog, ui::IDOK));
    EXPECT_FALSE(Enabled(dialog, Dlg::kDeleteButton));
    EXPECT_EQ(dialog.m_substance.GetName(), "water");
    // Listing it again selects it again.
    Filter(dialog, "wat");
    EXPECT_EQ(Selected(dialog), "water");
}

TEST_F(SubstancesDialog, PickingForARowEndsWithTheDoubleClickedSubstance) {
    Dlg dialog(database);
    dialog.m_browseOnly = 0;
    dialog.m_substance.SetName("unknown");
    dialog.m_substance.SetFormulaText("X");
    ui::Dialog::SetModalHook([&](ui::Dialog&) {
        EXPECT_EQ(Button(dialog, ui::IDOK)->text(), "Use");
        EXPECT_FALSE(Enabled(dialog, ui::IDOK)) << "nothing picked yet";
        EXPECT_EQ(Edit(dialog, Dlg::kNameEdit)->text(), "unknown");
        ClickEntry(dialog, "sodium chloride", true);
        return dialog.result();
    });
    ASSERT_EQ(dialog.DoModal(), ui::IDOK);
    EXPECT_EQ(dialog.m_substance.GetName(), "sodium chloride");
    EXPECT_EQ(dialog.m_substance.GetFormula(), "NaCl");
    EXPECT_NEAR(dialog.m_substance.GetMolarMass(), 58.44, 0.01);
}

TEST_F(SubstancesDialog, UseReadsTheEditsWhenPicking) {
    Dlg dialog(database);
    dialog.m_browseOnly = 0;
    ui::Dialog::SetModalHook([&](ui::Dialog&) {
        ClickEntry(dialog, "water");
        Retype(Edit(dialog, Dlg::kFormulaEdit), "H2O(g)");
        QTest::mouseClick(Button(dialog, ui::IDOK), Qt::LeftButton);
        return dialog.result();
    });
    ASSERT_EQ(dialog.DoModal(), ui::IDOK);
    EXPECT_EQ(dialog.m_substance.GetName(), "water");
    EXPECT_EQ(dialog.m_substance.GetFormula(), "H2O(g)");
}

TEST_F(SubstancesDialog, BrowsingADoubleClickOnlySelectsAndOkCloses) {
    Dlg dialog(database);
    ui::Dialog::SetModalHook([&](ui::Dialog&) {
        ClickEntry(dialog, "water", true);
        EXPECT_TRUE(dialog.isVisible()) << "a double-click does not close a browsing dialog";
        EXPECT_EQ(Selected(dialog), "water");
        QTest::mouseClick(Button(dialog, ui::IDOK), Qt::LeftButton);
        return dialog.result();
    });
    EXPECT_EQ(dialog.DoModal(), ui::IDOK);
}

TEST_F(SubstancesDialog, ARowWithAFormulaButNoNameFindsTheStoredSubstance) {
    Dlg dialog(database);
    dialog.m_browseOnly = 0;
    dialog.m_substance.SetFormulaText("KCl");
    dialog.Create();
    EXPECT_EQ(dialog.m_substance.GetName(), "potassium chloride");
    EXPECT_EQ(Edit(dialog, Dlg::kNameEdit)->text(), "potassium chloride");
    EXPECT_EQ(Selected(dialog), "potassium chloride");
    EXPECT_NEAR(dialog.m_substance.GetMolarMass(), 74.55, 0.01);
    EXPECT_TRUE(Enabled(dialog, ui::IDOK));
}

TEST_F(SubstancesDialog, OfTwoSubstancesWithTheRowsFormulaTheOneTakenIsTheOneSelected) {
    // "ice" sorts before "water", but the index finds water (the lower position): the list must select
    // the substance that the edits show.
    CSubstance ice;
    ice.SetName("ice");
    ice.SetFormula("H2O");
    database.Add(ice);
    Dlg dialog(database);
    dialog.m_browseOnly = 0;
    dialog.m_substance.SetFormulaText("H2O");
    dialog.Create();
    EXPECT_EQ(dialog.m_substance.GetName(), "water");
    EXPECT_EQ(Selected(dialog), "water");
}

TEST_F(SubstancesDialog, ARowWithANameKeepsItsOwnSubstance) {
    Dlg dialog(database);
    dialog.m_browseOnly = 0;
    dialog.m_substance.SetName("my salt");
    dialog.m_substance.SetFormula("NaCl");
    dialog.Create();
    EXPECT_EQ(dialog.m_substance.GetName(), "my salt");
    EXPECT_EQ(Selected(dialog), QString());
    EXPECT_TRUE(Enabled(dialog, Dlg::kAddButton));
    EXPECT_FALSE(Enabled(dialog, ui::IDOK));
}

} // namespace

namespace {

// What the list held when it was filled one AddString at a time in database order: texts and item data.
std::vector<std::pair<QString, qint64>> OneByOne(const SubstanceDatabase& database, int field,
                                                 const QString& onlyContaining = {}) {
    ui::ListBox box;
    box.SetSorted(true);
    for (int i = 0; i < database.GetCount(); ++i) {
        const CSubstance& item = *database.GetAt(i);
        const QString text = QString::fromStdString(field == 1 ? item.GetFormula() : item.GetName());
        if (text.contains(onlyContaining))
            box.item(box.AddString(text))->setData(Qt::UserRole, i);
    }
    std::vector<std::pair<QString, qint64>> entries;
    for (int row = 0; row < box.count(); ++row)
        entries.emplace_back(box.item(row)->text(), box.item(row)->data(Qt::UserRole).toLongLong());
    return entries;
}

std::vector<std::pair<QString, qint64>> Listed(QListWidget* list) {
    std::vector<std::pair<QString, qint64>> entries;
    for (int row = 0; row < list->count(); ++row)
        entries.emplace_back(list->item(row)->text(), list->item(row)->data(Qt::UserRole).toLongLong());
    return entries;
}

} // namespace

TEST_F(SubstancesDialog, TheBatchFillListsAsOneByOneInsertionDidThroughEveryChange) {
    // Names equal but for case, and equal formulas, so that the order among equals shows.
    SubstanceDatabase mixed;
    const char* const names[] = {"water", "Ethanol", "WATER", "ethanol", "acetone", "Water", "b", "B", "a"};
    for (int i = 0; i < 9; ++i) {
        CSubstance substance;
        substance.SetName(names[i]);
        substance.SetFormula(i % 2 == 0 ? "H2O" : "C2H6O");
        mixed.Add(substance);
    }
    Dlg dialog(mixed);
    dialog.Create();
    QListWidget* list = List(dialog);
    EXPECT_EQ(Listed(list), OneByOne(mixed, 0));

    // Add: the copy of the current substance goes after its equals and is selected.
    Retype(Edit(dialog, Dlg::kNameEdit), "wAtEr");
    Retype(Edit(dialog, Dlg::kFormulaEdit), "H2O");
    QTest::mouseClick(Button(dialog, Dlg::kAddButton), Qt::LeftButton);
    EXPECT_EQ(Listed(list), OneByOne(mixed, 0));
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().front()->data(Qt::UserRole).toLongLong(), 9);

    // Modify and Delete in the middle of equal names.
    ClickEntry(dialog, "WATER");
    Retype(Edit(dialog, Dlg::kNameEdit), "Acetone");
    QTest::mouseClick(Button(dialog, Dlg::kModifyButton), Qt::LeftButton);
    EXPECT_EQ(Listed(list), OneByOne(mixed, 0));
    EXPECT_EQ(Selected(dialog), "Acetone");
    ClickEntry(dialog, "Ethanol");
    QTest::mouseClick(Button(dialog, Dlg::kDeleteButton), Qt::LeftButton);
    EXPECT_EQ(Listed(list), OneByOne(mixed, 0));
    EXPECT_TRUE(list->selectedItems().isEmpty());

    // A filter keeps the order; formulas list in their own order.
    Filter(dialog, "a");
    EXPECT_EQ(Listed(list), OneByOne(mixed, 0, "a"));
    auto* field = dialog.Control<QComboBox>(Dlg::kFilterFieldCombo);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(Listed(list), OneByOne(mixed, 1));
}
