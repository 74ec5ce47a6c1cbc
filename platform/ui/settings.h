#pragma once

#include <QString>
#include <QStringList>

// Per-user settings in place of the registry: a text file of the organisation "Kestrolab" and the
// application "QELT" in the user's configuration folder ($XDG_CONFIG_HOME/Kestrolab/QELT.conf), read and
// written by section and value name. When something other than a regular file stands at its name (a pipe,
// a folder, a device), or a file longer than any the program reads (kMaxReadSize, 128 MB), it is neither
// read nor replaced: the program runs with its defaults, and what it stores is kept for the run only.
// Values the file lacks come from the defaults a site sets for the program or the organisation in the
// system configuration folders ($XDG_CONFIG_DIRS), as for any Qt application; those are only read, and
// passed over on the same terms. Each file is read once for the run, and again only when it changes on
// disk.
namespace ui {

inline constexpr const char* kOrganisation = "Kestrolab";
inline constexpr const char* kApplication = "QELT";

int GetProfileInt(const QString& section, const QString& entry, int defaultValue);
QString GetProfileString(const QString& section, const QString& entry,
                         const QString& defaultValue = QString());
// False when the settings file cannot be written.
bool WriteProfileInt(const QString& section, const QString& entry, int value);
bool WriteProfileString(const QString& section, const QString& entry, const QString& value);
// A file name, kept so that one that is no UTF-8 reads back with every byte (file_names.h); empty when
// absent.
QString GetProfileFileName(const QString& section, const QString& entry);
bool WriteProfileFileName(const QString& section, const QString& entry, const QString& name);
// Whether the user's own settings hold any value of the section yet (what the system folders set does not
// count: it says nothing of what this user did).
bool ProfileSectionHasValues(const QString& section);
// The settings file.
QString ProfileFilePath();

// The per-user data folder: $XDG_DATA_HOME/Kestrolab/QELT (~/.local/share/Kestrolab/QELT by default).
// It is not created here.
QString UserDataFolder();
// Creates the data folder when it is missing; false when that fails.
bool EnsureUserDataFolder();

// The most recently used documents, newest first, kept in the section "Recent File List" as File1, File2,
// ... (the number of entries is fixed when the list is made).
class RecentFileList {
public:
    explicit RecentFileList(int size = 4) : m_size(size) {}

    void Load();
    void Save() const;
    // Moves the path to the top (adding it when new; the oldest entry drops off a full list).
    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Files() const { return m_files; }
    int Size() const { return m_size; }

private:
    int m_size;
    QStringList m_files;
};

} // namespace ui
