#include "platform/ui/file_names.h"

#include <QUrl>

namespace ui {
namespace {

constexpr char16_t kFirstByteUnit = 0xDC80;
constexpr char16_t kLastByteUnit = 0xDCFF;

// The length of the UTF-8 character that begins at `at`, or 0 when no valid one does (a stray or missing
// continuation byte, an overlong form, a surrogate, a code point past U+10FFFF).
qsizetype CharacterLength(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (qsizetype i = at + 2; i < at + length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

QString DecodeFileName(const QByteArray& bytes) {
    QString name;
    name.reserve(bytes.size());
    qsizetype run = 0; // the start of the valid text not yet added
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = CharacterLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.constData() + run, at - run);
        name += QChar(static_cast<char16_t>(kFirstByteUnit + static_cast<unsigned char>(bytes[at]) - 0x80));
        run = ++at;
    }
    return name + QString::fromUtf8(bytes.constData() + run, bytes.size() - run);
}

QByteArray EncodeFileName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype run = 0; // the start of the text not yet added
    for (qsizetype at = 0; at < name.size(); ++at) {
        const char16_t unit = name[at].unicode();
        if (unit < kFirstByteUnit || unit > kLastByteUnit)
            continue;
        // Such a unit after a high surrogate is the second half of a character, not a byte.
        if (at > 0 && name[at - 1].isHighSurrogate())
            continue;
        bytes += QStringView(name).mid(run, at - run).toUtf8();
        bytes += static_cast<char>(unit - kFirstByteUnit + 0x80);
        run = at + 1;
    }
    return bytes + QStringView(name).mid(run).toUtf8();
}

QStringList CommandLineWords(int argc, const char* const* argv) {
    QStringList words;
    for (int i = 0; i < argc && argv[i] != nullptr; ++i)
        words << DecodeFileName(QByteArray(argv[i]));
    return words;
}

QString LocalFileName(const QUrl& url) {
    if (!url.host().isEmpty())
        return url.toLocalFile();
    return DecodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

} // namespace ui
