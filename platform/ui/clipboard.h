#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// The clipboard as the program uses it: plain text, and rich text (RTF bytes offered as "text/rtf" and
// "application/rtf", the names under which desktop programs look for "Rich Text Format").
namespace ui {

enum class ClipboardFormat { Text, RichText };

// Puts the model's 8-bit text (Windows-1252) on the clipboard in the format. The first format of a copy
// (notFirst false) replaces whatever the clipboard held; a further one is added beside it. False when the
// clipboard cannot be used.
bool PutOnClipboard(const std::string& bytes, ClipboardFormat format, bool notFirst);

// Whether the clipboard offers plain text.
bool ClipboardHasText();
// The clipboard's plain text (empty when it has none).
QString ClipboardText();
// The same as the model's 8-bit text.
std::string ClipboardTextBytes();
// The rich text on the clipboard (empty when there is none).
QByteArray ClipboardRichText();

} // namespace ui
