// The application's commands: which are enabled and checked, the menus of each kind of frame, starting
// reactions from text, the three view commands, the window sizes, digits, help and the dialogs.
#include "app/child_frames.h"
#include "app/dialogs/reaction_string_dialog.h"
#include "app/program_database.h"
#include "app/qelt_view1.h"
#include "app_fixture.h"
#include "model/element_table.h"
#include "model/substance_database.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {

using app_test::AppTest;

QStringList MenuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* action : bar->actions())
        titles << action->text();
    return titles;
}

QMenu* FindMenu(QMenuBar* bar, const QString& title) {
    for (QAction* action : bar->actions()) {
        if (action->text() == title)
            return action->menu();
    }
    return nullptr;
}

QList<int> CommandsOf(QMenu* menu) {
    QList<int> ids;
    for (QAction* action : menu->actions()) {
        const QVariant id = action->property("qelt_command");
        if (id.isValid())
            ids << id.toInt();
    }
    return ids;
}

// Records what the document tells its views.
class ViewProbe : public DocumentView {
public:
    void OnUpdate(DocumentView* sender, std::uintptr_t hint) override { updates.push_back({sender, hint}); }
    std::vector<std::pair<DocumentView*, std::uintptr_t>> updates;
};

// Answers the reaction string dialog with a text (after checking what it was opened with).
std::function<int(ui::Dialog&)> TypeReaction(QString text, QString* shownWith = nullptr) {
    return [text, shownWith](ui::Dialog& dialog) {
        auto* edit = dialog.Control<QLineEdit>(ReactionStringDialog::kTextId);
        if (shownWith != nullptr)
            *shownWith = edit->text();
        edit->setText(text);
        dialog.PressButton(ui::IDOK);
        return dialog.result();
    };
}

TEST_F(AppTest, MenusFollowTheActiveFrame) {
    ASSERT_TRUE(StartQuietly());
    QMenuBar* bar = Frame().menuBar();
    EXPECT_EQ(Frame().MenuResourceId(), 201);
    EXPECT_EQ(MenuTitles(bar), QStringList({"&File", "&Edit", "&View", "&Window", "&Help"}));

    ASSERT_TRUE(Run(115)) << "Alternate UI";
    EXPECT_EQ(Frame().MenuResourceId(), 202);
    ASSERT_TRUE(Run(165)) << "Printout";
    EXPECT_EQ(Frame().MenuResourceId(), 201) << "the printout shows the reaction's menu";

    ActiveReaction()->OnCloseDocument();
    app_test::FlushDeferredDeletes();
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(Frame().MenuResourceId(), 203);
    EXPECT_EQ(MenuTitles(bar), QStringList({"&File", "&View", "&Help"}));
    const QList<int> view = CommandsOf(FindMenu(bar, "&View"));
    EXPECT_EQ(view, QList<int>({59392, 59393, 149, 157, 127}));
    const QList<int> file = CommandsOf(FindMenu(bar, "&File"));
    for (int absent : {57602, 57603, 57604, 57607})
        EXPECT_FALSE(file.contains(absent)) << absent;
    EXPECT_FALSE(Enabled(57602)) << "Close without a document";
    EXPECT_FALSE(Enabled(57607)) << "Print outside the printout";
}

TEST_F(AppTest, CommandsWithTheirDialogsAreEnabled) {
    ASSERT_TRUE(StartQuietly());
    for (int id : {57600, 57601, 57602, 57603, 57604, 57606, 102 * 0 + 103, 106,  108, 200,
                   57664, 2034,  2036,  2080,  2081,  2090,  2091,          2092, 118, 115,
                   165,   57665, 100,   157,   149,   127,   154,           129,  198})
        EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(AppTest, SaveDatabaseIsEnabledOnlyWhileTheDatabaseIsModified) {
    ASSERT_TRUE(StartQuietly());
    EXPECT_FALSE(Enabled(2089));
    ASSERT_EQ(app->GetElementTable().AddElement("Cit", "C6H5O7", "citrate", 189.1, 1), 104);
    EXPECT_TRUE(Enabled(2089));
    EXPECT_TRUE(app->IsDatabaseModified());
}

TEST_F(AppTest, NewFromClipboardIsEnabledOnlyWhileTheClipboardHoldsText) {
    ASSERT_TRUE(StartQuietly());
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(Enabled(102));
    QGuiApplication::clipboard()->setText("2H2 + O2 = 2H2O");
    EXPECT_TRUE(Enabled(102));
    QGuiApplication::clipboard()->clear();
}

TEST_F(AppTest, NewFromStringAsksUntilAcceptedOrCancelled) {
    ASSERT_TRUE(StartQuietly());
    app_test::DialogScript dialogs;
    QString first;
    QString second;
    dialogs.Answer(ReactionStringDialog::kTemplateId, TypeReaction("H2O", &first));
    dialogs.Answer(ReactionStringDialog::kTemplateId, TypeReaction("2H2 + O2 = 2H2O", &second));
    ASSERT_TRUE(Run(103));
    EXPECT_EQ(dialogs.Count(ReactionStringDialog::kTemplateId), 2);
    EXPECT_EQ(first, "") << "New from string starts empty";
    EXPECT_EQ(second, "H2O") << "a refused text comes back";

    ASSERT_EQ(Documents().size(), 2u);
    ReactionDocument* reaction = ActiveReaction();
    ASSERT_NE(reaction, nullptr);
    EXPECT_EQ(reaction->GetTitle(), "Reaction equation2");
    EXPECT_TRUE(reaction->GetDocument().IsModified());
    EXPECT_EQ(reaction->Reaction().GetBalancedCoefficients(), std::vector<int>({2, 1, 2}));
    EXPECT_EQ(Frame().MessageText(), "Reaction balanced OK.");
    EXPECT_FALSE(app->IsNewFromString()) << "the flag lasts one File New";
    auto* view = dynamic_cast<CQELTView1*>(Frame().ActiveChildFrame()->ActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(ui::GetWindowText(view->RowControl(0, reaction_view::kFormulaSlot)), "H2");
    EXPECT_EQ(ui::GetWindowText(view->RowControl(1, reaction_view::kFormulaSlot)), "O2");
    EXPECT_EQ(ui::GetWindowText(view->RowControl(128, reaction_view::kFormulaSlot)), "H2O");

    // Cancel leaves no new document.
    ASSERT_TRUE(Run(103));
    EXPECT_EQ(Documents().size(), 2u);
}

TEST_F(AppTest, NewFromClipboardShowsTheDialogOnlyForTextThatDoesNotParse) {
    ASSERT_TRUE(StartQuietly());
    app_test::DialogScript dialogs;
    QGuiApplication::clipboard()->setText("2H2 + O2 = 2H2O");
    ASSERT_TRUE(Run(102));
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(Documents().size(), 2u);
    EXPECT_EQ(ActiveReaction()->Reaction().GetBalancedCoefficients(), std::vector<int>({2, 1, 2}));
    EXPECT_FALSE(app->IsNewFromClipboard());

    QString shownWith;
    dialogs.Answer(ReactionStringDialog::kTemplateId, TypeReaction("Fe + O2 = Fe2O3", &shownWith));
    QGuiApplication::clipboard()->setText("H2O");
    ASSERT_TRUE(Run(102));
    EXPECT_EQ(shownWith, "H2O");
    ASSERT_EQ(Documents().size(), 3u);
    EXPECT_EQ(ActiveReaction()->Reaction().GetBalancedCoefficients(), std::vector<int>({4, 3, 2}));
    QGuiApplication::clipboard()->clear();
}

TEST_F(AppTest, ReactionsWrittenWithUnicodeAreTakenInTheNotation) {
    ASSERT_TRUE(StartQuietly());
    app_test::DialogScript dialogs;
    // As copied from a web page into New from string.
    dialogs.Answer(ReactionStringDialog::kTemplateId, TypeReaction(QString::fromUtf8("2H₂ + O₂ → 2H₂O")));
    ASSERT_TRUE(Run(103));
    ASSERT_EQ(Documents().size(), 2u);
    EXPECT_EQ(ActiveReaction()->Reaction().GetBalancedCoefficients(), std::vector<int>({2, 1, 2}));
    EXPECT_EQ(ActiveReaction()->Reaction().GetReagent(128)->GetFormula(), "H2O");

    // From the clipboard, a character without an equivalent is named, and the dialog shows the text as it
    // was; OK names it again and keeps the dialog open with the text unchanged.
    app_test::MessageScript messages;
    const QString pasted = QString::fromUtf8("Fe³⁺ + e⁻ ⇌ Fe²⁺ + α");
    QGuiApplication::clipboard()->setText(pasted);
    QString shown;
    QString kept;
    dialogs.Answer(ReactionStringDialog::kTemplateId, [&](ui::Dialog& dialog) {
        auto* edit = dialog.Control<QLineEdit>(ReactionStringDialog::kTextId);
        shown = edit->text();
        dialog.PressButton(ui::IDOK);
        kept = edit->text();
        edit->setText(QString::fromUtf8("Fe³⁺ + e⁻ ⇌ Fe²⁺"));
        dialog.PressButton(ui::IDOK);
        return dialog.result();
    });
    ASSERT_TRUE(Run(102));
    EXPECT_EQ(shown, pasted);
    EXPECT_EQ(kept, pasted);
    const QString named =
        QString::fromUtf8("The character \"α\" (U+03B1) cannot be used here. Please replace it.");
    EXPECT_EQ(messages.texts, QStringList({named, named}));
    ASSERT_EQ(Documents().size(), 3u);
    EXPECT_EQ(ActiveReaction()->Reaction().GetReagent(0)->GetFormula(), "Fe^{3+}");
    EXPECT_EQ(ActiveReaction()->Reaction().GetBalancedCoefficients(), std::vector<int>({1, 1, 1}));
    QGuiApplication::clipboard()->clear();
}

TEST_F(AppTest, ViewCommandsOpenOrActivateTheFramesOfTheReaction) {
    ASSERT_TRUE(StartQuietly());
    ReactionDocument* reaction = ActiveReaction();
    ASSERT_NE(reaction, nullptr);
    auto* first = qobject_cast<CChildFrame*>(Frame().ActiveChildFrame());
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->IsResizable()) << "reaction frames have no sizing border";
    EXPECT_EQ(first->minimumSize(), first->maximumSize());
    EXPECT_EQ(first->windowTitle(), "Reaction equation1");

    ASSERT_TRUE(Run(115));
    auto* alternate = qobject_cast<CChildFrame*>(Frame().ActiveChildFrame());
    ASSERT_NE(alternate, nullptr);
    EXPECT_NE(alternate, first);
    EXPECT_EQ(alternate->Kind(), ModelHost::ViewKind::AlternateForm);
    EXPECT_EQ(first->windowTitle(), "Reaction equation1:1");
    EXPECT_EQ(alternate->windowTitle(), "Reaction equation1:2");
    EXPECT_EQ(Frame().windowTitle(), "QELT - Reaction equation1:2");

    // The default frame exists: Ctrl+1 only brings it forward.
    ASSERT_TRUE(Run(118));
    EXPECT_EQ(Frame().ActiveChildFrame(), first);
    EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 2);

    ASSERT_TRUE(Run(165));
    auto* printout = qobject_cast<CChildFrame2*>(Frame().ActiveChildFrame());
    ASSERT_NE(printout, nullptr);
    EXPECT_TRUE(printout->IsResizable());
    EXPECT_EQ(printout->windowTitle(), "Reaction equation1 - printout");
    EXPECT_EQ(reaction->Reaction().GetViewFrame(ModelHost::ViewKind::Printout), printout);
    ASSERT_TRUE(Run(165));
    EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 3) << "a second Printout only activates";

    // With the default frame closed (not the last one: no question), Ctrl+1 opens a new one.
    first->close();
    app_test::FlushDeferredDeletes();
    EXPECT_EQ(reaction->Reaction().GetViewFrame(ModelHost::ViewKind::DefaultForm), nullptr);
    EXPECT_EQ(alternate->windowTitle(), "Reaction equation1") << "the one numbered frame left";
    Frame().MdiArea()->setActiveSubWindow(alternate);
    ASSERT_TRUE(Run(118));
    auto* reopened = qobject_cast<CChildFrame*>(Frame().ActiveChildFrame());
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->Kind(), ModelHost::ViewKind::DefaultForm);
    EXPECT_EQ(reaction->Reaction().GetViewFrame(ModelHost::ViewKind::DefaultForm), reopened);
    EXPECT_EQ(Documents().size(), 1u);
}

TEST_F(AppTest, WindowSizeCommandsSetTheMainWindowAndSayWhatTheyDid) {
    ASSERT_TRUE(StartQuietly());
    Frame().SetOuterSize({1000, 700});
    ASSERT_EQ(Frame().OuterSize(), WindowSize({1000, 700}));

    ASSERT_TRUE(Run(2092));
    EXPECT_EQ(Frame().OuterSize(), WindowSize({1280, 720}));
    EXPECT_EQ(Frame().MessageText(), "1280/720 - 704/720, 1280");

    Frame().SetOuterSize({1920, 1000});
    ASSERT_TRUE(Run(2092));
    EXPECT_EQ(Frame().OuterSize(), WindowSize({720, 576}));
    EXPECT_EQ(Frame().MessageText(), "720/576 - 704/720, 1280");

    Frame().SetOuterSize({1000, 700});
    ASSERT_TRUE(Run(2091));
    EXPECT_EQ(Frame().OuterSize(), WindowSize({976, 700}));
    EXPECT_EQ(Frame().MessageText(), "976/700 - 704/720, 1280");

    Frame().SetOuterSize({1000, 700});
    ASSERT_TRUE(Run(2090));
    EXPECT_EQ(Frame().OuterSize(), WindowSize({1008, 700}));
    EXPECT_EQ(Frame().MessageText(), "1008/700 - 704/720, 1280");
}

TEST_F(AppTest, DigitsRedrawEveryViewOfEveryDocument) {
    ASSERT_TRUE(StartQuietly());
    ASSERT_TRUE(Run(57600));
    ViewProbe first;
    ViewProbe second;
    Documents()[0]->GetDocument().AddView(&first);
    Documents()[1]->GetDocument().AddView(&second);
    ASSERT_TRUE(Run(2034));
    EXPECT_EQ(app->GetDisplayDigits(), 6);
    const std::vector<std::pair<DocumentView*, std::uintptr_t>> redraw = {{nullptr, 0}};
    EXPECT_EQ(first.updates, redraw);
    EXPECT_EQ(second.updates, redraw);
    ASSERT_TRUE(Run(2036));
    EXPECT_EQ(app->GetDisplayDigits(), 4);
    EXPECT_EQ(Frame().QueryCommandState(2036).check, 1);
    Documents()[0]->GetDocument().RemoveView(&first);
    Documents()[1]->GetDocument().RemoveView(&second);
}

TEST_F(AppTest, UsedCompositionAndRefreshReachEveryReaction) {
    ASSERT_TRUE(StartQuietly());
    CQELTDoc& doc = ActiveReaction()->Reaction();
    ASSERT_TRUE(doc.SetFromString("Xy + O2 = XyO2"));
    EXPECT_EQ(doc.GetComposition(0), CompositionVector(105)) << "Xy is no element yet";

    const CompositionVector substances = app->GetSubstanceDatabase().GetTotalComposition();
    const CompositionVector used = app->GetUsedComposition();
    EXPECT_EQ(used[8], substances[8] + 2) << "oxygen of O2 only: XyO2 does not parse yet";

    // A new moiety: every reaction reads its formulas again.
    const int xy = app->GetElementTable().AddElement("Xy", "", "test moiety", 50.0, 1);
    ASSERT_EQ(xy, 104);
    app->RefreshAllDocuments();
    EXPECT_EQ(doc.GetComposition(0)[xy], 1);
    EXPECT_EQ(doc.GetComposition(CQELTDoc::kFirstProductRow)[xy], 1);
    EXPECT_EQ(app->GetUsedComposition()[xy], 2);
    EXPECT_EQ(app->GetUsedComposition()[8], substances[8] + 4) << "O2 and XyO2, without coefficients";
}

TEST_F(AppTest, HelpTutorialTipAboutAndTheProgramFileDialogs) {
    ASSERT_TRUE(StartQuietly());
    ASSERT_TRUE(Run(108));
    ui::HelpWindow* help = app_test::OpenHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->CurrentPage().toString().endsWith("html/list_of_examples.htm"));
    // F1 opens the page of the active view: the default form view, then the printout.
    ASSERT_TRUE(Run(57670));
    EXPECT_TRUE(help->CurrentPage().toString().endsWith("html/default_ui.htm"));
    ASSERT_TRUE(Run(165));
    ASSERT_TRUE(Run(57670));
    EXPECT_TRUE(help->CurrentPage().toString().endsWith("html/printout.htm"));

    app_test::DialogScript dialogs;
    ASSERT_TRUE(Run(200));
    ASSERT_TRUE(Run(57664));
    ASSERT_TRUE(Run(106));
    ASSERT_TRUE(Run(2080));
    EXPECT_EQ(dialogs.shown, std::vector<int>({2001, 2038, 188, 2079}));
}

TEST_F(AppTest, MainWindowScreenshot) {
    ASSERT_TRUE(StartQuietly());
    app_test::DialogScript dialogs;
    dialogs.Answer(ReactionStringDialog::kTemplateId, TypeReaction("CuSO4\u00B75H2O = CuSO4 + H2O"));
    ASSERT_TRUE(Run(103));
    Frame().SetOuterSize({1000, 700});
    Frame().UpdateToolBarState();
    const QString path = test_support::SaveScreenshot(Frame(), "main_window");
    EXPECT_TRUE(QFile::exists(path));
}

} // namespace
