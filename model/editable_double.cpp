#include "model/editable_double.h"

#include "model/significant_digits.h"
#include "platform/core/archive.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int32_t kRecordVersion = 0x10000;

std::int32_t CountedDigits(std::int32_t a, std::int32_t b) {
    const std::int32_t smaller = std::min(a, b);
    const int display = significant_digits::DisplayDigits();
    return smaller < display ? display : smaller;
}

} // namespace

CEditableDouble CEditableDouble::operator*(const CEditableDouble& other) const {
    return {value * other.value, CountedDigits(digits, other.digits)};
}

CEditableDouble CEditableDouble::operator/(const CEditableDouble& other) const {
    return {value / other.value, CountedDigits(digits, other.digits)};
}

void CEditableDouble::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << kRecordVersion << value << digits;
        return;
    }
    std::int32_t version = 0;
    double storedValue = 0.0;
    std::int32_t storedDigits = 0;
    ar >> version >> storedValue >> storedDigits;
    value = storedValue;
    digits = std::clamp(storedDigits, 0, significant_digits::kMaxDigits);
}

bool SameAmount(const CEditableDouble& a, const CEditableDouble& b) {
    if (a.digits != b.digits)
        return false;
    if (std::isnan(a.value) || std::isnan(b.value))
        return std::isnan(a.value) && std::isnan(b.value);
    return std::abs(a.value - b.value) <= 1e-12 * std::max(std::abs(a.value), std::abs(b.value));
}
