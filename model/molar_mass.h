#pragma once

class CompositionVector;
class ElementTable;

// Sum over the table's rows of count × molar mass. Row 0 (the electron) has mass 0.0 in the built-in table,
// so the charge adds nothing; slots the vector lacks count as 0.
double GetMolarMassOf(const CompositionVector& composition, const ElementTable& table);
// The same against the installed host's element table.
double GetMolarMassOf(const CompositionVector& composition);
