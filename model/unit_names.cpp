#include "model/unit_names.h"

#include "model/text_utils.h"

#include <numeric>
#include <vector>

int UnitIndex(UnitNameTable table, std::string_view name) {
    std::vector<int> codes(table.size());
    std::iota(codes.begin(), codes.end(), 0);
    return LookupIndex(name, table, codes);
}

std::string_view UnitName(UnitNameTable table, int index) {
    return IsUnitIndex(table, index) ? table[static_cast<std::size_t>(index)] : std::string_view();
}

bool IsUnitIndex(UnitNameTable table, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < table.size();
}
