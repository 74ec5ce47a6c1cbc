// The check of a stored window layout before it is applied.
#include "platform/ui/window_layout.h"
#include "platform/ui/window_on_screen.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

// A window like the program's: one tool bar, no dock widgets.
struct Window {
    Window() {
        toolBar = window.addToolBar(QStringLiteral("Standard"));
        toolBar->setObjectName(QStringLiteral("ToolBar"));
        window.resize(600, 400);
    }
    QMainWindow window;
    QToolBar* toolBar;
};

TEST(WindowLayout, WhatAWindowSavesIsAcceptedAndDamageIsRefused) {
    Window source;
    std::vector<QByteArray> saved = {source.window.saveState()};
    source.window.addToolBar(Qt::LeftToolBarArea, source.toolBar);
    saved.push_back(source.window.saveState());
    source.toolBar->hide();
    saved.push_back(source.window.saveState(7));
    for (const QByteArray& state : saved) {
        EXPECT_TRUE(ui::IsPlausibleWindowState(state, 1)) << state.toHex().toStdString();
        EXPECT_FALSE(ui::IsPlausibleWindowState(state, 0)) << "more tool bars than the window has";
        EXPECT_FALSE(ui::IsPlausibleWindowState(state + char(0), 1)) << "bytes after the end";
        for (int size = 0; size < state.size(); ++size)
            EXPECT_FALSE(ui::IsPlausibleWindowState(state.left(size), 1)) << "cut at " << size;
    }

    // The damage that would have restoreState loop for a long time: a count of tool-bar lines, or of the
    // bars in a line, raised far beyond what the window has. The tool bars' part follows the dock part.
    constexpr int kToolBarPart = 4 + 4 + 1 + 4 + 6 * 4;
    for (const QByteArray& state : saved) {
        ASSERT_EQ(quint8(state[kToolBarPart]), 0xfc);
        for (const int countAt : {kToolBarPart + 1, kToolBarPart + 1 + 4 + 4}) {
            QByteArray damaged = state;
            damaged[countAt] = char(0x7f);
            EXPECT_FALSE(ui::IsPlausibleWindowState(damaged, 1)) << "count at " << countAt;
        }
    }

    // Every one-character change of the stored text is either refused or applied (or turned down by Qt, as
    // a changed version is), applying it ends, and the window keeps its tool bar in one of its areas and
    // stores a layout that is accepted at the next start.
    const QByteArray text = saved[1].toBase64();
    Window target;
    int refused = 0, restored = 0;
    for (int i = 0; i < text.size(); ++i) {
        for (const char replacement : {'A', '/', 'z'}) {
            QByteArray damaged = text;
            damaged[i] = replacement;
            const QByteArray state = QByteArray::fromBase64(damaged);
            if (!ui::IsPlausibleWindowState(state, 1)) {
                ++refused;
                continue;
            }
            restored += target.window.restoreState(state);
            EXPECT_NE(target.window.toolBarArea(target.toolBar), Qt::NoToolBarArea) << i << replacement;
            EXPECT_TRUE(ui::IsPlausibleWindowState(target.window.saveState(), 1)) << i << replacement;
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(restored, 0);
}

TEST(WindowLayout, AFrameIsShrunkToTheAreaAndMovedIntoIt) {
    const QRect area(0, 40, 1280, 680); // a screen with a panel along its top
    const struct {
        QRect frame;
        QRect fitted;
    } cases[] = {
        {{100, 100, 640, 480}, {100, 100, 640, 480}},    // inside: stays
        {{0, 40, 2000, 1440}, {0, 40, 1280, 680}},       // larger: the area
        {{900, 500, 640, 480}, {640, 240, 640, 480}},    // past the right and the bottom: moved in
        {{-300, -20, 640, 1000}, {0, 40, 640, 680}},     // before the left and the top, and too tall
        {{5000, 5000, 100, 100}, {1180, 620, 100, 100}}, // off the screen
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::FitFrameInto(c.frame, area), c.fitted) << c.frame.x() << "," << c.frame.y();
}

} // namespace
