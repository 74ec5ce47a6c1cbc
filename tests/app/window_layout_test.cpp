// The check of a stored window layout before it is applied.
#include "platform/ui/window_layout.h"
#include "support/time_budget.h"

#include <QElapsedTimer>
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

TEST(WindowLayout, WhatAWindowSavesIsAcceptedAndDamageIsRefusedQuickly) {
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

    // Every one-character change of the stored text is either refused or applied in no time.
    const QByteArray text = saved[1].toBase64();
    Window target;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < text.size(); ++i) {
        for (const char replacement : {'A', '/', 'z'}) {
            QByteArray damaged = text;
            damaged[i] = replacement;
            const QByteArray state = QByteArray::fromBase64(damaged);
            if (ui::IsPlausibleWindowState(state, 1))
                target.window.restoreState(state);
        }
    }
    EXPECT_LT(timer.elapsed(), TimeBudget(std::chrono::seconds(1)).count());
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
