#include "platform/ui/text_codec.h"

#include "platform/ui/command_ids.h"
#include "platform/ui/string_table.h"

namespace ui {

QString FromCp1252(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes)
        text += QChar(static_cast<char16_t>(cp1252::ToUnicode(static_cast<unsigned char>(c))));
    return text;
}

std::string ToCp1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t code : text.toUcs4())
        bytes += cp1252::FromUnicode(code).value_or('?');
    return bytes;
}

cp1252::Encoded EncodeUserText(const QString& text, TextEncoder encode) {
    return encode(text.toStdU32String());
}

QString RefusedCharacterMessage(char32_t code) {
    const QString character = QString::fromUcs4(&code, 1);
    const QString number =
        QStringLiteral("%1").arg(static_cast<uint>(code), 4, 16, QLatin1Char('0')).toUpper();
    return FormatString(str::RefusedCharacter, {character, number});
}

} // namespace ui
