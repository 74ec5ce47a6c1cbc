// Where new document windows open: in a cascade from the top-left corner of what the document area shows,
// every kind of window alike.
#include "app/dialogs/reaction_string_dialog.h"
#include "app/qelt_command_ids.h"
#include "app_fixture.h"
#include "platform/ui/command_ids.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QScrollBar>

namespace {

using app_test::AppTest;

// The height of a window's title bar: where its contents begin.
int TitleBarHeight(const QMdiSubWindow& window) {
    return window.widget()->mapTo(&window, QPoint(0, 0)).y();
}

TEST_F(AppTest, NewWindowsCascadeInsideWhatTheAreaShowsAndWrapToItsCorner) {
    ASSERT_TRUE(StartQuietly());
    Frame().showNormal();
    Frame().resize(1600, 1000);
    QApplication::processEvents();
    QMdiArea& area = *Frame().MdiArea();
    ASSERT_EQ(Frame().ChildFrames().size(), 1) << "the start opens a new reaction";

    QMdiSubWindow* previous = nullptr;
    int wraps = 0;
    qsizetype opened = 0;
    // Each new window one title bar below and right of the one before, or back at the corner when it would
    // not be wholly shown there.
    const auto checkPlaced = [&](const char* what) {
        const QList<ui::ChildFrame*> frames = Frame().ChildFrames();
        ASSERT_EQ(frames.size(), ++opened) << what;
        QMdiSubWindow* window = frames.back();
        const QRect shown = area.viewport()->rect();
        const bool fits = window->width() <= shown.width() && window->height() <= shown.height();
        EXPECT_TRUE(!fits || shown.contains(window->geometry())) << what << ": not wholly shown";
        if (previous != nullptr) {
            const int step = TitleBarHeight(*previous);
            const QPoint next = previous->pos() + QPoint(step, step);
            if (shown.contains(QRect(next, window->size()))) {
                EXPECT_EQ(window->pos(), next) << what;
            } else {
                EXPECT_EQ(window->pos(), shown.topLeft()) << what;
                ++wraps;
            }
        } else {
            EXPECT_EQ(window->pos(), shown.topLeft()) << what;
        }
        previous = window;
    };
    checkPlaced("the first reaction");
    for (int i = 1; i < 8; ++i) {
        ASSERT_TRUE(Run(ui::cmd::FileNew));
        QApplication::processEvents();
        checkPlaced("a new reaction");
    }
    EXPECT_FALSE(area.horizontalScrollBar()->isVisible() || area.verticalScrollBar()->isVisible())
        << "nothing reaches past the area";

    // The other kinds of window go the same way.
    ASSERT_TRUE(Run(qelt_cmd::AlternateUI));
    QApplication::processEvents();
    checkPlaced("the alternate view");
    ASSERT_TRUE(Run(qelt_cmd::Printout));
    QApplication::processEvents();
    checkPlaced("the printout");

    // A reaction too wide for the next place starts again at the corner.
    app_test::DialogScript dialogs;
    dialogs.Answer(ReactionStringDialog::kTemplateId, [](ui::Dialog& dialog) {
        dialog.Control<QLineEdit>(ReactionStringDialog::kTextId)
            ->setText(QStringLiteral("C2H6 + C3H8 + C4H10 + C5H12 + C6H14 + C7H16 + O2 = CO2 + H2O"));
        dialog.PressButton(ui::IDOK);
        return dialog.result();
    });
    const int wrapsBefore = wraps;
    ASSERT_TRUE(Run(qelt_cmd::NewFromString));
    QApplication::processEvents();
    checkPlaced("a wide reaction");
    EXPECT_EQ(wraps, wrapsBefore + 1);
    test_support::SaveScreenshot(Frame(), "new_windows_cascade");
}

} // namespace
