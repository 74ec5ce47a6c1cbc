#include "test_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace test_support {

QString UseFreshFolders(const QString& base, const QString& name) {
    const QString home = QDir(base).filePath(name);
    QDir(home).removeRecursively();
    QDir().mkpath(home);
    qputenv("HOME", QFile::encodeName(home));
    for (const char* variable :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "TMPDIR"}) {
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

class PerTestFolders : public ::testing::EmptyTestEventListener {
public:
    explicit PerTestFolders(QString base) : m_base(std::move(base)) {
        UseFreshFolders(m_base, kBetweenTests);
    }

    void OnTestStart(const ::testing::TestInfo&) override { m_folder = UseFreshFolders(m_base, kInTest); }

    void OnTestEnd(const ::testing::TestInfo&) override {
        // Windows closed by the test are deleted while their folders still exist.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        UseFreshFolders(m_base, kBetweenTests);
        QDir(m_folder).removeRecursively();
    }

private:
    static inline const QString kInTest = QStringLiteral("test");
    static inline const QString kBetweenTests = QStringLiteral("between-tests");
    QString m_base;
    QString m_folder;
};

} // namespace

void GiveEachTestItsOwnFolders(const QString& base) {
    ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestFolders(base));
}

} // namespace test_support
