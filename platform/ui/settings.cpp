#include "platform/ui/settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace ui {
namespace {

QSettings Settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(kOrganisation),
                     QString::fromLatin1(kApplication));
}

QString Key(const QString& section, const QString& entry) {
    return section + QLatin1Char('/') + entry;
}

const QString kRecentSection = QStringLiteral("Recent File List");

} // namespace

int GetProfileInt(const QString& section, const QString& entry, int defaultValue) {
    const QVariant value = Settings().value(Key(section, entry));
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : defaultValue;
}

QString GetProfileString(const QString& section, const QString& entry, const QString& defaultValue) {
    const QVariant value = Settings().value(Key(section, entry));
    return value.isValid() ? value.toString() : defaultValue;
}

bool WriteProfileInt(const QString& section, const QString& entry, int value) {
    QSettings settings = Settings();
    settings.setValue(Key(section, entry), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool WriteProfileString(const QString& section, const QString& entry, const QString& value) {
    QSettings settings = Settings();
    settings.setValue(Key(section, entry), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool ProfileSectionHasValues(const QString& section) {
    QSettings settings = Settings();
    settings.beginGroup(section);
    return !settings.childKeys().isEmpty();
}

QString ProfileFilePath() {
    return Settings().fileName();
}

QString UserDataFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("%1/%2").arg(QString::fromLatin1(kOrganisation),
                                              QString::fromLatin1(kApplication)));
}

bool EnsureUserDataFolder() {
    return QDir().mkpath(UserDataFolder());
}

void RecentFileList::Load() {
    m_files.clear();
    QSettings settings = Settings();
    for (int i = 1; i <= m_size; ++i) {
        const QString path = settings.value(Key(kRecentSection, QStringLiteral("File%1").arg(i))).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files << path;
    }
}

void RecentFileList::Save() const {
    QSettings settings = Settings();
    settings.remove(kRecentSection);
    for (int i = 0; i < m_files.size(); ++i)
        settings.setValue(Key(kRecentSection, QStringLiteral("File%1").arg(i + 1)), m_files[i]);
}

void RecentFileList::Add(const QString& path) {
    if (path.isEmpty())
        return;
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > m_size)
        m_files.removeLast();
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < m_files.size())
        m_files.removeAt(index);
}

} // namespace ui
