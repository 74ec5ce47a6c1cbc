#include "test_folders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace test_support {

QString UseFreshFolders(const QString& base, const QString& name) {
    const QString home = QDir(base).filePath(name);
    QDir(home).removeRecursively();
    QDir().mkpath(home);
    qputenv("HOME", QFile::encodeName(home));
    // The system configuration folders too: defaults set on the machine reach no test.
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_RUNTIME_DIR", "TMPDIR"}) {
        const QString folder = QDir(home).filePath(QString::fromLatin1(variable).toLower());
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(variable, QFile::encodeName(folder));
    }
    // Qt reads the configuration folder once per run; it is told of each new one.
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    return home;
}

namespace {

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class PerTestFolders : public ::testing::EmptyTestEventListener {
public:
    explicit PerTestFolders(QString base) : m_base(std::move(base)) {
        UseFreshFolders(m_base, kBetweenTests);
    }

    void OnTestStart(const ::testing::TestInfo&) override {
        m_folder = UseFreshFolders(m_base, kInTest);
        DeleteClosedWindows();
        m_windows = QApplication::topLevelWidgets().size();
    }

    void OnTestEnd(const ::testing::TestInfo&) override {
        // Windows closed by the test are deleted while their folders still exist.
        DeleteClosedWindows();
        // Nor does a test leave a window behind, shown or not: a widget without a parent nobody deleted.
        const QWidgetList windows = QApplication::topLevelWidgets();
        if (windows.size() != m_windows) {
            QStringList names;
            for (const QWidget* window : windows)
                names << QString::fromLatin1(window->metaObject()->className());
            ADD_FAILURE() << "the test leaves " << windows.size() - m_windows
                          << " top-level widget(s) behind; there are now " << names.join(u' ').toStdString();
        }
        UseFreshFolders(m_base, kBetweenTests);
        QDir(m_folder).removeRecursively();
    }

private:
    static inline const QString kInTest = QStringLiteral("test");
    static inline const QString kBetweenTests = QStringLiteral("between-tests");
    QString m_base;
    QString m_folder;
    qsizetype m_windows = 0;
};

} // namespace

void GiveEachTestItsOwnFolders(const QString& base) {
    ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestFolders(base));
}

} // namespace test_support
