#include "platform/ui/settings.h"

#include "platform/core/file_io.h"
#include "platform/ui/file_names.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QVariantMap>
#include <QtGlobal>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <vector>

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

// Whether what stands at the path (through links) keeps the settings from opening it: something that is no
// regular file (a pipe would block the open for ever, and whatever it is, settings written would replace
// it), or a file longer than any other file the program reads (kMaxReadSize), which would be read whole
// into memory.
bool IsRefused(const QString& path, struct stat& info) {
    return ::stat(EncodeFileName(path).constData(), &info) == 0 &&
           (!S_ISREG(info.st_mode) || static_cast<std::uint64_t>(info.st_size) > kMaxReadSize);
}

// A settings file as it was read, shared by the list of opened files and by every profile reading it, so
// that it lasts as long as any of them uses it.
using SettingsFile = std::shared_ptr<QSettings>;

// The settings files read so far, each opened once and kept for the run. QSettings reads a file again only
// when it has changed on disk, and writes it without reading it first when it has not; a QSettings made for
// each value would read the whole file each time, as Qt keeps only small files between them.
class OpenedFiles {
public:
    // The file at the path, read again first when it has changed since.
    static SettingsFile Get(const QString& path) {
        SettingsFile& file = Files()[path];
        if (file == nullptr)
            file = std::make_shared<QSettings>(path, QSettings::IniFormat);
        else
            file->sync();
        return file;
    }
    // Drops the file after a failed write, so that the next use reads it again: what it could not write
    // goes, as does the error, once no profile holds it any more.
    static void Forget(const QString& path) { Files().erase(path); }

private:
    static std::map<QString, SettingsFile>& Files() {
        static std::map<QString, SettingsFile> files;
        return files;
    }
};

// The program's settings file inside a configuration folder: "Kestrolab/QELT.conf".
QString ApplicationFileName() {
    return QStringLiteral("%1/%2.conf")
        .arg(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
}

// The files whose values stand in for those the settings file lacks, most important first, as Qt reads them
// for an application of an organisation: the user's file for every program of the organisation, then in
// each system configuration folder ($XDG_CONFIG_DIRS, /etc/xdg by default) the program's file and the
// organisation's.
QStringList FallbackFilePaths() {
    const QString application = ApplicationFileName();
    const QString organisation = QStringLiteral("%1.conf").arg(QString::fromLatin1(kOrganisation));
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QStringList paths{QDir(user).filePath(organisation)};
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        if (folder != user)
            paths << QDir(folder).filePath(application) << QDir(folder).filePath(organisation);
    }
    return paths;
}

// The settings: the file, or the values of this run when something refused (IsRefused) stands at its name
// or at the name of its lock file. Such a thing is left as it is, and the program runs with its defaults and
// what it stores while it runs. Values neither holds come from the fallback files that are not refused;
// those are only read. Exactly one of the file and the held values is in use. A profile shares each file it
// reads for as long as it lives.
class Profile {
public:
    Profile() : m_path(ProfileFilePath()) {
        struct stat info {};
        for (const QString& fallback : FallbackFilePaths()) {
            if (!IsRefused(fallback, info))
                m_fallbacks.push_back(OpenedFiles::Get(fallback));
        }
        RunValues& held = HeldValues();
        if (!IsRefused(m_path, info) && !IsRefused(m_path + QStringLiteral(".lock"), info)) {
            // The file is in use again: what was held for the thing in its place goes.
            if (!held.path.isEmpty())
                held = RunValues{};
            m_file = OpenedFiles::Get(m_path);
            return;
        }
        if (!held.IsFor(m_path, info)) {
            held = RunValues{m_path, info.st_dev, info.st_ino, info.st_ctim, {}};
            qWarning("The settings file %s or its lock file is not a regular file or is too large: settings "
                     "are kept for this run only.",
                     qPrintable(m_path));
        }
        m_held = &held.values;
    }

    QVariant Value(const QString& key) const {
        QVariant value = m_file ? m_file->value(key) : m_held->value(key);
        for (auto fallback = m_fallbacks.begin(); !value.isValid() && fallback != m_fallbacks.end();
             ++fallback)
            value = (*fallback)->value(key);
        return value;
    }

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

    // Whether the user's own settings hold a value of the section; the fallback files do not count.
    bool SectionHasOwnValues(const QString& section) const {
        if (m_held) {
            const QString prefix = section + QLatin1Char('/');
            const auto next = m_held->lowerBound(prefix);
            return next != m_held->end() && next.key().startsWith(prefix);
        }
        m_file->beginGroup(section);
        const bool any = !m_file->childKeys().isEmpty();
        m_file->endGroup();
        return any;
    }

    // Writes the values to the file; false when they could not be written there.
    bool Sync() {
        if (!m_file)
            return false;
        m_file->sync();
        if (m_file->status() == QSettings::NoError)
            return true;
        // The file is read again, for this profile's later uses too. This profile lets go of it first: Qt
        // shares a file's values among every QSettings open on it, the ones it could not write included.
        m_file.reset();
        OpenedFiles::Forget(m_path);
        m_file = OpenedFiles::Get(m_path);
        return false;
    }

private:
    QString m_path;
    SettingsFile m_file;
    // The values of the run (HeldValues), which last as long as the program.
    QVariantMap* m_held = nullptr;
    std::vector<SettingsFile> m_fallbacks;
};

// A file name as a value: its text when it is UTF-8, else its bytes, so that it reads back as it was.
QVariant FileNameValue(const QString& name) {
    const QByteArray bytes = EncodeFileName(name);
    return QString::fromUtf8(bytes) == name ? QVariant(name) : QVariant(bytes);
}

QString FileNameOf(const QVariant& value) {
    return value.typeId() == QMetaType::QByteArray ? DecodeFileName(value.toByteArray()) : value.toString();
}

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

QString GetProfileFileName(const QString& section, const QString& entry) {
    return FileNameOf(Profile().Value(Key(section, entry)));
}

bool WriteProfileFileName(const QString& section, const QString& entry, const QString& name) {
    return WriteValue(section, entry, FileNameValue(name));
}

bool ProfileSectionHasValues(const QString& section) {
    return Profile().SectionHasOwnValues(section);
}

QString ProfileFilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(ApplicationFileName());
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
        const QString path = FileNameOf(profile.Value(Key(kRecentSection, QStringLiteral("File%1").arg(i))));
        if (!path.isEmpty() && !m_files.contains(path))
            m_files << path;
    }
}

void RecentFileList::Save() const {
    Profile profile;
    profile.RemoveSection(kRecentSection);
    for (int i = 0; i < m_files.size(); ++i)
        profile.SetValue(Key(kRecentSection, QStringLiteral("File%1").arg(i + 1)), FileNameValue(m_files[i]));
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
