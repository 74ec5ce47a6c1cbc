// The check of a stored window layout before it is applied.
#include "platform/ui/window_layout.h"

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

TEST(WindowLayout, AWindowMustFitOnAScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(ui::FitsOnScreens(QRect(screen.topLeft(), screen.size() / 2)));
    EXPECT_TRUE(ui::FitsOnScreens(QRect(screen.topLeft(), screen.size())));
    EXPECT_FALSE(ui::FitsOnScreens(QRect(screen.topLeft(), QSize(800, 16777215))));
    EXPECT_FALSE(ui::FitsOnScreens(QRect(screen.bottomRight() + QPoint(50, 50), QSize(100, 100))))
        << "off every screen";
    EXPECT_FALSE(ui::FitsOnScreens(QRect()));
}

} // namespace
