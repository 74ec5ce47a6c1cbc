#include "platform/ui/file_names.h"

#include <gtest/gtest.h>

namespace {

// A name's bytes and the text that stands for them: each byte that is part of no UTF-8 character becomes a
// unit of its own, U+DC80 to U+DCFF, and the text comes back to the same bytes.
TEST(FileNames, EveryNameComesBackToItsBytes) {
    const struct {
        const char* what;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"plain", "/tmp/a b.equ", QStringLiteral("/tmp/a b.equ")},
        {"UTF-8", "L\xc3\xb6sung \xce\xb1", QStringLiteral(u"L\u00f6sung \u03b1")},
        {"no UTF-8", "bad\xff\xfe.equ", QStringLiteral(u"bad\xdcff\xdcfe.equ")},
        {"a cut character", "\xf0\x9f\x92", QStringLiteral(u"\xdcf0\xdc9f\xdc92")},
        // U+1F480, whose second half (U+DC80) lies among the units that stand for bytes.
        {"past the first plane", "\xf0\x9f\x92\x80.equ", QStringLiteral(u"\U0001F480.equ")},
        {"a byte after such a character", "\xf0\x9f\x92\x80\x80", QStringLiteral(u"\U0001F480\xdc80")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::DecodeFileName(c.bytes), c.text) << c.what;
        EXPECT_EQ(ui::EncodeFileName(c.text), c.bytes) << c.what;
    }
}

} // namespace
