// The program on a desktop with a window manager: after a dialog, a file dialog or another window, the
// reaction the user works on is still the active one, with the focus where it was (driven by key events and
// the real dialogs, as a keyboard user does it); a window the window manager restores stays where the user
// left it.
#include "app/qelt_view.h"
#include "app/reaction_view_ids.h"
#include "app_fixture.h"

#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

using app_test::AppTest;
using test_support::RunEventsUntil;

constexpr std::chrono::seconds kLimit(10);

// Runs xdotool with the words given; true when it ran and succeeded.
bool XdoTool(const QStringList& words) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), words);
    return xdotool.waitForFinished(2000) && xdotool.exitStatus() == QProcess::NormalExit &&
           xdotool.exitCode() == 0;
}

// Whether the window manager has made the window its active one (xdotool asks it). Qt may see a window
// active a moment before: a key pressed then may close the window before the manager has looked at it,
// which no user is fast enough to do.
bool ActiveForTheWindowManager(const QWidget& window) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")});
    return xdotool.waitForFinished(2000) && xdotool.exitCode() == 0 &&
           xdotool.readAllStandardOutput().trimmed().toULongLong() == window.winId();
}

// Does what the user does in the next modal window (a dialog or a file dialog) once it is shown and active.
// Modal windows still open after the limit are closed, one a second, so that the test ends.
class NextModal {
public:
    explicit NextModal(std::function<void(QWidget& modal)> act) {
        QObject::connect(&m_poll, &QTimer::timeout, [this, act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isActiveWindow() || !ActiveForTheWindowManager(*modal))
                return;
            m_poll.stop();
            answered = true;
            act(*modal);
        });
        m_poll.start(10);
        QObject::connect(&m_limit, &QTimer::timeout, [this] {
            m_limit.start(std::chrono::seconds(1));
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "a modal window was left open: " << modal->windowTitle().toStdString();
                modal->close();
            }
        });
        m_limit.start(kLimit);
    }
    bool answered = false;

private:
    QTimer m_poll;
    QTimer m_limit;
};

// A key pressed where the focus is (the main window when no control has it).
void Press(QWidget& mainWindow, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &mainWindow, Qt::Key(key), modifiers);
}

class OnTheDesktop : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "runs on an X server with a window manager";
        ASSERT_TRUE(StartQuietly());
        // The real dialogs, answered by key presses.
        ui::Dialog::SetModalHook({});
        ui::SetFileDialogHook({});
        ASSERT_TRUE(RunEventsUntil(
            [&] { return Frame().isActiveWindow() && ActiveForTheWindowManager(Frame()); }, kLimit));
        ASSERT_EQ(Frame().windowTitle(), "QELT - Reaction equation1");
    }

    // File > New from string, "C3H8 + O2 = CO2 + H2O", Enter; a click into the C3H8 mass box and 10.0 typed;
    // Ctrl+2. Leaves the alternate view of the propane reaction active.
    void OpenPropaneInTheAlternateView() {
        NextModal reaction([](QWidget&) {
            QTest::keyClicks(QApplication::focusWidget(), "C3H8 + O2 = CO2 + H2O");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        Press(Frame(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(reaction.answered);
        AwaitMainWindowBack();
        ASSERT_EQ(Frame().windowTitle(), "QELT - Reaction equation2");
        propane = ActiveReaction();
        ASSERT_NE(propane, nullptr);

        auto* view = dynamic_cast<CQELTView*>(Frame().ActiveChildFrame()->ActiveView());
        auto* mass = qobject_cast<QLineEdit*>(view->RowControl(0, reaction_view::kMassSlot));
        ASSERT_NE(mass, nullptr);
        QTest::mouseClick(mass, Qt::LeftButton);
        ASSERT_TRUE(mass->hasFocus());
        mass->selectAll();
        QTest::keyClicks(mass, "10.0");
        ASSERT_EQ(mass->text(), "10.0");

        Press(Frame(), Qt::Key_2, Qt::ControlModifier);
        alternate = Frame().ActiveChildFrame();
        ASSERT_EQ(Frame().windowTitle(), "QELT - Reaction equation2:2");
        // The new view holds the focus (its first row, with an amount, takes no formula).
        EXPECT_TRUE(RunEventsUntil([&] { return HasFocus(alternate); }, kLimit));
    }

    static bool HasFocus(QWidget* frame) {
        QWidget* focus = QApplication::focusWidget();
        return frame != nullptr && focus != nullptr && frame->isAncestorOf(focus);
    }

    // After a modal window: the main window active again, with the focus back in a control.
    void AwaitMainWindowBack() {
        EXPECT_TRUE(RunEventsUntil(
            [&] { return Frame().isActiveWindow() && QApplication::focusWidget() != nullptr; }, kLimit));
    }

    ReactionDocument* propane = nullptr;
    ui::ChildFrame* alternate = nullptr;
};

TEST_F(OnTheDesktop, TheActiveReactionStaysActiveAfterADialog) {
    ASSERT_NO_FATAL_FAILURE(OpenPropaneInTheAlternateView());
    QWidget* focus = QApplication::focusWidget();

    NextModal calculator([](QWidget&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
    Press(Frame(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(calculator.answered) << "the concentration calculator opened";
    AwaitMainWindowBack();

    EXPECT_EQ(Frame().ActiveChildFrame(), alternate);
    EXPECT_EQ(Frame().windowTitle(), "QELT - Reaction equation2:2");
    EXPECT_EQ(QApplication::focusWidget(), focus);
}

TEST_F(OnTheDesktop, TheActiveReactionStaysActiveAfterTheFileDialog) {
    ASSERT_NO_FATAL_FAILURE(OpenPropaneInTheAlternateView());
    QWidget* focus = QApplication::focusWidget();
    const std::filesystem::path folder = TempFolder();

    // File > Save As twice: both name the propane reaction; the empty one keeps its name.
    for (const char* name : {"propane.equ", "propane again.equ"}) {
        const QString path = ui::FromPath(folder / name);
        NextModal saveAs([path](QWidget& modal) {
            // The file name box has the focus: the name typed over the one suggested.
            auto* name = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            ASSERT_TRUE(name != nullptr && modal.isAncestorOf(name));
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        ASSERT_TRUE(Run(ui::cmd::FileSaveAs));
        ASSERT_TRUE(saveAs.answered) << name;
        AwaitMainWindowBack();

        EXPECT_EQ(Frame().ActiveChildFrame(), alternate) << name;
        EXPECT_EQ(QApplication::focusWidget(), focus) << name;
        EXPECT_EQ(ui::FromPath(propane->GetDocument().GetPathName()), path);
        EXPECT_TRUE(std::filesystem::exists(folder / name));
    }
    EXPECT_EQ(Documents().front()->GetTitle(), "Reaction equation1");
}

TEST_F(OnTheDesktop, AWindowRestoredFromMinimisedStaysWhereTheUserLeftIt) {
    // Placed by the program (as a stored layout places it), then dragged past the right edge of the screen.
    QWidget& window = Frame();
    const QRect area = window.screen()->availableGeometry();
    window.move(area.topLeft() + QPoint(40, 40));
    const QString id = QString::number(window.winId());
    ASSERT_TRUE(
        XdoTool({"windowmove", id, QString::number(area.right() - 280), QString::number(area.top() + 40)}));
    ASSERT_TRUE(RunEventsUntil([&] { return window.frameGeometry().right() > area.right(); }, kLimit))
        << "the window manager moved the window";
    const QPoint left = window.pos();

    ASSERT_TRUE(XdoTool({"windowminimize", id}));
    ASSERT_TRUE(RunEventsUntil([&] { return window.isMinimized(); }, kLimit));
    ASSERT_TRUE(XdoTool({"windowactivate", id}));
    ASSERT_TRUE(RunEventsUntil(
        [&] { return !window.isMinimized() && window.isActiveWindow() && ActiveForTheWindowManager(window); },
        kLimit));
    EXPECT_EQ(window.pos(), left);

    // Hidden and shown again, as a kept dialog is: the show itself would fit it.
    window.hide();
    window.show();
    EXPECT_EQ(window.pos(), left);
}

TEST_F(OnTheDesktop, TheActiveReactionGetsTheFocusBackWhenTheControlThatHadItIsGone) {
    // Four reactions, the second active, the focus in a control of it.
    ASSERT_TRUE(Run(ui::cmd::FileNew));
    ui::ChildFrame* second = Frame().ActiveChildFrame();
    ASSERT_TRUE(Run(ui::cmd::FileNew));
    ASSERT_TRUE(Run(ui::cmd::FileNew));
    Frame().MdiArea()->setActiveSubWindow(second);
    auto* control = new QLineEdit(second->widget());
    control->show();
    control->setFocus();
    ASSERT_TRUE(RunEventsUntil([&] { return control->hasFocus(); }, kLimit));

    // While the help window is active, the control goes: the main window keeps no control to give the
    // focus back to, and Qt would give it to the first control of the first window, making that one active.
    ui::HelpWindow& help = ui::HelpWindow::Instance();
    help.ShowContents();
    ASSERT_TRUE(
        RunEventsUntil([&] { return help.isActiveWindow() && ActiveForTheWindowManager(help); }, kLimit));
    delete control;
    ASSERT_EQ(Frame().focusWidget(), nullptr);
    ASSERT_TRUE(XdoTool({"windowactivate", QString::number(Frame().winId())}));
    AwaitMainWindowBack();
    EXPECT_EQ(Frame().ActiveChildFrame(), second);
    EXPECT_TRUE(HasFocus(second));
    help.close();
}

} // namespace
