// The GUI tests share one QApplication, created before any test runs.
#include "platform/core/file_io.h"
#include "platform/ui/numeric_locale.h"
#include "test_folders.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // As the program does at start.
    KeepRunningPastFileSizeLimit();
    ::testing::InitGoogleTest(&argc, argv);
    // ctest lists the tests without the test environment; never look for a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The folders of this run live in a folder of its own, removed at the end, so that no test touches the
    // real home and runs side by side do not share files; each test gets fresh folders inside it.
    const QString base =
        qEnvironmentVariableIsEmpty("HOME") ? QDir::tempPath() : qEnvironmentVariable("HOME");
    QDir().mkpath(base);
    QTemporaryDir run(QDir(base).filePath(QStringLiteral("run-XXXXXX")));
    if (!run.isValid())
        return 2;
    test_support::GiveEachTestItsOwnFolders(run.path());
    QApplication app(argc, argv);
    ui::UseCNumericLocale();
    return RUN_ALL_TESTS();
}
