#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

// The small line syntax shared by every text resource (dialog templates, menus, accelerators, tool bars,
// the string table): one record per line, words separated by blanks, "#" starts a comment outside quotes,
// texts in double quotes with the escapes \" \\ \n \t. Files are UTF-8.
namespace ui {

class ResourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ResourceLine {
    int number = 0;     // 1-based line number in its file
    QStringList words;  // the line's words, quoted texts unquoted and unescaped
    QList<bool> quoted; // per word: whether it was written in quotes
};

// Splits a resource text into its non-empty lines; throws ResourceError (with the line number) on an
// unterminated quote or an unknown escape.
QList<ResourceLine> SplitResourceText(const QString& text, const QString& fileName);

// Reads a whole resource (a ":/..." path or a file) as UTF-8; throws ResourceError when it is missing.
QString ReadResourceText(const QString& path);

// Parses a decimal or 0x-prefixed hexadecimal id, "-1" included; throws ResourceError otherwise.
int ParseResourceNumber(const QString& word, const QString& fileName, int line);

// The file of the resource with the id in a resource folder: "<id>.<ext>" or "<id>_<name>.<ext>"; throws
// ResourceError when there is none.
QString FindResourceFile(const QString& folder, int id);

// "file:line: message" for errors.
[[noreturn]] void ThrowResourceError(const QString& fileName, int line, const QString& message);

} // namespace ui
