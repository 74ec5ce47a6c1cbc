#pragma once

// The model formats and parses numbers with the C library, which follows LC_NUMERIC. QApplication takes
// the user's locale from the environment at start-up; call this right after constructing it so that
// numbers are always written with a point ("1.5e+05"), whatever the user's language.
namespace ui {

void UseCNumericLocale();

} // namespace ui
