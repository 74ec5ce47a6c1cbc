#pragma once

// Keystrokes for the application benchmarks, sent as the keyboard would send them (press and release), and
// the main that runs those benchmarks.

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <benchmark/benchmark.h>

inline void Key(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
}

// Each iteration types the key into the box and the next takes it back with Backspace, every keystroke
// handled to the end. Returns whether the last iteration typed it (and nothing has taken it back yet).
inline bool TypeAndTakeBack(benchmark::State& state, QWidget* box, int key, const QString& text) {
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            Key(box, Qt::Key_Backspace, {});
        else
            Key(box, key, text);
        typed = !typed;
        QApplication::processEvents();
    }
    return typed;
}

// Runs the benchmarks of the command line in an application on the offscreen platform, unless another is set.
inline int RunApplicationBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
