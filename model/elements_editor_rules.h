#pragma once

#include "model/moiety_rules.h"

#include <string>
#include <string_view>

class ElementTable;

// The rules of the element and moiety editor that need no window: which input may be added or may replace a
// row, how many decimals a typed mass has, and how the list's columns order the table rows.
namespace elements_editor {

// The list's columns.
enum Column { kNumberColumn = 0, kSymbolColumn = 1, kMolarMassColumn = 2, kFormulaColumn = 3 };

// The most decimals a mass is shown with.
inline constexpr int kMaxDecimals = 17;

// Digits after the first "." of the mass as typed (0 without one): "12.011" has 3, "14" has 0. A text with an
// exponent counts the decimals of the number it stands for: "1.500e+03" has 0, "1.5e-02" has 3. At most
// kMaxDecimals.
int MassTextDecimals(std::string_view text);

// A symbol that starts with an upper-case letter, and a molar mass that is a positive finite number.
bool IsAcceptableInput(const std::string& symbol, double molarMass);
// Add: acceptable input whose symbol no row has.
bool CanAdd(const ElementTable& table, const std::string& symbol, double molarMass);
// Modify: acceptable input for a user moiety (row 104 on); the symbol may be the row's own or another
// row's (the table then refuses it).
bool CanModify(const ElementTable& table, int row, const std::string& symbol, double molarMass);
// Whether the row is a user moiety that can be changed or removed.
bool IsUserRow(const ElementTable& table, int row);

// What the editor's fields allow: Add and Modify as above, and neither for a composition that would name
// the moiety itself; with the fault to show while a symbol is typed.
struct InputCheck {
    bool canAdd = false;
    bool canModify = false;
    moiety_rules::Fault fault = moiety_rules::Fault::None;
};
InputCheck CheckInput(const ElementTable& table, int selectedRow, const std::string& symbol,
                      const std::string& composition, double molarMass);

// Orders two table rows by a column in ascending order: negative, 0 or positive.
int CompareRows(const ElementTable& table, int rowA, int rowB, int column);

} // namespace elements_editor
