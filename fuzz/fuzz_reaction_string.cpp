// Reads arbitrary bytes as a reaction string. An accepted text gives one to 126 reagents on each side; a
// balanced reaction conserves every element and the charge; the reaction saves and reloads to the same bytes.
#include "model/composition_vector.h"
#include "model/qelt_doc.h"
#include "support/test_model_host.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

class FuzzHost : public ScopedTestModelHost {
public:
    void SetStatusText(const std::string&) override {}
};

void CheckConserved(const CQELTDoc& doc) {
    const std::vector<int>& coefficients = doc.GetBalancedCoefficients();
    if (coefficients.size() != static_cast<std::size_t>(doc.GetReactantCount() + doc.GetProductCount()))
        __builtin_trap();
    int width = 0;
    for (int row = 0; row < CQELTDoc::kRowCount; ++row)
        width = std::max(width, doc.GetComposition(row).GetSize());
    for (int i = 0; i < width; ++i) {
        __int128 sum = 0;
        for (int k = 0; k < doc.GetReactantCount(); ++k)
            sum += static_cast<__int128>(coefficients[k]) * doc.GetComposition(k)[i];
        for (int j = 0; j < doc.GetProductCount(); ++j)
            sum -= static_cast<__int128>(coefficients[doc.GetReactantCount() + j]) *
                   doc.GetComposition(128 + j)[i];
        if (sum != 0)
            __builtin_trap();
    }
    for (int c : coefficients)
        if (c <= 0)
            __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzHost host;
    CQELTDoc doc;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!doc.SetFromString(text)) {
        if (doc.GetReactantCount() != 0 || doc.GetProductCount() != 0)
            __builtin_trap();
        return 0;
    }
    if (doc.GetReactantCount() < 1 || doc.GetReactantCount() > 126 || doc.GetProductCount() < 1 ||
        doc.GetProductCount() > 126)
        __builtin_trap();

    if (doc.BalanceReaction())
        CheckConserved(doc);
    else if (doc.HasBalancedCoefficients())
        __builtin_trap();

    doc.GetReagent(0)->enteredMoles = 1.0;
    doc.Recalculate();
    for (int row : {0, 128}) {
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
