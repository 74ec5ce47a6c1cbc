// The GUI tests share one QApplication, created before any test runs.
#include "platform/ui/numeric_locale.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // ctest lists the tests without the test environment; never look for a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and data folders of this run live in a folder of its own, removed at the end, so that no
    // test touches the real home and tests running side by side do not share files.
    const QString base =
        qEnvironmentVariableIsEmpty("HOME") ? QDir::tempPath() : qEnvironmentVariable("HOME");
    QDir().mkpath(base);
    QTemporaryDir home(QDir(base).filePath(QStringLiteral("run-XXXXXX")));
    if (!home.isValid())
        return 2;
    const QString homePath = home.path();
    qputenv("HOME", homePath.toLocal8Bit());
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = QDir(homePath).filePath(QString::fromLatin1(name).toLower());
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(name, folder.toLocal8Bit());
    }
    QApplication app(argc, argv);
    ui::UseCNumericLocale();
    return RUN_ALL_TESTS();
}
