#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <string>

// The string table: every text a message box or a prompt shows, by id. It is the union of the files
// resources/strings/*.txt (one line per entry: <id> "text", ids decimal or 0x-hexadecimal, escapes \n \t
// \" \\), so that parts of the program can keep their texts in files of their own. An id defined twice
// is an error.
namespace ui {

class StringTable {
public:
    // The program's table, loaded from :/strings on first use (throws ResourceError when a file is
    // faulty or an id is defined twice).
    static StringTable& Instance();

    // Adds every *.txt file of the folder.
    void LoadFolder(const QString& folder);
    // Adds the entries of one text; fileName is for messages.
    void LoadText(const QString& text, const QString& fileName);

    bool Contains(int id) const { return m_entries.contains(id); }
    // The text, or an empty string when there is no entry.
    QString Get(int id) const { return m_entries.value(id); }
    int Size() const { return static_cast<int>(m_entries.size()); }

private:
    QHash<int, QString> m_entries;
    QHash<int, QString> m_origin; // file of each entry, for duplicate reports
};

// Entry of the program's table (empty when absent).
QString LoadString(int id);
// The same as the model's 8-bit text.
std::string LoadStringBytes(int id);
// The entry with %1, %2, ... replaced by the arguments.
QString FormatString(int id, const QStringList& arguments);
QString FormatText(const QString& pattern, const QStringList& arguments);

} // namespace ui
