#include "handover_message.h"

#include "platform/ui/file_names.h"

namespace handover {
namespace {

constexpr char kMagic[] = {'Q', 'E', 'L', 'T'};
constexpr char kVersion = 1;

} // namespace

QByteArray Encode(const QStringList& files) {
    QByteArray payload;
    for (const QString& file : files) {
        if (file.isEmpty() || file.contains(QChar(u'\0')))
            continue;
        payload += ui::EncodeFileName(file);
        payload += '\0';
    }
    QByteArray message(kMagic, sizeof kMagic);
    message += kVersion;
    const auto length = static_cast<quint32>(payload.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        message += static_cast<char>((length >> shift) & 0xFF);
    return message + payload;
}

Decoded Decode(const QByteArray& bytes) {
    const QByteArray expected = QByteArray(kMagic, sizeof kMagic) + kVersion;
    if (!expected.startsWith(bytes.left(expected.size())))
        return {Status::Invalid, {}};
    if (bytes.size() < kHeaderSize)
        return {Status::Incomplete, {}};
    quint32 length = 0;
    for (qsizetype i = 5; i < kHeaderSize; ++i)
        length = (length << 8) | static_cast<quint8>(bytes[i]);
    if (length > kMaxPayload)
        return {Status::Invalid, {}};
    const qsizetype total = kHeaderSize + static_cast<qsizetype>(length);
    if (bytes.size() > total)
        return {Status::Invalid, {}};
    if (bytes.size() < total)
        return {Status::Incomplete, {}};
    const QByteArray payload = bytes.mid(kHeaderSize);
    if (!payload.isEmpty() && !payload.endsWith('\0'))
        return {Status::Invalid, {}};
    Decoded decoded{Status::Complete, {}};
    qsizetype start = 0;
    while (start < payload.size()) {
        const qsizetype end = payload.indexOf('\0', start);
        if (end == start)
            return {Status::Invalid, {}};
        decoded.files << ui::DecodeFileName(payload.mid(start, end - start));
        start = end + 1;
    }
    return decoded;
}

} // namespace handover
