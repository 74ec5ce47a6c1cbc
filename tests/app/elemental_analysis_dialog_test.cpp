// The empirical formula calculator, driven as a user drives it: picking elements, typing what they were
// measured as and how much, adding, changing and removing entries, sorting them, and taking amounts from the
// solution and gas calculators.
#include "app/controls/fedit.h"
#include "app/controls/formula_list_ctrl.h"
#include "app/dialogs/concentration_calculator.h"
#include "app/dialogs/elemental_analysis.h"
#include "app/dialogs/ideal_gas_calculator.h"
#include "app_test_host.h"
#include "editors_test_support.h"
#include "model/empirical_formula.h"
#include "ui_test_support.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using editors_test::Choose;
using editors_test::ClickHeading;
using editors_test::ClickRow;
using editors_test::ColumnTexts;
using test_support::MessageBoxRecorder;

class ElementalAnalysisTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.Create();
        dialog.activateWindow();
        list = dialog.Control<ui::ListView>(CElementalAnalysis::kEntryList);
        ASSERT_NE(dynamic_cast<CCFListCtrl*>(list), nullptr);
    }
    void TearDown() override { ui::Dialog::SetModalHook({}); }

    QLineEdit* Box(int id) { return dialog.Control<QLineEdit>(id); }
    QComboBox* Combo(int id) { return dialog.Control<QComboBox>(id); }
    bool Enabled(int id) { return dialog.GetDlgItem(id)->isEnabled(); }
    QString Status() { return dialog.GetDlgItemText(CElementalAnalysis::kStatusText); }
    std::string Formula() { return dialog.ResultFrame().GetText(); }

    // Types into a box and leaves it for the next control, as a user tabbing on.
    void Type(int id, const QString& text) {
        editors_test::TypeInto(Box(id), text);
        dialog.GetDlgItem(CElementalAnalysis::kAddButton)->setFocus();
    }
    void Pick(int comboId, const QString& entry) { Choose(Combo(comboId), entry); }
    void Press(int id) { dialog.PressButton(id); }

    // Picks the element, the unit, the substance measured and the amount, then presses Add.
    void AddEntry(const char* element, const char* as, const char* amount, const char* unit) {
        Pick(CElementalAnalysis::kElementList, element);
        Pick(CElementalAnalysis::kAmountUnitList, unit);
        Type(CElementalAnalysis::kAsBox, as);
        Type(CElementalAnalysis::kAmountBox, amount);
        ASSERT_TRUE(Enabled(CElementalAnalysis::kAddButton)) << element;
        Press(CElementalAnalysis::kAddButton);
    }

    void SelectEntry(int listRow) {
        ClickRow(list, listRow);
        ASSERT_NE(dialog.SelectedEntry(), -1);
    }

    AppTestHost host;
    CElementalAnalysis dialog;
    ui::ListView* list = nullptr;
};

TEST_F(ElementalAnalysisTest, OpensEmpty) {
    QComboBox* elements = Combo(CElementalAnalysis::kElementList);
    ASSERT_EQ(elements->count(), 103) << "every row but the electron";
    EXPECT_EQ(elements->itemText(0), "H");
    EXPECT_EQ(elements->itemText(5), "C");
    QStringList units;
    for (int i = 0; i < Combo(CElementalAnalysis::kAmountUnitList)->count(); ++i)
        units << Combo(CElementalAnalysis::kAmountUnitList)->itemText(i);
    EXPECT_EQ(units, QStringList({"g", "mg", "mmol", "mol"}));
    EXPECT_EQ(Combo(CElementalAnalysis::kAmountUnitList)->currentText(), "g");
    EXPECT_EQ(Combo(CElementalAnalysis::kSampleUnitList)->currentText(), "g");
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(ColumnTexts(list, 0), QStringList());
    EXPECT_EQ(list->headerItem()->text(1), "as");
    for (int id : {CElementalAnalysis::kAddButton, CElementalAnalysis::kModifyButton,
                   CElementalAnalysis::kDeleteButton, CElementalAnalysis::kRemainingMassCheck})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(CElementalAnalysis::kSampleMassBox));
    EXPECT_TRUE(dialog.GetDlgItem(CElementalAnalysis::kUnusedBox)->isHidden());
}

TEST_F(ElementalAnalysisTest, CarbonAndHydrogenInMoles) {
    AddEntry("C", "C", "0.5", "mol");
    EXPECT_EQ(Formula(), "C") << "one entry gives its symbol";
    EXPECT_EQ(Status(), "") << "and leaves the status";
    AddEntry("H", "H", "1.0", "mol");
    EXPECT_EQ(Formula(), "CH2");
    EXPECT_EQ(Status(), "SSR: 0");
    EXPECT_EQ(dialog.ResultFrame().Caption(), "14.03");
    EXPECT_EQ(ColumnTexts(list, 0), QStringList({"C", "H"}));
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"C", "H"}));
    EXPECT_EQ(ColumnTexts(list, 2), QStringList({"0.5000", "1.000"}));
    EXPECT_EQ(ColumnTexts(list, 3), QStringList({"mol", "mol"}));
    EXPECT_EQ(ColumnTexts(list, 4), QStringList({"0.5000", "1.000"}));
    EXPECT_FALSE(Enabled(CElementalAnalysis::kAddButton)) << "hydrogen is listed already";
}

TEST_F(ElementalAnalysisTest, CombustionOfEthanolWithOxygenByDifference) {
    // 100.0 mg of ethanol gave 191.0 mg of carbon dioxide and 117.3 mg of water.
    Pick(CElementalAnalysis::kSampleUnitList, "mg");
    Type(CElementalAnalysis::kSampleMassBox, "100.0");
    EXPECT_DOUBLE_EQ(dialog.Input().sampleMass.value, 0.1);
    AddEntry("C", "CO2", "191.0", "mg");
    AddEntry("H", "H2O", "117.3", "mg");
    EXPECT_EQ(Formula(), "CH3");
    ASSERT_TRUE(Status().startsWith("SSR: ")) << Status().toStdString();
    EXPECT_TRUE(Status().contains(", mass left: 0.03475")) << Status().toStdString();

    // Oxygen takes what is left of the sample.
    Pick(CElementalAnalysis::kElementList, "O");
    ASSERT_TRUE(Enabled(CElementalAnalysis::kRemainingMassCheck));
    dialog.Control<QAbstractButton>(CElementalAnalysis::kRemainingMassCheck)->click();
    EXPECT_EQ(Box(CElementalAnalysis::kAsBox)->text(), "O");
    EXPECT_FALSE(Enabled(CElementalAnalysis::kAsBox));
    EXPECT_FALSE(Enabled(CElementalAnalysis::kAmountBox));
    EXPECT_FALSE(Enabled(CElementalAnalysis::kGasButton));
    Press(CElementalAnalysis::kAddButton);
    EXPECT_EQ(Formula(), "C2H6O");
    EXPECT_EQ(dialog.ResultFrame().Caption(), "46.07");
    EXPECT_TRUE(QRegularExpression("^SSR: [0-9.e+-]+$").match(Status()).hasMatch()) << Status().toStdString();
    EXPECT_FALSE(Status().contains("mass left"));
    EXPECT_EQ(ColumnTexts(list, 2).value(2), "34.75*") << "in mg, the unit it was left with";
    EXPECT_TRUE(ColumnTexts(list, 4).value(2).endsWith("*"));
    EXPECT_FALSE(Enabled(CElementalAnalysis::kSampleMassBox)) << "while an entry takes the remaining mass";
    test_support::SaveScreenshot(dialog, "elemental_analysis_ethanol");
}

TEST_F(ElementalAnalysisTest, MessagesOfTheEvaluation) {
    // Typing the substance before choosing an element.
    Type(CElementalAnalysis::kAsBox, "CO2");
    EXPECT_EQ(Status(), "Error: can't recognize element symbol");
    EXPECT_FALSE(Enabled(CElementalAnalysis::kAddButton));

    Pick(CElementalAnalysis::kElementList, "N");
    Type(CElementalAnalysis::kAsBox, "CO2");
    EXPECT_EQ(Status(), "No element atoms in the 'as' molecule, assuming 1");
    Type(CElementalAnalysis::kAmountBox, "1");
    Press(CElementalAnalysis::kAddButton);
    AddEntry("H", "H2", "1", "g");
    EXPECT_EQ(ColumnTexts(list, 0), QStringList({"N", "H"}));
    // The message of the first stays until the formula is worked out again.
    Press(CElementalAnalysis::kAddButton);
    AddEntry("O", "O2", "1", "g");
    EXPECT_TRUE(Status().startsWith("SSR: "));
    EXPECT_NE(Formula(), "");
    // A misspelt "as" formula is an error, and the formula of the entries before is no longer shown.
    AddEntry("S", "Xq2O", "1", "g");
    EXPECT_EQ(Status(), "Error: can't read the 'as' formula");
    EXPECT_EQ(Formula(), "");
}

TEST_F(ElementalAnalysisTest, AmountsThatGiveNoFormula) {
    // An amount of 0; the hydrogen, with nothing in "as", is weighed as itself.
    AddEntry("C", "C", "0", "g");
    AddEntry("H", "", "2", "g");
    EXPECT_EQ(Formula(), "");
    EXPECT_EQ(Status().toStdString(), kNoPositiveAmount);
    EXPECT_EQ(ColumnTexts(list, 4), QStringList({"0", "1.984"}));
}

TEST_F(ElementalAnalysisTest, ChangingTheUnitKeepsTheQuantity) {
    Pick(CElementalAnalysis::kElementList, "C");
    Type(CElementalAnalysis::kAsBox, "C");
    Type(CElementalAnalysis::kAmountBox, "12");
    Pick(CElementalAnalysis::kAmountUnitList, "mg");
    EXPECT_EQ(Box(CElementalAnalysis::kAmountBox)->text(), "1.2e+04");
    Pick(CElementalAnalysis::kAmountUnitList, "mmol");
    EXPECT_EQ(Box(CElementalAnalysis::kAmountBox)->text(), "999.1091");
    EXPECT_NEAR(dialog.Input().mass, 12.0, 1e-12);

    Type(CElementalAnalysis::kSampleMassBox, "2.50");
    Pick(CElementalAnalysis::kSampleUnitList, "mg");
    EXPECT_EQ(Box(CElementalAnalysis::kSampleMassBox)->text(), "2.50e+03");
    EXPECT_DOUBLE_EQ(dialog.Input().sampleMass.value, 2.5);
}

TEST_F(ElementalAnalysisTest, ChangingAndRemovingEntries) {
    Type(CElementalAnalysis::kSampleMassBox, "1.00");
    AddEntry("C", "C", "0.5", "mol");
    Type(CElementalAnalysis::kSampleMassBox, "3.00");
    AddEntry("H", "H", "2.0", "mol");
    EXPECT_EQ(Formula(), "CH4");

    // Selecting an entry brings back everything it was added with, its sample mass included.
    SelectEntry(0);
    EXPECT_EQ(dialog.SelectedEntry(), 0);
    EXPECT_EQ(Combo(CElementalAnalysis::kElementList)->currentText(), "C");
    EXPECT_EQ(Box(CElementalAnalysis::kAmountBox)->text(), "0.5");
    EXPECT_EQ(Box(CElementalAnalysis::kSampleMassBox)->text(), "1.00");
    EXPECT_TRUE(Enabled(CElementalAnalysis::kModifyButton));
    EXPECT_TRUE(Enabled(CElementalAnalysis::kDeleteButton));
    EXPECT_FALSE(Enabled(CElementalAnalysis::kAddButton));

    Type(CElementalAnalysis::kAmountBox, "1.0");
    Press(CElementalAnalysis::kModifyButton);
    EXPECT_EQ(Formula(), "CH2");
    EXPECT_EQ(ColumnTexts(list, 2).value(0), "1.000");
    EXPECT_FALSE(Enabled(CElementalAnalysis::kModifyButton)) << "the refill leaves no entry selected";
    // The row still looks selected; a click on it takes it again.
    ClickRow(list, 0);
    EXPECT_EQ(dialog.SelectedEntry(), 0);
    EXPECT_TRUE(Enabled(CElementalAnalysis::kModifyButton));

    Press(CElementalAnalysis::kDeleteButton);
    EXPECT_EQ(ColumnTexts(list, 0), QStringList({"H"}));
    EXPECT_EQ(Formula(), "H");
    EXPECT_EQ(dialog.SelectedEntry(), -1);

    // The Delete key removes the selected entry; without a selection it does nothing.
    SelectEntry(0);
    QTest::keyClick(list, Qt::Key_Delete);
    QCoreApplication::processEvents();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(Formula(), "");
    QTest::keyClick(list, Qt::Key_Delete);
    QCoreApplication::processEvents();
}

TEST_F(ElementalAnalysisTest, MassLeftOverWithoutARemainingEntry) {
    Type(CElementalAnalysis::kSampleMassBox, "20");
    AddEntry("C", "C", "12.0107", "g");
    AddEntry("H", "H", "4.03176", "g");
    EXPECT_EQ(Formula(), "CH4");
    EXPECT_EQ(Status(), "SSR: 0, mass left: 3.958");
    // Typing another sample mass works the formula out again at once.
    Type(CElementalAnalysis::kSampleMassBox, "10");
    EXPECT_EQ(Status(), "SSR: 0, mass left: -6.042");
    EXPECT_EQ(Box(CElementalAnalysis::kSampleMassBox)->text(), "10");
}

TEST_F(ElementalAnalysisTest, TypingTheSampleMassKeepsTheTextAndCaret) {
    QLineEdit* box = Box(CElementalAnalysis::kSampleMassBox);
    box->setFocus();
    QTest::keyClicks(box, "1.50");
    EXPECT_EQ(box->text(), "1.50");
    EXPECT_EQ(box->cursorPosition(), 4);
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "1.0");
    EXPECT_EQ(box->cursorPosition(), 2);
    EXPECT_DOUBLE_EQ(dialog.Input().sampleMass.value, 1.0);
    EXPECT_TRUE(Enabled(CElementalAnalysis::kRemainingMassCheck) || dialog.Input().elementRow == -1)
        << "a sample mass allows a remaining-mass entry";
}

TEST_F(ElementalAnalysisTest, ColumnsSortBothWays) {
    AddEntry("O", "H2O", "10", "mg");
    AddEntry("C", "CO2", "20", "mg");
    AddEntry("N", "NO2", "1", "mmol");
    ClickHeading(list, 0);
    EXPECT_EQ(ColumnTexts(list, 0), QStringList({"C", "N", "O"}));
    ClickHeading(list, 0);
    EXPECT_EQ(ColumnTexts(list, 0), QStringList({"O", "N", "C"}));
    ClickHeading(list, 1);
    EXPECT_EQ(ColumnTexts(list, 1), QStringList({"CO2", "H2O", "NO2"}));
    ClickHeading(list, 2);
    EXPECT_EQ(ColumnTexts(list, 2), QStringList({"1.000", "10.00", "20.00"}));
    ClickHeading(list, 2);
    EXPECT_EQ(ColumnTexts(list, 2), QStringList({"20.00", "10.00", "1.000"}));
    ClickHeading(list, 3);
    EXPECT_EQ(ColumnTexts(list, 3), QStringList({"mg", "mg", "mmol"}));
    ClickHeading(list, 3);
    EXPECT_EQ(ColumnTexts(list, 3), QStringList({"mmol", "mg", "mg"}));
    ClickHeading(list, 4);
    EXPECT_EQ(ColumnTexts(list, 0), QStringList({"C", "O", "N"})) << "0.4545 mmol C, 0.5551 mmol O, 1 mmol N";
    test_support::SaveScreenshot(dialog, "elemental_analysis_sorted");

    // Selecting a row after a sort takes the entry of that row.
    SelectEntry(2);
    EXPECT_EQ(Combo(CElementalAnalysis::kElementList)->currentText(), "N");
}

TEST_F(ElementalAnalysisTest, AmountsFromTheSolutionCalculator) {
    Pick(CElementalAnalysis::kElementList, "Cl");
    Type(CElementalAnalysis::kAsBox, "HCl");
    int shown = 0;
    ui::Dialog::SetModalHook([&shown](ui::Dialog& calculator) {
        ++shown;
        EXPECT_EQ(calculator.TemplateId(), CConcentrationCalculator::kTemplateId);
        auto& solution = dynamic_cast<CConcentrationCalculator&>(calculator);
        EXPECT_EQ(solution.m_formula, "HCl");
        EXPECT_EQ(solution.m_standalone, 0);
        EXPECT_TRUE(calculator.GetDlgItem(ui::IDOK)->isEnabled()) << "Use";
        editors_test::TypeInto(calculator.Control<QLineEdit>(CConcentrationCalculator::kVolumeBox), "25.0");
        editors_test::TypeInto(calculator.Control<QLineEdit>(CConcentrationCalculator::kConcentrationBox),
                               "0.100");
        calculator.GetDlgItem(CConcentrationCalculator::kMassBox)->setFocus();
        calculator.PressButton(ui::IDOK);
        return calculator.result();
    });
    Press(CElementalAnalysis::kSolutionButton);
    EXPECT_EQ(shown, 1);
    EXPECT_NEAR(dialog.Input().moles, 0.0025, 1e-12);
    EXPECT_NEAR(dialog.Input().amount.value, 0.0025 * 36.46094, 1e-6) << "in g";
    EXPECT_DOUBLE_EQ(dialog.Input().volume.value, 25.0);
    EXPECT_EQ(dialog.Input().volume.digits, 3);
    EXPECT_DOUBLE_EQ(dialog.Input().concentration.value, 0.1);

    // Cancel changes nothing.
    ui::Dialog::SetModalHook([](ui::Dialog& calculator) {
        calculator.PressButton(ui::IDCANCEL);
        return calculator.result();
    });
    Press(CElementalAnalysis::kSolutionButton);
    EXPECT_NEAR(dialog.Input().moles, 0.0025, 1e-12);
}

TEST_F(ElementalAnalysisTest, AmountsFromTheGasCalculator) {
    Pick(CElementalAnalysis::kElementList, "C");
    Pick(CElementalAnalysis::kAmountUnitList, "mmol");
    Type(CElementalAnalysis::kAsBox, "CO2");
    ui::Dialog::SetModalHook([](ui::Dialog& calculator) {
        EXPECT_EQ(calculator.TemplateId(), pVnRTCalc::kTemplateId);
        auto& gas = dynamic_cast<pVnRTCalc&>(calculator);
        EXPECT_EQ(gas.m_formula, "CO2");
        EXPECT_DOUBLE_EQ(gas.m_p, 1.0);
        EXPECT_DOUBLE_EQ(gas.m_T, 0.0);
        // 22.414 L at 0 C and 1 atm is one mole.
        editors_test::TypeInto(calculator.Control<QLineEdit>(pVnRTCalc::kVolumeBox), "0.22414");
        calculator.GetDlgItem(pVnRTCalc::kMassBox)->setFocus();
        calculator.PressButton(ui::IDOK);
        return calculator.result();
    });
    Press(CElementalAnalysis::kGasButton);
    EXPECT_NEAR(dialog.Input().moles, 0.01, 1e-9);
    EXPECT_NEAR(dialog.Input().amount.value, 10.0, 1e-6) << "in mmol";
    EXPECT_NEAR(dialog.Input().volume.value, 0.22414, 1e-12);
    EXPECT_EQ(Box(CElementalAnalysis::kAmountBox)->text(), "10");
}

} // namespace
