#pragma once

// A count multiplies something of its own group, so a formula that parses counts only the rows whose
// symbols its text names; a count left multiplying nothing would count every row of the table. The reader
// drops every "_" first, so "S_e" names selenium.

#include "model/composition_vector.h"
#include "model/element_table.h"

#include <algorithm>
#include <string>

inline bool NamesEveryRowItCounts(std::string text, const CompositionVector& composition,
                                  const ElementTable& table) {
    text.erase(std::remove(text.begin(), text.end(), '_'), text.end());
    for (int row = 1; row < table.GetCount(); ++row) {
        if (composition[row] != 0 && text.find(table[row].GetSymbol()) == std::string::npos)
            return false;
    }
    return true;
}
