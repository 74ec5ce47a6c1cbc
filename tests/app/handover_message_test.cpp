#include "platform/ui/handover_message.h"

#include <gtest/gtest.h>

#include <vector>

using handover::Decode;
using handover::Encode;
using handover::Status;

TEST(HandoverMessage, FileListsSurviveTheTrip) {
    const std::vector<QStringList> lists = {
        {},
        {QStringLiteral("/home/ann/reactions/combustion.equ")},
        {QStringLiteral("/a.equ"), QStringLiteral("/b c/d e.equ"), QStringLiteral("/tmp/Lösung α.equ")},
        {QStringLiteral("/odd/name\nwith newline.equ"), QStringLiteral("/tab\there.equ")},
    };
    for (const QStringList& files : lists) {
        const handover::Decoded decoded = Decode(Encode(files));
        EXPECT_EQ(decoded.status, Status::Complete);
        EXPECT_EQ(decoded.files, files);
    }
}

TEST(HandoverMessage, NamesThatCannotNameAFileAreLeftOut) {
    const QString withNul = QStringLiteral("/b") + QChar(u'\0') + QStringLiteral("c.equ");
    const QStringList files = {QString(), QStringLiteral("/a.equ"), withNul, QStringLiteral("/d.equ")};
    EXPECT_EQ(Decode(Encode(files)).files, QStringList({QStringLiteral("/a.equ"), QStringLiteral("/d.equ")}));
}

TEST(HandoverMessage, EveryPartOfAMessageWaitsForTheRest) {
    const QByteArray message = Encode({QStringLiteral("/x/y.equ"), QStringLiteral("/z.equ")});
    for (qsizetype size = 0; size < message.size(); ++size)
        EXPECT_EQ(Decode(message.left(size)).status, Status::Incomplete) << "first " << size << " bytes";
}

TEST(HandoverMessage, DamagedMessagesAreRefused) {
    const QByteArray good = Encode({QStringLiteral("/a.equ")});
    const auto header = [](quint32 length) {
        QByteArray bytes("QELT\x01", 5);
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes += static_cast<char>((length >> shift) & 0xFF);
        return bytes;
    };
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"another program's greeting", QByteArray("GET / HTTP/1.1\r\n")},
        {"a first byte that is not ours", QByteArray("X")},
        {"an unknown version", QByteArray("QELT\x02\0\0\0\0", 9)},
        {"a length past the limit", header(handover::kMaxPayload + 1)},
        {"the largest length there is", header(0xFFFFFFFFu)},
        {"bytes after the end", good + 'x'},
        {"a name without its end mark", header(3) + "/ab"},
        {"an empty name", header(1) + QByteArray(1, '\0')},
        {"an empty name between two", header(7) + QByteArray("/a\0\0/b\0", 7)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode(c.bytes).status, Status::Invalid) << c.what;
}
