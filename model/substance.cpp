#include "model/substance.h"

#include "model/chemical_formula.h"
#include "model/composition_vector.h"
#include "platform/core/archive.h"

bool CSubstance::operator==(const CSubstance& other) const {
    return m_name == other.m_name && m_formula == other.m_formula && m_comment == other.m_comment &&
           m_phase == other.m_phase;
}

void CSubstance::SetFormula(std::string text) {
    ChemicalFormula formula;
    formula.SetText(text, true);
    m_molarMass = formula.GetMixtureMolarMass();
    m_phase = formula.GetPhase();
    m_formula = std::move(text);
}

CompositionVector CSubstance::GetComposition() const {
    ChemicalFormula formula;
    formula.SetText(m_formula, true);
    return formula.GetComposition();
}

void CSubstance::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << kRecordVersion << m_name << m_formula << m_comment << m_molarMass << std::int32_t{m_phase};
        return;
    }
    std::int32_t version = 0, phase = 0;
    std::string name, formula, comment;
    double molarMass = 0.0;
    ar >> version >> name >> formula >> comment >> molarMass >> phase;
    m_name = std::move(name);
    m_formula = std::move(formula);
    m_comment = std::move(comment);
    m_molarMass = molarMass;
    m_phase = phase;
}
