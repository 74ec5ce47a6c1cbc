#include "model/element.h"

#include "platform/core/archive.h"

#include <utility>

Element::Element(std::string symbol, std::string composition, std::string comment, double molarMass,
                 int decimals)
    : m_symbol(std::move(symbol)), m_composition(std::move(composition)), m_comment(std::move(comment)),
      m_molarMass(molarMass), m_decimals(decimals) {}

void Element::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << m_symbol << m_composition << m_comment << m_molarMass << std::int32_t{m_decimals};
        return;
    }
    // Read into locals so that a short record leaves this one as it was.
    Element read;
    std::int32_t decimals = 0;
    ar >> read.m_symbol >> read.m_composition >> read.m_comment >> read.m_molarMass >> decimals;
    read.m_decimals = decimals;
    *this = std::move(read);
}
