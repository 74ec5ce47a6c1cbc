#pragma once

#include <string>

class ElementTable;

// What makes a moiety meaningful: a molar mass that is a positive finite number, and a composition that
// does not name the moiety itself, directly or through the compositions of the moieties it names. A
// composition that is nothing but the moiety's own symbol stands for no composition.
namespace moiety_rules {

enum class Fault { None, MolarMass, NamesItself };

bool IsValidMolarMass(double molarMass);

// Whether the row's composition leads back to the row.
bool NamesItself(const ElementTable& table, int row);

// Whether a moiety with this symbol and composition would name itself once added (row -1) or put in place
// of the row. False when the table would refuse the symbol anyway.
bool WouldNameItself(const ElementTable& table, int row, const std::string& symbol,
                     const std::string& composition);

// What is wrong with a stored row (moieties loaded from a file are taken as they are).
Fault FaultOf(const ElementTable& table, int row);

} // namespace moiety_rules
