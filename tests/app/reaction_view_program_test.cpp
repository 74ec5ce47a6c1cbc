// The main road in the whole program: New from string, the reaction balanced in the default view, an amount
// typed, Ctrl+2 for the alternate view of the same reaction, both following every edit, and the question
// to save on closing.
#include "app/qelt_command_ids.h"
#include "app/qelt_view1.h"
#include "app/qelt_view2.h"
#include "app_fixture.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

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

} // namespace
