// The element and moiety editor, driven as a user drives it: selecting rows, typing into the boxes, adding,
// changing and removing moieties, sorting the list.
#include "app/controls/delete_key_lists.h"
#include "app/controls/fedit.h"
#include "app/dialogs/elements_editor.h"
#include "app_test_host.h"
#include "editors_test_support.h"
#include "model/element_table.h"
#include "ui_test_support.h"

#include <QCoreApplication>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using editors_test::ClickHeading;
using editors_test::ClickRow;
using editors_test::ColumnTexts;
using editors_test::FindRow;
using editors_test::TypeInto;
using test_support::MessageBoxRecorder;

constexpr int kCarbon = 6;
constexpr int kFirstMoiety = ElementTable::kFirstMoietyRow;

class ElementsEditorTest : public ::testing::Test {
protected:
    ElementsEditorTest()
        : dialog(host.GetElementTable(), {[this] { return used; }, [this] { ++refreshes; }}) {}

    void SetUp() override {
        used = CompositionVector(Table().GetCount() + 1);
        dialog.Create();
        dialog.activateWindow();
        list = dialog.Control<ui::ListView>(CElementsEditor::kList);
        ASSERT_NE(list, nullptr);
        ASSERT_NE(dynamic_cast<CListCtrlD*>(list), nullptr);
    }

    ElementTable& Table() { return host.GetElementTable(); }
    QLineEdit* Box(int id) { return dialog.Control<QLineEdit>(id); }
    QString Text(int id) { return dialog.GetDlgItemText(id); }
    bool Enabled(int id) { return dialog.GetDlgItem(id)->isEnabled(); }
    void Type(int id, const QString& text) { TypeInto(Box(id), text); }

    // Selects the list row of a table row with a click.
    void Select(int tableRow) {
        const int item = list->FindItemData(tableRow);
        ASSERT_GE(item, 0) << tableRow;
        ClickRow(list, item);
        ASSERT_EQ(dialog.SelectedRow(), tableRow);
    }

    // Types a new moiety into the boxes and presses Add.
    void AddMoiety(const QString& symbol, const QString& composition, const QString& mass) {
        Type(CElementsEditor::kSymbolBox, symbol);
        Type(CElementsEditor::kCompositionBox, composition);
        if (!mass.isEmpty())
            Type(CElementsEditor::kMolarMassBox, mass);
        Box(CElementsEditor::kCommentBox)->setFocus();
        ASSERT_TRUE(Enabled(CElementsEditor::kAddButton));
        dialog.PressButton(CElementsEditor::kAddButton);
    }

    AppTestHost host;
    CompositionVector used{1};
    int refreshes = 0;
    CElementsEditor dialog;
    ui::ListView* list = nullptr;
};

TEST_F(ElementsEditorTest, ListsEveryRowButTheElectron) {
    ASSERT_EQ(list->topLevelItemCount(), 103);
    const QTreeWidgetItem* carbon = list->topLevelItem(kCarbon - 1);
    EXPECT_EQ(carbon->text(0), "6");
    EXPECT_EQ(carbon->text(1), "C");
    EXPECT_EQ(carbon->text(2), "12.0107");
    EXPECT_EQ(carbon->text(3), "");
    EXPECT_EQ(list->topLevelItem(60)->text(2), "145") << "Pm, no decimals";
    EXPECT_EQ(list->topLevelItem(11)->text(2), "24.3050") << "Mg, trailing zero kept";
    EXPECT_EQ(list->topLevelItem(0)->text(1), "H");
    EXPECT_EQ(dialog.SelectedRow(), -1);
    for (int id :
         {CElementsEditor::kAddButton, CElementsEditor::kModifyButton, CElementsEditor::kDeleteButton})
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(ElementsEditorTest, ABuiltInElementCanBeLookedAtOnly) {
    Select(kCarbon);
    EXPECT_EQ(Text(CElementsEditor::kSymbolBox), "C");
    EXPECT_EQ(Text(CElementsEditor::kCompositionBox), "C") << "an empty composition shows the symbol";
    EXPECT_EQ(Text(CElementsEditor::kMolarMassBox), "12.0107");
    EXPECT_EQ(dialog.FormulaFrame().GetText(), "C");
    EXPECT_EQ(dialog.FormulaFrame().Caption(), "") << "no caption in the editor";
    EXPECT_FALSE(Enabled(CElementsEditor::kAddButton));
    EXPECT_FALSE(Enabled(CElementsEditor::kModifyButton));
    EXPECT_FALSE(Enabled(CElementsEditor::kDeleteButton));

    // Neither the Delete button nor the Delete key removes it.
    dialog.PressButton(CElementsEditor::kModifyButton);
    dialog.PressButton(CElementsEditor::kDeleteButton);
    QTest::keyClick(list, Qt::Key_Delete);
    QCoreApplication::processEvents();
    EXPECT_EQ(Table().GetCount(), 104);
    EXPECT_EQ(Table()[kCarbon].GetSymbol(), "C");
}

TEST_F(ElementsEditorTest, AddingAMoiety) {
    Type(CElementsEditor::kSymbolBox, "Cit");
    EXPECT_FALSE(Enabled(CElementsEditor::kAddButton)) << "no molar mass yet";
    // Typing a composition weighs it.
    Type(CElementsEditor::kCompositionBox, "C6H5O7");
    EXPECT_EQ(Text(CElementsEditor::kMolarMassBox), "189.0997") << "with the display digits";
    EXPECT_EQ(dialog.FormulaFrame().GetText(), "C6H5O7");
    EXPECT_TRUE(Enabled(CElementsEditor::kAddButton));
    // A mass typed afterwards is kept as typed.
    Type(CElementsEditor::kMolarMassBox, "189.10");
    Type(CElementsEditor::kCommentBox, "citrate");
    EXPECT_EQ(Text(CElementsEditor::kMolarMassBox), "189.10");
    test_support::SaveScreenshot(dialog, "elements_editor_adding");
    dialog.PressButton(CElementsEditor::kAddButton);

    ASSERT_EQ(Table().GetCount(), 105);
    const Element& cit = Table()[kFirstMoiety];
    EXPECT_EQ(cit.GetSymbol(), "Cit");
    EXPECT_EQ(cit.GetComposition(), "C6H5O7");
    EXPECT_EQ(cit.GetComment(), "citrate");
    EXPECT_DOUBLE_EQ(cit.GetMolarMass(), 189.1);
    EXPECT_EQ(cit.GetDecimals(), 2);
    EXPECT_TRUE(Table().IsModified());
    ASSERT_EQ(list->topLevelItemCount(), 104);
    EXPECT_EQ(list->topLevelItem(103)->text(0), "104");
    EXPECT_EQ(list->topLevelItem(103)->text(2), "189.10");
    EXPECT_EQ(list->topLevelItem(103)->text(3), "C6H5O7");
    EXPECT_FALSE(Enabled(CElementsEditor::kAddButton)) << "the symbol is taken now";

    // The moiety's mass needs no composition.
    AddMoiety("Me", "", "15.0345");
    ASSERT_EQ(Table().GetCount(), 106);
    EXPECT_EQ(Table()[105].GetDecimals(), 4);
    EXPECT_EQ(list->topLevelItem(104)->text(2), "15.0345");
}

TEST_F(ElementsEditorTest, SymbolsMustStartWithACapitalAndMassesMustBeNumbers) {
    MessageBoxRecorder boxes;
    for (const char* symbol : {"cit", "1Cit", "_X", " Cit", ""}) {
        SCOPED_TRACE(symbol);
        Type(CElementsEditor::kSymbolBox, symbol);
        Type(CElementsEditor::kMolarMassBox, "100");
        EXPECT_FALSE(Enabled(CElementsEditor::kAddButton));
    }
    Type(CElementsEditor::kSymbolBox, "Qq");
    for (const char* mass : {"0", "0.000", "-"}) {
        SCOPED_TRACE(mass);
        Type(CElementsEditor::kMolarMassBox, mass);
        EXPECT_FALSE(Enabled(CElementsEditor::kAddButton));
    }
    Type(CElementsEditor::kMolarMassBox, "7");
    EXPECT_TRUE(Enabled(CElementsEditor::kAddButton));
    EXPECT_TRUE(boxes.texts.isEmpty());
    // Pasted words of the C library and a number too large for a double are no numbers, as "x" is not.
    for (const char* mass : {"inf", "nan", "-1e999"}) {
        SCOPED_TRACE(mass);
        Box(CElementsEditor::kMolarMassBox)->setText(mass);
        EXPECT_EQ(boxes.texts.value(0), "Enter a number.");
        boxes.texts.clear();
    }

    // A mass that is no number is refused when the boxes are read, and nothing is added.
    Type(CElementsEditor::kMolarMassBox, "x");
    EXPECT_EQ(boxes.texts.value(0), "Enter a number.");
    dialog.PressButton(CElementsEditor::kAddButton);
    EXPECT_EQ(Table().GetCount(), 104);
}

TEST_F(ElementsEditorTest, MeaninglessMoietiesAreRefusedAndStoredOnesShownForMending) {
    const QString massText = "The molar mass must be a positive number.";
    const QString selfText = "The composition names this moiety, directly or through others.";
    Type(CElementsEditor::kSymbolBox, "Neg");
    Type(CElementsEditor::kMolarMassBox, "-5");
    EXPECT_FALSE(Enabled(CElementsEditor::kAddButton));
    EXPECT_EQ(Text(CElementsEditor::kStatusText), massText);

    // Cit's composition changed to name Cit itself: the mass it would get is no mass at all.
    AddMoiety("Cit", "C6H5O7", "");
    Select(kFirstMoiety);
    Type(CElementsEditor::kCompositionBox, "Cit2");
    EXPECT_FALSE(Enabled(CElementsEditor::kModifyButton));
    EXPECT_EQ(Text(CElementsEditor::kStatusText), selfText);
    Type(CElementsEditor::kCompositionBox, "C6H5O7");
    EXPECT_TRUE(Enabled(CElementsEditor::kModifyButton));
    EXPECT_EQ(Text(CElementsEditor::kStatusText), "");

    // Two moieties that name each other.
    AddMoiety("Bb", "Aa", "10");
    Type(CElementsEditor::kSymbolBox, "Aa");
    Type(CElementsEditor::kCompositionBox, "Bb");
    Type(CElementsEditor::kMolarMassBox, "10");
    EXPECT_FALSE(Enabled(CElementsEditor::kAddButton));
    EXPECT_EQ(Text(CElementsEditor::kStatusText), selfText);
    EXPECT_EQ(Table().GetCount(), 106);

    // Rows stored so (from a file) stay, marked; selecting one says what is wrong.
    Table().AddElement("Aa", "Bb", "", 10.0, 0);
    Table().AddElement("Old", "", "", -5.0, 0);
    CElementsEditor stored(Table(), {});
    stored.Create();
    auto* storedList = stored.Control<ui::ListView>(CElementsEditor::kList);
    const int aa = storedList->FindItemData(Table().Find("Aa"));
    const int old = storedList->FindItemData(Table().Find("Old"));
    ASSERT_GE(aa, 0);
    ASSERT_GE(old, 0);
    EXPECT_EQ(storedList->topLevelItem(aa)->foreground(1).color(), QColor(Qt::red));
    EXPECT_EQ(storedList->topLevelItem(old)->toolTip(2), massText);
    EXPECT_NE(storedList->topLevelItem(kFirstMoiety - 1)->foreground(1).color(), QColor(Qt::red));
    ClickRow(storedList, aa);
    EXPECT_EQ(stored.GetDlgItemText(CElementsEditor::kStatusText), selfText);
    test_support::SaveScreenshot(stored, "elements_editor_stored_faults");
}

TEST_F(ElementsEditorTest, ChangingAMoiety) {
    AddMoiety("Cit", "C6H5O7", "189.10");
    Select(kFirstMoiety);
    EXPECT_EQ(Text(CElementsEditor::kSymbolBox), "Cit");
    EXPECT_EQ(Text(CElementsEditor::kCompositionBox), "C6H5O7");
    EXPECT_FALSE(Enabled(CElementsEditor::kAddButton));
    EXPECT_TRUE(Enabled(CElementsEditor::kModifyButton)) << "its own symbol";
    EXPECT_TRUE(Enabled(CElementsEditor::kDeleteButton));

    // A new comment; the mass box still shows the row's mass, which keeps its decimals.
    Type(CElementsEditor::kCommentBox, "citrate(3-)");
    dialog.PressButton(CElementsEditor::kModifyButton);
    EXPECT_EQ(Table()[kFirstMoiety].GetComment(), "citrate(3-)");
    EXPECT_DOUBLE_EQ(Table()[kFirstMoiety].GetMolarMass(), 189.1);
    EXPECT_EQ(Table()[kFirstMoiety].GetDecimals(), 2);
    EXPECT_EQ(dialog.SelectedRow(), kFirstMoiety) << "the changed row stays selected";

    // A new symbol and mass.
    Type(CElementsEditor::kSymbolBox, "Ci");
    Type(CElementsEditor::kMolarMassBox, "189.1");
    dialog.PressButton(CElementsEditor::kModifyButton);
    EXPECT_EQ(Table()[kFirstMoiety].GetSymbol(), "Ci");
    EXPECT_EQ(Table()[kFirstMoiety].GetDecimals(), 1);
    EXPECT_EQ(Table().Find("Cit"), -1);
    EXPECT_EQ(list->topLevelItem(103)->text(1), "Ci");

    // Another row's symbol is refused with a message; the table stays as it was.
    MessageBoxRecorder boxes;
    Type(CElementsEditor::kSymbolBox, "Fe");
    EXPECT_TRUE(Enabled(CElementsEditor::kModifyButton));
    dialog.PressButton(CElementsEditor::kModifyButton);
    EXPECT_EQ(boxes.texts, QStringList({"A moiety with such a symbol already exists."}));
    EXPECT_EQ(Table()[kFirstMoiety].GetSymbol(), "Ci");
    EXPECT_EQ(Table()[26].GetSymbol(), "Fe");
    EXPECT_EQ(list->topLevelItemCount(), 104);
}

TEST_F(ElementsEditorTest, AddingATakenSymbolIsRefused) {
    MessageBoxRecorder boxes;
    Type(CElementsEditor::kSymbolBox, "Fe");
    Type(CElementsEditor::kMolarMassBox, "56");
    EXPECT_FALSE(Enabled(CElementsEditor::kAddButton));
    // Should Add be pressed all the same, the table refuses the symbol.
    dialog.PressButton(CElementsEditor::kAddButton);
    EXPECT_EQ(boxes.texts, QStringList({"A moiety with such a symbol already exists."}));
    EXPECT_EQ(Table().GetCount(), 104);
}

TEST_F(ElementsEditorTest, RemovingAMoiety) {
    AddMoiety("Aa", "", "10");
    AddMoiety("Bb", "", "20");
    AddMoiety("Cc", "", "30");
    ASSERT_EQ(Table().GetCount(), 107);

    // A moiety in use stays.
    used = CompositionVector(Table().GetCount() + 1);
    used.Set(kFirstMoiety + 1, 2);
    MessageBoxRecorder boxes;
    Select(kFirstMoiety + 1);
    dialog.PressButton(CElementsEditor::kDeleteButton);
    EXPECT_EQ(boxes.texts, QStringList({"You can't remove moiety used in open documents or database."}));
    EXPECT_EQ(boxes.styles.value(0) & 0x0F, unsigned(ui::MB_OK));
    EXPECT_EQ(Table().GetCount(), 107);
    EXPECT_EQ(Table()[kFirstMoiety + 1].GetSymbol(), "Bb");

    // One that nothing uses goes; the later rows move up.
    Select(kFirstMoiety);
    dialog.PressButton(CElementsEditor::kDeleteButton);
    ASSERT_EQ(Table().GetCount(), 106);
    EXPECT_EQ(Table()[kFirstMoiety].GetSymbol(), "Bb");
    EXPECT_EQ(Table()[kFirstMoiety + 1].GetSymbol(), "Cc");
    EXPECT_EQ(dialog.SelectedRow(), -1);
    EXPECT_EQ(list->topLevelItemCount(), 105);
    EXPECT_EQ(ColumnTexts(list, 1).mid(103), QStringList({"Bb", "Cc"}));
    EXPECT_EQ(ColumnTexts(list, 0).mid(103), QStringList({"104", "105"}));
    EXPECT_EQ(boxes.texts.size(), 1);

    // With nothing selected, Delete does nothing.
    dialog.PressButton(CElementsEditor::kDeleteButton);
    EXPECT_EQ(Table().GetCount(), 106);
}

TEST_F(ElementsEditorTest, TheDocumentsAreReadAgainBeforeTheyAreAskedAfterAChange) {
    AddMoiety("Aa", "", "10");
    AddMoiety("Bb", "", "20");
    EXPECT_EQ(refreshes, 0);
    // Bb (row 105) is used. Removing Aa moves it to row 104; the documents must read their formulas again
    // before the next question, or their old counts would let Bb go.
    used = CompositionVector(Table().GetCount() + 1);
    used.Set(kFirstMoiety + 1, 1);
    Select(kFirstMoiety);
    dialog.PressButton(CElementsEditor::kDeleteButton);
    EXPECT_EQ(refreshes, 1) << "the additions came first";
    EXPECT_EQ(Table()[kFirstMoiety].GetSymbol(), "Bb");
    used = CompositionVector(Table().GetCount() + 1);
    used.Set(kFirstMoiety, 1); // what the documents say once they read their formulas again

    MessageBoxRecorder boxes;
    Select(kFirstMoiety);
    dialog.PressButton(CElementsEditor::kDeleteButton);
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(Table()[kFirstMoiety].GetSymbol(), "Bb");
    // Nothing changed since: the documents are not read again.
    dialog.PressButton(CElementsEditor::kDeleteButton);
    EXPECT_EQ(refreshes, 2);
}

TEST_F(ElementsEditorTest, TheDeleteKeyRemovesTheSelectedMoiety) {
    AddMoiety("Aa", "", "10");
    Select(kFirstMoiety);
    QTest::keyClick(list, Qt::Key_Delete);
    QCoreApplication::processEvents();
    EXPECT_EQ(Table().GetCount(), 104);
    EXPECT_EQ(Table().Find("Aa"), -1);
}

TEST_F(ElementsEditorTest, TheSortOrderSurvivesEveryChange) {
    AddMoiety("Heavy", "", "900");
    AddMoiety("Light", "", "0.5");
    // Molar mass ascending: the electron is not listed, the light moiety comes first.
    ClickHeading(list, 2);
    EXPECT_TRUE(dialog.SortOrder().Ascending());
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Light");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "H");
    EXPECT_EQ(list->topLevelItem(list->topLevelItemCount() - 1)->text(1), "Heavy");

    AddMoiety("Mid", "", "50");
    EXPECT_EQ(FindRow(list, 1, "Mid"), FindRow(list, 1, "Ti") + 1) << "Ti weighs 47.867, V 50.9415";
    EXPECT_EQ(FindRow(list, 1, "Mid"), FindRow(list, 1, "V") - 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Light");

    Select(Table().Find("Light"));
    Type(CElementsEditor::kMolarMassBox, "1000");
    dialog.PressButton(CElementsEditor::kModifyButton);
    EXPECT_EQ(list->topLevelItem(list->topLevelItemCount() - 1)->text(1), "Light");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "H");
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0]->text(1), "Light") << "still selected";

    Select(Table().Find("Heavy"));
    dialog.PressButton(CElementsEditor::kDeleteButton);
    EXPECT_EQ(FindRow(list, 1, "Heavy"), -1);
    EXPECT_EQ(list->topLevelItem(list->topLevelItemCount() - 1)->text(1), "Light");

    // Descending, then by symbol and by number.
    ClickHeading(list, 2);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Light");
    ClickHeading(list, 1);
    EXPECT_EQ(ColumnTexts(list, 1).mid(0, 4), QStringList({"Ac", "Ag", "Al", "Am"}));
    ClickHeading(list, 0);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "H");
    ClickHeading(list, 0);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "105");
    ClickHeading(list, 3);
    EXPECT_EQ(list->topLevelItem(0)->text(3), "");
    test_support::SaveScreenshot(dialog, "elements_editor_sorted");
}

TEST_F(ElementsEditorTest, ExitAndCancelKeepTheChanges) {
    AddMoiety("Aa", "", "10");
    dialog.PressButton(ui::IDCANCEL);
    EXPECT_EQ(dialog.result(), ui::IDCANCEL);
    EXPECT_EQ(Table().Find("Aa"), kFirstMoiety);
}

} // namespace
