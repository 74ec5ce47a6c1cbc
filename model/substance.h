#pragma once

#include <cstdint>
#include <string>

class Archive;
class CompositionVector;

// A named substance: name, formula text (mark-up allowed), comment, molar mass and a phase code taken from a
// label in the formula. The rows of a reaction derive from it, and the substance database holds a list of
// them.
class CSubstance {
public:
    // Phase codes, from a label in the formula text.
    static constexpr int kPhaseSolid = 0;   // "(s)"
    static constexpr int kPhaseAqueous = 1; // "(a)"
    static constexpr int kPhaseGas = 2;     // "(g)"
    static constexpr int kPhaseNone = 3;
    // Version word of the stored record; read and ignored.
    static constexpr std::int32_t kRecordVersion = 0x10000;
    // The fewest bytes a stored record can take: version, three empty strings, molar mass, phase code.
    static constexpr std::size_t kMinRecordSize = 4 + 3 + 8 + 4;

    CSubstance() = default;
    CSubstance(const CSubstance&) = default;
    CSubstance& operator=(const CSubstance&) = default;
    virtual ~CSubstance() = default;

    // Name, formula and comment equal as exact text, and the same phase; the molar mass is not compared.
    bool operator==(const CSubstance& other) const;

    const std::string& GetName() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    const std::string& GetComment() const { return m_comment; }
    void SetComment(std::string comment) { m_comment = std::move(comment); }
    const std::string& GetFormula() const { return m_formula; }
    // Stores the formula text and sets the molar mass (of the text read as a comma-separated mixture) and
    // the phase code from it.
    void SetFormula(std::string text);
    // Stores the formula text alone; molar mass and phase stay as they are.
    void SetFormulaText(std::string text) { m_formula = std::move(text); }
    double GetMolarMass() const { return m_molarMass; }
    void SetMolarMass(double molarMass) { m_molarMass = molarMass; }
    int GetPhase() const { return m_phase; }
    void SetPhase(int phase) { m_phase = phase; }

    // The composition of the formula text against the current element table.
    CompositionVector GetComposition() const;

    // The stored record: version, name, formula, comment, molar mass, phase code.
    virtual void Serialize(Archive& ar);

protected:
    int m_phase = kPhaseNone;
    std::string m_name;
    std::string m_comment;
    std::string m_formula;
    double m_molarMass = 0.0;
};
