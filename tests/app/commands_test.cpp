// Command routing through view, document, child frame, main frame and application; update handlers for
// enabling and check marks; menus, accelerators and the tool bar from their resources.
#include "platform/ui/application.h"
#include "platform/ui/child_frame.h"
#include "platform/ui/command_ids.h"
#include "platform/ui/main_frame.h"
#include "platform/ui/menu_resource.h"
#include "platform/ui/resource_text.h"
#include "platform/ui/settings.h"
#include "platform/ui/view.h"
#include "ui_test_support.h"

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

QStringList g_log;

class TestApplication : public ui::Application {
public:
    TestApplication() {
        MapCommand(2036, &TestApplication::OnDigits4);
        MapUpdateCommand(2036, &TestApplication::OnUpdateDigits4);
        MapCommand(2034, &TestApplication::OnDigits6);
        MapUpdateCommand(2034, &TestApplication::OnUpdateDigits6);
        MapCommand(102, &TestApplication::OnNewFromClipboard);
        MapUpdateCommand(102, &TestApplication::OnUpdateNewFromClipboard);
        MapCommand(114, &TestApplication::OnAddReactant);
    }
    int digits = 4;
    bool clipboardHasText = false;
    QStringList opened;
    bool OpenDocumentFile(const QString& path) override {
        opened << path;
        return !path.contains("missing");
    }

private:
    void OnDigits4() { digits = 4; }
    void OnDigits6() { digits = 6; }
    void OnUpdateDigits4(ui::CmdUI& cmdUi) { cmdUi.SetCheck(digits == 4); }
    void OnUpdateDigits6(ui::CmdUI& cmdUi) { cmdUi.SetCheck(digits == 6); }
    void OnNewFromClipboard() { g_log << "app new from clipboard"; }
    void OnUpdateNewFromClipboard(ui::CmdUI& cmdUi) { cmdUi.Enable(clipboardHasText); }
    void OnAddReactant() { g_log << "app add reactant"; }
};

// The commands of a document live beside it.
class DocumentCommands : public ui::CommandTarget {
public:
    DocumentCommands() {
        MapCommand(ui::cmd::FileSave, &DocumentCommands::OnSave);
        MapCommand(118, &DocumentCommands::OnDefaultUi);
    }
    void OnSave() { g_log << "document save"; }
    void OnDefaultUi() { g_log << "document default ui"; }
};

ui::DialogTemplate FormTemplate() {
    return ui::ParseDialogTemplate(R"(dialog 183 200 100 ""
font "MS Shell Dlg" 8
edit 0x4100 10 10 80 12 ""
button 114 10 30 70 14 "add reactant >>"
button 120 90 30 70 14 "Clear amounts"
)",
                                   "form.dlg");
}

class TestView : public ui::FormView {
public:
    TestView() : ui::FormView(FormTemplate()) {
        MapCommand(114, &TestView::OnAddReactant);
        MapCommand(57634, &TestView::OnCopy);
        MapUpdateCommand(57634, &TestView::OnUpdateCopy);
        MapNotify(120, ui::BN_CLICKED, &TestView::OnClearAmounts);
    }
    bool hasSelection = false;
    int activations = 0;
    void OnActivateView(bool active) override { activations += active ? 1 : -1; }

private:
    void OnAddReactant() { g_log << "view add reactant"; }
    void OnCopy() { g_log << "view copy"; }
    void OnUpdateCopy(ui::CmdUI& cmdUi) { cmdUi.Enable(hasSelection); }
    void OnClearAmounts() { g_log << "view clear amounts"; }
};

class CommandRouting : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        app = std::make_unique<TestApplication>();
        frame = std::make_unique<ui::MainFrame>(app.get());
        ASSERT_TRUE(frame->LoadFrame(203));
        frame->resize(800, 600);
        frame->show();
    }
    void TearDown() override {
        frame.reset();
        app.reset();
    }
    // Opens a document window with a form view.
    TestView* OpenView(ui::CommandTarget* document, int menu = 201) {
        auto* view = new TestView;
        view->SetDocumentTarget(document);
        auto* child = new ui::ChildFrame(view, menu, false);
        child->SetTitle("Reaction1");
        frame->AddChildFrame(child);
        view->Create();
        view->ResizeParentToFit(false);
        return view;
    }
    QMenu* Popup(const QString& title) {
        for (QAction* action : frame->menuBar()->actions()) {
            if (action->text() == title)
                return action->menu();
        }
        return nullptr;
    }

    std::unique_ptr<TestApplication> app;
    std::unique_ptr<ui::MainFrame> frame;
};

TEST_F(CommandRouting, TheFrameResourcesBuildMenuToolBarAndTitle) {
    EXPECT_EQ(frame->windowTitle(), "QELT");
    EXPECT_EQ(frame->MenuResourceId(), 203);
    QStringList titles;
    for (QAction* action : frame->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&View", "&Help"}));
    ASSERT_NE(frame->MenuAction(ui::cmd::FileNew), nullptr);
    EXPECT_EQ(frame->MenuAction(ui::cmd::FileNew)->text(), "&New\tCtrl+N");
    EXPECT_EQ(frame->MenuAction(ui::cmd::FileNew)->statusTip(), "Create a new document");
    EXPECT_EQ(frame->MenuAction(ui::cmd::FileSave), nullptr);
    EXPECT_EQ(frame->MenuAction(114), nullptr);

    int buttons = 0, separators = 0;
    for (QAction* action : frame->ToolBar()->actions())
        action->isSeparator() ? ++separators : ++buttons;
    EXPECT_EQ(buttons, 17);
    EXPECT_EQ(separators, 3);
    ASSERT_NE(frame->ToolBarAction(157), nullptr);
    EXPECT_EQ(frame->ToolBarAction(157)->toolTip(), "pV=nRT calculator");
    EXPECT_EQ(frame->ToolBarAction(157)->statusTip(), "Start ideal gas calculator");
    // Each button shows its picture from the strips.
    const QIcon icon = frame->ToolBarAction(57600)->icon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(24, 24).size(), QSize(24, 24));
    EXPECT_NE(frame->ToolBarAction(57664)->icon().pixmap(24, 24).toImage(),
              frame->ToolBarAction(108)->icon().pixmap(24, 24).toImage());
}

TEST_F(CommandRouting, EveryMenuAndTableOfTheProgramLoads) {
    for (int id : {201, 202, 203}) {
        SCOPED_TRACE(id);
        EXPECT_NO_THROW(ui::LoadMenu(id));
    }
    EXPECT_EQ(ui::LoadAccelerators(105).entries.size(), 1);
    EXPECT_EQ(ui::LoadAccelerators(2074).entries[0].command, 2004);
    const ui::AcceleratorTable table = ui::LoadAccelerators(203);
    auto commandOf = [&](const QKeySequence& keys) {
        for (const ui::Accelerator& entry : table.entries) {
            if (entry.keys == keys)
                return entry.command;
        }
        return -1;
    };
    EXPECT_EQ(commandOf(QKeySequence(Qt::CTRL | Qt::Key_N)), 57600);
    EXPECT_EQ(commandOf(QKeySequence(Qt::SHIFT | Qt::Key_Delete)), 57635);
    EXPECT_EQ(commandOf(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::ALT | Qt::Key_Equal)), 2090);
    EXPECT_EQ(commandOf(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::ALT | Qt::Key_Minus)), 2091);
    EXPECT_EQ(commandOf(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_H)), 216);
}

TEST_F(CommandRouting, FaultyMenuTablesAreRefusedWithTheirLine) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"menu 1\nitem 5 \"x\"", ":2: item outside a popup"},
        {"menu 1\npopup \"A\"\nitem 5 \"x\"", "popup without end"},
        {"menu 1\nend", ":2: end without popup"},
        {"menu 1\npopup \"A\"\nitem 5 \"x\" bold\nend", ":3: unknown item style \"bold\""},
        {"popup \"A\"", ":1: the first line must be: menu <id>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ui::ParseMenu(c.text, "m.menu");
            ADD_FAILURE() << "accepted";
        } catch (const ui::ResourceError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
    EXPECT_THROW(ui::ParseAccelerators("accelerators 1\nCtrl+Nonsense 5", "a.acc"), ui::ResourceError);
    EXPECT_THROW(ui::ParseAccelerators("accelerators 1\nCtrl+N", "a.acc"), ui::ResourceError);
    EXPECT_THROW(ui::ParseToolBar("toolbar 1 24 24\nbutton 0", "t.tb"), ui::ResourceError);
    EXPECT_THROW(ui::ParseToolBar("toolbar 1 24 24\nstrip", "t.tb"), ui::ResourceError);
    const ui::ToolBarResource bar =
        ui::ParseToolBar("toolbar 1 16 15\nstrip \"a.png\" \"b.png\"\nbutton 5", "t.tb");
    EXPECT_EQ(bar.buttonSize, QSize(16, 15));
    EXPECT_EQ(bar.normalStrip, "a.png");
    EXPECT_EQ(bar.disabledStrip, "b.png");
    EXPECT_TRUE(bar.hotStrip.isEmpty());
    EXPECT_THROW(ui::LoadMenu(4711), ui::ResourceError);
}

TEST_F(CommandRouting, UpdateHandlersEnableAndCheckAndUnhandledCommandsAreDisabled) {
    EXPECT_TRUE(frame->QueryCommandState(2036).enabled);
    EXPECT_TRUE(frame->QueryCommandState(2036).checkSet);
    EXPECT_EQ(frame->QueryCommandState(2036).check, 1);
    EXPECT_EQ(frame->QueryCommandState(2034).check, 0);
    EXPECT_FALSE(frame->QueryCommandState(102).enabled);
    EXPECT_FALSE(frame->QueryCommandState(ui::cmd::FileSave).enabled); // nobody handles it
    EXPECT_TRUE(frame->QueryCommandState(ui::cmd::AppExit).enabled);   // the frame's own

    EXPECT_FALSE(frame->ExecuteCommand(102));
    EXPECT_TRUE(g_log.isEmpty());
    app->clipboardHasText = true;
    EXPECT_TRUE(frame->ExecuteCommand(102));
    EXPECT_EQ(g_log, QStringList{"app new from clipboard"});

    // Before a menu opens, its items take their state from the update handlers.
    EXPECT_TRUE(frame->ExecuteCommand(2034));
    EXPECT_EQ(app->digits, 6);
    QAction* four = frame->MenuAction(2036);
    QAction* six = frame->MenuAction(2034);
    EXPECT_TRUE(four->isChecked()); // as the resource has it, until the menu opens
    emit static_cast<QMenu*>(four->parent())->aboutToShow();
    EXPECT_FALSE(four->isChecked());
    EXPECT_TRUE(six->isChecked());
    QAction* save = frame->MenuAction(ui::cmd::FilePrintSetup);
    emit static_cast<QMenu*>(save->parent())->aboutToShow();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(frame->MenuAction(ui::cmd::RecentFileFirst)->isEnabled());
}

TEST_F(CommandRouting, TheToolBarFollowsTheUpdateHandlersWhenTheProgramFallsIdle) {
    auto document = std::make_unique<DocumentCommands>();
    TestView* view = OpenView(document.get());
    QAction* defaultUi = frame->ToolBarAction(118);
    QAction* about = frame->ToolBarAction(57664);
    ASSERT_TRUE(test_support::RunEventsUntil([&] { return !about->isEnabled(); })); // nobody handles it
    EXPECT_TRUE(defaultUi->isEnabled());                                            // the document does
    frame->ActiveChildFrame()->close();
    EXPECT_TRUE(test_support::RunEventsUntil([&] { return !defaultUi->isEnabled(); }));
    (void)view;
}

TEST_F(CommandRouting, CommandsGoToTheViewThenTheDocumentThenFrameAndApplication) {
    auto document = std::make_unique<DocumentCommands>();
    TestView* view = OpenView(document.get());
    EXPECT_EQ(frame->MenuResourceId(), 201);
    EXPECT_EQ(frame->windowTitle(), "QELT - Reaction1");
    EXPECT_FALSE(frame->ActiveChildFrame()->windowIcon().isNull());
    EXPECT_FALSE(frame->windowIcon().isNull());
    EXPECT_EQ(view->activations, 1);

    EXPECT_TRUE(frame->ExecuteCommand(114)); // the view's, not the application's
    EXPECT_TRUE(frame->ExecuteCommand(ui::cmd::FileSave));
    EXPECT_TRUE(frame->ExecuteCommand(2036));
    EXPECT_EQ(g_log, (QStringList{"view add reactant", "document save"}));
    EXPECT_EQ(app->digits, 4);

    EXPECT_FALSE(frame->QueryCommandState(ui::cmd::EditCopy).enabled);
    view->hasSelection = true;
    EXPECT_TRUE(frame->QueryCommandState(ui::cmd::EditCopy).enabled);

    // A push button of the form is the command of its id; a mapped click handler comes first.
    g_log.clear();
    view->Control<QPushButton>(114)->click();
    view->Control<QPushButton>(120)->click();
    EXPECT_EQ(g_log, (QStringList{"view add reactant", "view clear amounts"}));

    // Without a document window the application's handler gets the command.
    g_log.clear();
    frame->ActiveChildFrame()->close();
    EXPECT_EQ(frame->MenuResourceId(), 203);
    EXPECT_EQ(frame->windowTitle(), "QELT");
    EXPECT_TRUE(frame->ExecuteCommand(114));
    EXPECT_FALSE(frame->ExecuteCommand(ui::cmd::FileSave));
    EXPECT_EQ(g_log, QStringList{"app add reactant"});
}

TEST_F(CommandRouting, AcceleratorsRunEnabledCommandsOnly) {
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_6, Qt::ControlModifier);
    EXPECT_EQ(app->digits, 6);
    QTest::keyClick(frame.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(g_log.isEmpty()); // New from clipboard is disabled
    app->clipboardHasText = true;
    QTest::keyClick(frame.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(g_log, QStringList{"app new from clipboard"});
}

TEST_F(CommandRouting, StatusTextStaysUntilAPromptReplacesItThenReadyReturns) {
    EXPECT_EQ(frame->MessageText(), "Ready");
    frame->SetMessageText("Reaction balanced OK.");
    EXPECT_EQ(frame->MessageText(), "Reaction balanced OK.");
    QStatusTipEvent prompt("Create a new document");
    QCoreApplication::sendEvent(frame.get(), &prompt);
    EXPECT_EQ(frame->MessageText(), "Create a new document");
    QStatusTipEvent none("");
    QCoreApplication::sendEvent(frame.get(), &none);
    EXPECT_EQ(frame->MessageText(), "Ready");
}

TEST_F(CommandRouting, FrameCommandsToggleBarsWithCheckMarks) {
    EXPECT_EQ(frame->QueryCommandState(ui::cmd::ViewToolBar).check, 1);
    EXPECT_TRUE(frame->ExecuteCommand(ui::cmd::ViewToolBar));
    EXPECT_FALSE(frame->ToolBar()->isVisible());
    EXPECT_EQ(frame->QueryCommandState(ui::cmd::ViewToolBar).check, 0);
    EXPECT_TRUE(frame->ExecuteCommand(ui::cmd::ViewStatusBar));
    EXPECT_FALSE(frame->statusBar()->isVisible());
    EXPECT_EQ(frame->QueryCommandState(ui::cmd::ViewStatusBar).check, 0);
}

TEST_F(CommandRouting, TheWindowLayoutIsKeptInTheSettingsWhenTheFrameCloses) {
    frame->resize(640, 480);
    frame->ExecuteCommand(ui::cmd::ViewToolBar); // hidden
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(ui::GetProfileString("Workspace", "Geometry").isEmpty());

    ui::MainFrame again(app.get());
    ASSERT_TRUE(again.LoadFrame(203));
    EXPECT_TRUE(again.RestoreLayout());
    again.show();
    EXPECT_EQ(again.size(), QSize(640, 480));
    EXPECT_FALSE(again.ToolBar()->isVisible());
}

TEST_F(CommandRouting, RecentFilesOpenFromTheMenuAndMissingOnesLeaveIt) {
    app->RecentFiles().Add("/tmp/missing.equ");
    app->RecentFiles().Add("/tmp/water.equ");
    QMenu* file = Popup("&File");
    ASSERT_NE(file, nullptr);
    emit file->aboutToShow();
    QStringList texts;
    for (QAction* action : file->actions()) {
        if (action->isVisible() && !action->isSeparator())
            texts << action->text();
    }
    EXPECT_TRUE(texts.contains("&1 water.equ"));
    EXPECT_TRUE(texts.contains("&2 missing.equ"));
    EXPECT_FALSE(texts.contains("Recent File"));
    EXPECT_TRUE(frame->ExecuteCommand(ui::cmd::RecentFileFirst + 1));
    EXPECT_EQ(app->opened, QStringList{"/tmp/missing.equ"});
    EXPECT_EQ(app->RecentFiles().Files(), QStringList{"/tmp/water.equ"});
}

TEST_F(CommandRouting, TheWindowMenuGivesAccessKeysToTheFirstNineWindows) {
    for (int i = 0; i < 10; ++i)
        OpenView(nullptr);
    frame->ChildFrames().front()->SetTitle("Salt & pepper");
    frame->ChildFrames().back()->SetTitle("Reaction equation7 - printout");
    QMenu* window = Popup("&Window");
    ASSERT_NE(window, nullptr);
    emit window->aboutToShow();
    QStringList texts;
    for (QAction* action : window->actions()) {
        if (action->text().contains("Reaction") || action->text().contains("Salt"))
            texts << action->text();
    }
    ASSERT_EQ(texts.size(), 10);
    EXPECT_EQ(texts.front(), "&1 Salt && pepper");
    EXPECT_EQ(texts[8], "&9 Reaction1");
    EXPECT_EQ(texts.back(), "10 Reaction equation7 - printout");
}

TEST_F(CommandRouting, ADocumentBringsItsFrameToTheFront) {
    auto document = std::make_unique<DocumentCommands>();
    OpenView(document.get());
    ui::ChildFrame* first = frame->ActiveChildFrame();
    OpenView(document.get(), 202);
    ui::ChildFrame* second = frame->ActiveChildFrame();
    ASSERT_NE(first, second);
    EXPECT_EQ(frame->MenuResourceId(), 202);
    DocumentFrame* asDocumentFrame = first;
    asDocumentFrame->Activate();
    EXPECT_EQ(frame->ActiveChildFrame(), first);
    EXPECT_EQ(frame->MenuResourceId(), 201);
    EXPECT_EQ(frame->ChildFrames().size(), 2);
}

TEST_F(CommandRouting, DroppedFilesAreOpenedAndRemembered) {
    frame->DragAcceptFiles();
    EXPECT_TRUE(frame->acceptDrops());
    frame->OpenDroppedFiles({QUrl::fromLocalFile("/tmp/dropped.equ"), QUrl("https://example.org/x.equ"),
                             QUrl::fromLocalFile("/tmp/missing.equ")});
    EXPECT_EQ(app->opened, (QStringList{"/tmp/dropped.equ", "/tmp/missing.equ"}));
    EXPECT_EQ(app->RecentFiles().Files(), QStringList{"/tmp/dropped.equ"});
}

TEST_F(CommandRouting, FormFramesFitTheirFormAndGrowOnlyWhenAsked) {
    auto document = std::make_unique<DocumentCommands>();
    TestView* view = OpenView(document.get());
    ui::ChildFrame* child = frame->ActiveChildFrame();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->ClientSize(), view->FormSize());
    EXPECT_FALSE(child->IsResizable());
    EXPECT_EQ(child->minimumSize(), child->maximumSize());
    const QSize before = child->size();
    child->GrowBy(40, 0);
    EXPECT_EQ(child->size(), before + QSize(40, 0));
    EXPECT_EQ(child->maximumSize(), child->size());
    test_support::SaveScreenshot(*frame, "main_frame_with_form");
}

} // namespace
