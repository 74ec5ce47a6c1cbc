#pragma once

#include <QString>
#include <string>

// The model keeps its text as 8-bit Windows-1252 bytes, the way its files hold it; everything shown on
// screen is a QString. These two functions are the only crossing between them.
namespace ui {

// Every byte has a character: 0x80-0x9F follow the Windows-1252 table, and the five bytes that table
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number,
// so that any byte string survives the round trip.
QString FromCp1252(const std::string& bytes);

// Characters without a Windows-1252 byte become '?'.
std::string ToCp1252(const QString& text);

} // namespace ui
