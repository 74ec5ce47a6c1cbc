// Reads arbitrary bytes as a stored element-table section. A section either reads, and then stores and reads
// back to the same rows, or throws ArchiveError and leaves the table as it was; nothing else may happen.
#include "model/element_table.h"
#include "platform/core/archive.h"
#include "support/test_model_host.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScopedTestModelHost host;
    ElementTable table;
    table.BuildDefault();
    Archive in(std::vector<std::uint8_t>(data, data + size));
    try {
        table.Serialize(in);
    } catch (const ArchiveError&) {
        if (table.GetCount() != 104 || table.Find("Lr") != 103)
            __builtin_trap();
        return 0;
    }
    if (table.GetCount() > table.GetSlotCount())
        __builtin_trap();
    int length = 0;
    for (int row = 0; row < table.GetCount(); ++row) {
        const std::string& symbol = table[row].GetSymbol();
        const int found = table.MatchSymbol(symbol, length);
        if (symbol.empty() ? found != -1
                           : (found < 0 || found > row || length != static_cast<int>(symbol.size())))
            __builtin_trap();
    }

    Archive out;
    table.Serialize(out);
    ElementTable back;
    Archive again(out.Bytes());
    back.Serialize(again);
    if (back.GetCount() != table.GetCount() || back.GetSlotCount() != table.GetSlotCount() || !back.IsValid())
        __builtin_trap();
    for (int row = 0; row < table.GetSlotCount(); ++row) {
        // Compare bit patterns through the record bytes: a NaN mass never equals itself.
        Archive a, b;
        Element left = table[row], right = back[row];
        left.Serialize(a);
        right.Serialize(b);
        if (a.Bytes() != b.Bytes())
            __builtin_trap();
    }
    if (table.MatchSymbol("Xq", length) != back.MatchSymbol("Xq", length))
        __builtin_trap();
    return 0;
}
