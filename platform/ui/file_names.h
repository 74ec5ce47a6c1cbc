#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QUrl;

// File names are bytes to the system and text to Qt. A name that is no valid UTF-8 keeps each byte that is
// part of no character as a code unit of its own, U+DC80 to U+DCFF (halves of a surrogate pair, which no
// character in UTF-8 is made of), so that every name comes back to the bytes it was given as. Qt's own
// conversion would put U+FFFD in place of such bytes, and the name would then name another file.
namespace ui {

QByteArray EncodeFileName(const QString& name);
QString DecodeFileName(const QByteArray& bytes);

// The words of the command line, as they were given (what Qt left of argv after taking its own options):
// QCoreApplication::arguments() loses the bytes of a file name that is no UTF-8.
QStringList CommandLineWords(int argc, const char* const* argv);

// The name of the local file a URL names (dropped files): QUrl::toLocalFile() loses such bytes as well.
QString LocalFileName(const QUrl& url);

} // namespace ui
