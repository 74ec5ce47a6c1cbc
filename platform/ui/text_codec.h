#pragma once

#include "platform/core/cp1252.h"

#include <QString>
#include <string>

// The model keeps its text as 8-bit Windows-1252 bytes, the way its files hold it; everything shown on
// screen is a QString. These functions are the crossing between them.
namespace ui {

// Every byte has a character (see cp1252.h), so any byte string survives the round trip.
QString FromCp1252(const std::string& bytes);

// For text the program made itself: characters without a Windows-1252 byte become '?'.
std::string ToCp1252(const QString& text);

// How text the user typed or pasted becomes the model's bytes: cp1252::Encode, or a converter of its own
// (the formula notation's) that refuses what it cannot hold.
using TextEncoder = cp1252::Encoded (*)(std::u32string_view);
cp1252::Encoded EncodeUserText(const QString& text, TextEncoder encode = cp1252::Encode);

// The message that refuses a character the model's text cannot hold, naming it.
QString RefusedCharacterMessage(char32_t code);

} // namespace ui
