#include "model/significant_digits.h"

#include "model/model_host.h"

#include <algorithm>

namespace significant_digits {

int Clamp(int digits) {
    return std::clamp(digits, 1, kMaxDigits);
}

int DisplayDigits() {
    return Clamp(GetModelHost().GetDisplayDigits());
}

} // namespace significant_digits
