#include "platform/ui/settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QVariantMap>
#include <QtGlobal>
#include <optional>
#include <sys/stat.h>

namespace ui {
namespace {

QString Key(const QString& section, const QString& entry) {
    return section + QLatin1Char('/') + entry;
}

const QString kRecentSection = QStringLiteral("Recent File List");

// Values kept for this run only, in place of a settings file that may not be opened: what the program
// stored while the thing with this identity (its change time too, as a new one may reuse the inode)
// stood in the file's place.
struct RunValues {
    QString path;
    dev_t device = 0;
    ino_t inode = 0;
    timespec changed{};
    QVariantMap values;

    bool IsFor(const QString& file, const struct stat& info) const {
        return path == file && device == info.st_dev && inode == info.st_ino &&
               changed.tv_sec == info.st_ctim.tv_sec && changed.tv_nsec == info.st_ctim.tv_nsec;
    }
};

RunValues& HeldValues() {
    static RunValues held;
    return held;
}

// Whether something at the path that is no regular file (through links) keeps the settings from opening
// it: a pipe would block the open for ever, and whatever it is, settings written would replace it.
bool IsNoRegularFile(const QString& path, struct stat& info) {
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode);
}

// The settings: the file, or the values of this run when something that is not a regular file stands at
// its name or at the name of its lock file. Such a thing is left as it is, and the program runs with its
// defaults and what it stores while it runs.
class Profile {
public:
    Profile() {
        const QString path = ProfileFilePath();
        struct stat info {};
        RunValues& held = HeldValues();
        if (!IsNoRegularFile(path, info) && !IsNoRegularFile(path + QStringLiteral(".lock"), info)) {
            // The file is in use again: what was held for the thing in its place goes.
            if (!held.path.isEmpty())
                held = RunValues{};
            m_file.emplace(path, QSettings::IniFormat);
            return;
        }
        if (!held.IsFor(path, info)) {
            held = RunValues{path, info.st_dev, info.st_ino, info.st_ctim, {}};
            qWarning(
                "The settings file %s or its lock file is not a regular file: settings are kept for this "
                "run only.",
                qPrintable(path));
        }
        m_held = &held.values;
    }

    QVariant Value(const QString& key) const { return m_file ? m_file->value(key) : m_held->value(key); }

    void SetValue(const QString& key, const QVariant& value) {
        if (m_file)
            m_file->setValue(key, value);
        else
            m_held->insert(key, value);
    }

    void RemoveSection(const QString& section) {
        if (m_file) {
            m_file->remove(section);
            return;
        }
        const QString prefix = section + QLatin1Char('/');
        for (auto it = m_held->begin(); it != m_held->end();)
            it = it.key().startsWith(prefix) ? m_held->erase(it) : std::next(it);
    }

    bool SectionHasValues(const QString& section) {
        if (m_file) {
            m_file->beginGroup(section);
            const bool any = !m_file->childKeys().isEmpty();
            m_file->endGroup();
            return any;
        }
        const QString prefix = section + QLatin1Char('/');
        const auto next = m_held->lowerBound(prefix);
        return next != m_held->end() && next.key().startsWith(prefix);
    }

    // Writes the values to the file; false when they could not be written there.
    bool Sync() {
        if (!m_file)
            return false;
        m_file->sync();
        return m_file->status() == QSettings::NoError;
    }

private:
    std::optional<QSettings> m_file;
    QVariantMap* m_held = nullptr;
};

bool WriteValue(const QString& section, const QString& entry, const QVariant& value) {
    Profile profile;
    profile.SetValue(Key(section, entry), value);
    return profile.Sync();
}

} // namespace

int GetProfileInt(const QString& section, const QString& entry, int defaultValue) {
    const QVariant value = Profile().Value(Key(section, entry));
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : defaultValue;
}

QString GetProfileString(const QString& section, const QString& entry, const QString& defaultValue) {
    const QVariant value = Profile().Value(Key(section, entry));
    return value.isValid() ? value.toString() : defaultValue;
}

bool WriteProfileInt(const QString& section, const QString& entry, int value) {
    return WriteValue(section, entry, value);
}

bool WriteProfileString(const QString& section, const QString& entry, const QString& value) {
    return WriteValue(section, entry, value);
}

bool ProfileSectionHasValues(const QString& section) {
    return Profile().SectionHasValues(section);
}

QString ProfileFilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("%1/%2.conf")
                      .arg(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication)));
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
    const Profile profile;
    for (int i = 1; i <= m_size; ++i) {
        const QString path = profile.Value(Key(kRecentSection, QStringLiteral("File%1").arg(i))).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files << path;
    }
}

void RecentFileList::Save() const {
    Profile profile;
    profile.RemoveSection(kRecentSection);
    for (int i = 0; i < m_files.size(); ++i)
        profile.SetValue(Key(kRecentSection, QStringLiteral("File%1").arg(i + 1)), m_files[i]);
    profile.Sync();
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
