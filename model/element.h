#pragma once

#include <string>

class Archive;

// One row of the element table: a chemical element or a user moiety (an abbreviation such as a citrate
// group).
class Element {
public:
    Element() = default;
    Element(std::string symbol, std::string composition, std::string comment, double molarMass, int decimals);

    // The text written in formulas; unique in its table, compared case-sensitively.
    const std::string& GetSymbol() const { return m_symbol; }
    // For a moiety, its formula as entered in the editor; empty for the built-in rows.
    const std::string& GetComposition() const { return m_composition; }
    const std::string& GetComment() const { return m_comment; }
    // g/mol.
    double GetMolarMass() const { return m_molarMass; }
    // Digits after the decimal point of the mass as it was entered; the editor shows the mass with as many.
    int GetDecimals() const { return m_decimals; }

    // Exact comparison of all five fields, the molar mass included.
    bool operator==(const Element& other) const = default;

    // Stored record: symbol, composition, comment (archive strings), molar mass (double), decimals (int32).
    void Serialize(Archive& ar);

private:
    std::string m_symbol;
    std::string m_composition;
    std::string m_comment;
    double m_molarMass = 0.0;
    int m_decimals = 0;
};
