#pragma once

#include "platform/ui/text_codec.h"

#include <QString>

class QLineEdit;

// Keeps the characters the model's 8-bit text cannot hold out of a line edit as they come in: a keystroke,
// a paste or a drop that would add one is refused whole, and a tool tip at the caret names the character
// (the message of RefusedCharacterMessage). The box never shows what the model would not store, so what is
// read from it is what it shows, and no other keystroke is lost: the tool tip takes neither the focus nor a
// key, and stays up until the next keystroke after the refused one.
//
// The encoder says what can be held: cp1252::Encode, or a converter of its own (the formula notation's,
// which takes Unicode chemistry). Characters a text already had when the program put it in the box (text
// set by code is not filtered, nor is an undo that brings them back) are left to the saving data exchange;
// they neither block typing elsewhere nor let any other refused character in.
namespace ui {

// Filters the edit from now on; calling it again with another encoder changes the encoder. An edit with a
// validator of another kind is left alone.
void FilterEightBitInput(QLineEdit& edit, TextEncoder encode = cp1252::Encode);

// The characters of the text that the encoder cannot hold, in order; none for a text it takes.
std::u32string RefusedCharacters(const QString& text, TextEncoder encode = cp1252::Encode);

} // namespace ui
