// The main road in the whole program: New from string, the reaction balanced in the default view, an amount
// typed, Ctrl+2 for the alternate view of the same reaction, both following every edit, and the question
// to save on closing; saving takes what the boxes show and keeps every amount as it was given.
#include "app/dialogs/concentration_calculator.h"
#include "app/dialogs/ideal_gas_calculator.h"
#include "app/qelt_command_ids.h"
#include "app/qelt_view1.h"
#include "app/qelt_view2.h"
#include "app_fixture.h"
#include "calculator_test_support.h"
#include "platform/ui/clipboard.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

namespace {

using namespace app_test;
using namespace reaction_view;

QLineEdit* Edit(CQELTView& view, int row, int slot) {
    return qobject_cast<QLineEdit*>(view.RowControl(row, slot));
}

QString Text(CQELTView& view, int row, int slot) {
    return ui::GetWindowText(view.RowControl(row, slot));
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class ReactionProgram : public AppTest {
protected:
    // The reaction's view in the active frame.
    template <class View> View* ActiveView() {
        ui::ChildFrame* frame = Frame().ActiveChildFrame();
        return frame != nullptr ? dynamic_cast<View*>(frame->ActiveView()) : nullptr;
    }

    void NewFromString(const QString& reaction) {
        DialogScript dialogs;
        dialogs.Answer(187, [reaction](ui::Dialog& dialog) {
            dialog.SetDlgItemText(158, reaction);
            dialog.PressButton(ui::IDOK);
            return dialog.result();
        });
        ASSERT_TRUE(Run(qelt_cmd::NewFromString));
        EXPECT_EQ(dialogs.Count(187), 1);
    }

    // A new propane combustion shown in the default view, its main window active; null where a step failed.
    CQELTView1* NewActivePropaneCombustion() {
        NewFromString(QStringLiteral("C3H8 + O2 = CO2 + H2O"));
        auto* view1 = ActiveView<CQELTView1>();
        Frame().activateWindow();
        if (view1 == nullptr || ActiveReaction() == nullptr || !QTest::qWaitForWindowActive(&Frame()))
            return nullptr;
        return view1;
    }
};

TEST_F(ReactionProgram, NewFromStringTypeAnAmountAndFollowInBothViews) {
    ASSERT_TRUE(StartQuietly());
    const std::size_t open = Documents().size();
    NewFromString(QStringLiteral("H2 + O2 = H2O"));
    ASSERT_EQ(Documents().size(), open + 1);
    auto* view1 = ActiveView<CQELTView1>();
    ASSERT_NE(view1, nullptr);
    EXPECT_EQ(Text(*view1, 0, kFormulaSlot), "H2");
    EXPECT_EQ(Text(*view1, 128, kFormulaSlot), "H2O");
    EXPECT_EQ(ActiveReaction()->Reaction().GetBalancedCoefficients(), (std::vector<int>{2, 1, 2}));
    EXPECT_EQ(Frame().ActiveChildFrame()->HelpContext(), kDefaultViewHelpContext);
    // The frame holds the whole form.
    EXPECT_EQ(Frame().ActiveChildFrame()->ClientSize(), view1->sizeHint());

    Retype(Edit(*view1, 0, kMassSlot), "4");
    EXPECT_EQ(Text(*view1, 0, kMolesSlot), "1.984");
    EXPECT_EQ(Text(*view1, 128, kComputedMassSlot), "35.75 g");

    // Ctrl+2: the alternate view of the same reaction.
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    QTest::keyClick(Edit(*view1, 1, kMassSlot), Qt::Key_2, Qt::ControlModifier);
    auto* view2 = ActiveView<CQELTView2>();
    ASSERT_NE(view2, nullptr);
    EXPECT_EQ(Documents().size(), open + 1);
    EXPECT_EQ(Text(*view2, 0, kMassSlot), "4");
    EXPECT_EQ(Text(*view2, 128, kCoefficientSlot), "2");
    Retype(Edit(*view2, 1, kMassSlot), "16");
    EXPECT_EQ(Text(*view1, 1, kMolesSlot), "0.5000");
    EXPECT_EQ(ui::GetWindowText(view1->RowControl(0, kComputedMassSlot)), "2.016 g");
    EXPECT_EQ(Edit(*view1, 0, kMassSlot)->palette().color(QPalette::Active, QPalette::Text),
              QColor(255, 0, 0));

    QApplication::processEvents();
    test_support::SaveScreenshot(Frame(), QStringLiteral("reaction_views_in_program"));

    // Ctrl+1 goes back to the default view's frame, which has kept up.
    QTest::keyClick(Edit(*view2, 1, kMassSlot), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(ActiveView<CQELTView1>(), view1);
    EXPECT_EQ(Documents().size(), open + 1);

    // Add product and Ctrl+Q (add reactant) add their rows in both views.
    ASSERT_TRUE(Run(kAddProductButton));
    QTest::keyClick(Edit(*view1, 1, kMassSlot), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(view1->ProductRowCount(), 2);
    EXPECT_EQ(view2->ProductRowCount(), 2);
    EXPECT_EQ(view2->ReactantRowCount(), 3);
    EXPECT_TRUE(view1->RowControl(2, kFormulaSlot)->hasFocus());

    // Ctrl+W (add product) belongs to the accelerator table, not to the frame's window menu.
    QTest::keyClick(Edit(*view1, 1, kMassSlot), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(view1->ProductRowCount(), 3);
    EXPECT_EQ(view2->ProductRowCount(), 3);
}

TEST_F(ReactionProgram, TypedManualCoefficientsAreOfferedForSaving) {
    ASSERT_TRUE(StartQuietly());
    NewFromString(QStringLiteral("2H2 + O2 = 2H2O"));
    ReactionDocument* reaction = ActiveReaction();
    ASSERT_NE(reaction, nullptr);
    auto* view1 = ActiveView<CQELTView1>();
    QTest::mouseClick(qobject_cast<QAbstractButton*>(view1->GetDlgItem(kManualCoefficientsCheck)),
                      Qt::LeftButton);
    auto* view2 = ActiveView<CQELTView2>();
    ASSERT_NE(view2, nullptr);
    reaction->GetDocument().SetModifiedFlag(false);
    Retype(Edit(*view2, 1, kCoefficientSlot), "3");
    EXPECT_TRUE(reaction->GetDocument().IsModified());

    // Closing the reaction asks to save the coefficients.
    MessageScript answers({ui::IDNO});
    const std::size_t open = Documents().size();
    EXPECT_TRUE(reaction->RouteCommand(ui::cmd::FileClose));
    FlushDeferredDeletes();
    ASSERT_EQ(answers.texts.size(), 1);
    EXPECT_TRUE(answers.texts[0].startsWith(QStringLiteral("Save changes to")))
        << answers.texts[0].toStdString();
    EXPECT_EQ(Documents().size(), open - 1);
}

// What a user's click on the menu bar does to the box with the caret: the File menu opens over it (the box
// hears of the focus going to the menu but keeps it) and closes again.
void OpenAndCloseTheFileMenu(QWidget& frame) {
    QWidget* caret = QApplication::focusWidget();
    auto* bar = frame.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QMenu* file = bar->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    file->popup(frame.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitFor([file] { return QApplication::activePopupWidget() == file; }));
    QTest::keyClick(file, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
    if (caret != nullptr) {
        ASSERT_TRUE(QTest::qWaitFor([caret] { return caret->hasFocus(); })) << "the caret is back in its box";
    }
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(ReactionProgram, CommandsThatReadTheReactionTakeWhatTheBoxesShowFirst) {
    ASSERT_TRUE(StartQuietly());
    const std::size_t open = Documents().size();
    CQELTView1* view1 = NewActivePropaneCombustion();
    ASSERT_NE(view1, nullptr);
    ReactionDocument* reaction = ActiveReaction();
    QLineEdit* mass = Edit(*view1, 0, kMassSlot);

    // A box that holds no number: every command that reads the reaction stops at it, says so and leaves the
    // focus on it.
    {
        MessageScript answers;
        Retype(mass, "1-");
        ui::PutOnClipboard("untouched", ui::ClipboardFormat::Text, false);
        FileDialogScript files;
        for (const int command : {ui::cmd::FileSave, ui::cmd::FileSaveAs, ui::cmd::FileClose,
                                  qelt_cmd::CopyText, qelt_cmd::CopyHtml, qelt_cmd::CopyLatex,
                                  qelt_cmd::CopyUbbc, qelt_cmd::BalanceWithH, qelt_cmd::BalanceWithOH}) {
            SCOPED_TRACE(command);
            answers.texts.clear();
            mass->setFocus(Qt::MouseFocusReason);
            ASSERT_TRUE(Run(command));
            EXPECT_EQ(answers.texts, QStringList{"Enter a number."});
            EXPECT_TRUE(mass->hasFocus());
        }
        EXPECT_TRUE(files.requests.empty());
        EXPECT_EQ(ui::ClipboardText(), "untouched");
        EXPECT_EQ(Documents().size(), open + 1);
    }

    // Ctrl+S with the caret still in the box: the file holds what the box shows.
    Retype(mass, "10.0");
    const std::filesystem::path file = TempFolder() / "sf_f.equ";
    {
        FileDialogScript files;
        files.paths.push_back(file);
        QTest::keyClick(mass, Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(files.requests.size(), 1u);
    }
    EXPECT_FALSE(reaction->GetDocument().IsModified());
    CQELTDoc saved;
    saved.LoadFromBytes(FileBytes(file));
    ASSERT_NE(saved.GetReagent(0), nullptr);
    EXPECT_EQ(saved.GetReagent(0)->enteredMass.value, 10.0);
    EXPECT_EQ(saved.GetReagent(0)->enteredMass.digits, 3);

    // File > Close: the menu opens over the box, which is left showing what the reaction holds. Nothing to
    // save, so no question (an unexpected message box fails the test).
    ASSERT_TRUE(mass->hasFocus());
    OpenAndCloseTheFileMenu(Frame());
    EXPECT_FALSE(reaction->GetDocument().IsModified());
    ASSERT_TRUE(Run(ui::cmd::FileClose));
    FlushDeferredDeletes();
    EXPECT_EQ(Documents().size(), open);
}

// Every kind of amount a row takes, given as a user gives it in the default view.
struct GivenAmount {
    const char* kind;
    std::function<void(CQELTView1&)> give;
};

int TypeAndUse(ui::Dialog& dialog, const std::vector<std::pair<int, QString>>& boxes) {
    for (const auto& [id, text] : boxes)
        calculator_test::Type(dialog, id, text);
    dialog.PressButton(ui::IDOK);
    return dialog.result();
}

void UseCalculator(CQELTView1& view, int slot, int templateId, std::vector<std::pair<int, QString>> boxes) {
    DialogScript dialogs;
    dialogs.Answer(templateId, [boxes](ui::Dialog& dialog) { return TypeAndUse(dialog, boxes); });
    qobject_cast<QAbstractButton*>(view.RowControl(0, slot))->click();
    EXPECT_EQ(dialogs.Count(templateId), 1);
}

TEST_F(ReactionProgram, SwitchingViewsAndSavingKeepEveryAmountAsGiven) {
    ASSERT_TRUE(StartQuietly());
    using C = CConcentrationCalculator;
    using G = pVnRTCalc;
    const std::vector<GivenAmount> amounts = {
        {"mass", [](CQELTView1& view) { Retype(Edit(view, 0, kMassSlot), "10.0"); }},
        {"moles", [](CQELTView1& view) { Retype(Edit(view, 0, kMolesSlot), "0.250"); }},
        {"solution",
         [](CQELTView1& view) {
             UseCalculator(view, kSolutionInputSlot, C::kTemplateId,
                           {{C::kVolumeBox, "25.0"}, {C::kConcentrationBox, "0.100"}});
         }},
        {"gas",
         [](CQELTView1& view) {
             UseCalculator(
                 view, kGasInputSlot, G::kTemplateId,
                 {{G::kPressureBox, "0.987"}, {G::kTemperatureBox, "25.0"}, {G::kVolumeBox, "5.00"}});
         }},
    };
    const std::size_t open = Documents().size();
    for (const GivenAmount& amount : amounts) {
        SCOPED_TRACE(amount.kind);
        CQELTView1* view1 = NewActivePropaneCombustion();
        ASSERT_NE(view1, nullptr);
        ReactionDocument* reaction = ActiveReaction();
        amount.give(*view1);
        const std::vector<std::uint8_t> given = reaction->GetDocument().SaveToBytes();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));

        // Ctrl+2 from the mass box; the caret in the alternate view's n box; File > Save As.
        QLineEdit* mass = Edit(*view1, 0, kMassSlot);
        mass->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(mass, Qt::Key_2, Qt::ControlModifier);
        auto* view2 = ActiveView<CQELTView2>();
        ASSERT_NE(view2, nullptr);
        QLineEdit* moles = Edit(*view2, 0, kMolesSlot);
        moles->setFocus(Qt::MouseFocusReason);
        OpenAndCloseTheFileMenu(Frame());
        const std::filesystem::path file = TempFolder() / (std::string(amount.kind) + ".equ");
        {
            FileDialogScript files;
            files.paths.push_back(file);
            ASSERT_TRUE(Run(ui::cmd::FileSaveAs));
        }
        EXPECT_EQ(FileBytes(file), given);
        EXPECT_FALSE(reaction->GetDocument().IsModified());

        // Back to the default view, leaving the box with Tab on the way: still nothing to save.
        QTest::keyClick(moles, Qt::Key_Tab);
        ASSERT_TRUE(Edit(*view2, 0, kMassSlot)->hasFocus());
        QTest::keyClick(Edit(*view2, 0, kMassSlot), Qt::Key_1, Qt::ControlModifier);
        ASSERT_EQ(ActiveView<CQELTView1>(), view1);
        OpenAndCloseTheFileMenu(Frame());
        EXPECT_EQ(reaction->GetDocument().SaveToBytes(), given);
        EXPECT_FALSE(reaction->GetDocument().IsModified());
        ASSERT_TRUE(Run(ui::cmd::FileClose));
        FlushDeferredDeletes();
        EXPECT_EQ(Documents().size(), open);
    }
}

} // namespace
