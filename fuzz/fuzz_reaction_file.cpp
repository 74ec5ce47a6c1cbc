// Reads arbitrary bytes as a reaction file. A file either opens, and then saves to bytes that open and save
// again unchanged, or is refused with ArchiveError and leaves the document exactly as it was.
#include "model/qelt_doc.h"
#include "platform/core/archive.h"
#include "support/test_model_host.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

class FuzzHost : public ScopedTestModelHost {
public:
    void SetStatusText(const std::string&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzHost host;
    CQELTDoc doc;
    if (!doc.SetFromString("2H2 + O2 = 2H2O"))
        __builtin_trap();
    const auto before = doc.SaveToBytes();
    try {
        doc.LoadFromBytes(std::vector<std::uint8_t>(data, data + size));
    } catch (const ArchiveError&) {
        if (doc.SaveToBytes() != before)
            __builtin_trap();
        return 0;
    }
    if (doc.GetReactantCount() < 0 || doc.GetReactantCount() > 126 || doc.GetProductCount() < 0 ||
        doc.GetProductCount() > 126)
        __builtin_trap();
    for (int row = 0; row < CQELTDoc::kRowCount; ++row) {
        doc.IsLimiting(row);
        doc.IsInExcess(row);
    }

    const auto saved = doc.SaveToBytes();
    CQELTDoc back;
    back.LoadFromBytes(saved);
    if (back.SaveToBytes() != saved)
        __builtin_trap();
    return 0;
}
