// Feeds arbitrary text to the parser of the amount boxes: what it accepts must be a finite number that
// reads back the same after formatting, and a box that rewrites an accepted text must show a text that it
// would rewrite to itself.
#include "model/float_numbers_string.h"
#include "model/number_box_text.h"
#include "model/number_parser.h"
#include "support/test_model_host.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool SameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof(double)) == 0 || (a == 0.0 && b == 0.0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScopedTestModelHost host;
    const std::string typed(reinterpret_cast<const char*>(data), size);

    std::string text = typed;
    double value = 0.0;
    if (!ParseDouble(text, value))
        return 0;
    Check(std::isfinite(value));

    // Seventeen significant digits carry every double.
    CFloatNumbersString exact;
    exact.Format(value, 17);
    double again = 1.0;
    Check(ParseDouble(exact, again));
    Check(SameDouble(value, again));

    // Leaving a box: the rewritten text is accepted and stays as it is when the box is left again.
    if (const std::optional<ReformattedNumber> shown = ReformatNumberBoxText(typed)) {
        Check(std::isfinite(shown->value));
        const std::optional<ReformattedNumber> twice = ReformatNumberBoxText(shown->text);
        Check(twice.has_value());
        Check(twice->text == shown->text);
    }
    return 0;
}
