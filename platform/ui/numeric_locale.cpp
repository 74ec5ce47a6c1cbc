#include "platform/ui/numeric_locale.h"

#include <clocale>

namespace ui {

void UseCNumericLocale() {
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace ui
