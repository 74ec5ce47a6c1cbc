#pragma once

#include <QByteArray>
#include <QStringList>

// The message a later start of QELT sends to the running one: the file names of its command line.
// Layout: "QELT", a version byte (1), the payload's length as 4 bytes big-endian, then each file name as its
// bytes (ui::EncodeFileName) followed by a NUL byte. The running program answers with the one byte kAccepted.
namespace handover {

inline constexpr char kAccepted = 0x06;
inline constexpr qsizetype kHeaderSize = 9;
// Far above the longest command line the kernel passes to a program.
inline constexpr qsizetype kMaxPayload = 8 * 1024 * 1024;

// Names that cannot name a file (empty, or holding a NUL) are left out.
QByteArray Encode(const QStringList& files);

enum class Status { Incomplete, Invalid, Complete };
struct Decoded {
    Status status;
    QStringList files;
};

// Decodes what has arrived so far: Incomplete while more may follow, Invalid as soon as the bytes cannot be
// the start of a message or run past its end.
Decoded Decode(const QByteArray& bytes);

} // namespace handover
