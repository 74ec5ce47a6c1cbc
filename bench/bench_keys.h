#pragma once

// Keystrokes for the application benchmarks, sent as the keyboard would send them (press and release), and
// the main that runs those benchmarks.

#include "platform/ui/numeric_locale.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QString>
#include <QTemporaryDir>
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

// Runs the benchmarks of the command line in an application on the offscreen platform, unless another is set,
// with the numbers of the C locale. Never the real home: settings and data folders live in a folder of this
// run.
inline int RunApplicationBenchmarks(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("HOME", home.path().toLocal8Bit());
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = QDir(home.path()).filePath(QString::fromLatin1(name).toLower());
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(name, folder.toLocal8Bit());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::UseCNumericLocale();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
