#pragma once

#include "model/editable_double.h"
#include "model/substance.h"

#include <cstdint>
#include <optional>
#include <string>

// One reactant or product of a reaction: a substance with the amount the user entered, how that amount was
// described (a solution, a gas, or a plain amount) and how the computed amount is to be described. Units are
// indexes into the unit-name tables: volumes of solutions into VolumeUnitNames, of gases into
// GasVolumeUnitNames, and ConcentrationUnitNames, PressureUnitNames, TemperatureUnitNames.
class CQELTReagent : public CSubstance {
public:
    // How an amount is described.
    static constexpr int kSolution = 0;    // concentration and volume
    static constexpr int kGas = 1;         // volume, pressure and temperature
    static constexpr int kPlainAmount = 2; // moles or grams
    // Version words of the stored record.
    static constexpr std::int32_t kRecordVersion = 0x20000;
    static constexpr std::int32_t kRecordVersionPlainAmounts = 0x10000;

    // Gas conditions from the application's standard temperature and pressure.
    CQELTReagent();
    // The formula's molar mass and phase, 1 atm and 0 C.
    explicit CQELTReagent(const std::string& formula);

    // Back to no amounts: every amount 0 (the pressures 1.0), plain amounts, litres of solution, every other
    // unit 0. Formula, name and molar mass stay.
    void ClearAmounts();

    // The user typed the mass (or the moles) as a plain amount: the other follows through the molar mass (no
    // moles without a molar mass), with at least displayDigits significant digits.
    void EnterMass(const CEditableDouble& mass, int displayDigits);
    void EnterMoles(const CEditableDouble& moles, int displayDigits);

    // The reagent record (version 0x20000 written; 0x10000 and others read). Loading throws ArchiveError for
    // a short record and ReactionFileError for a unit outside its table; the reagent is then unchanged.
    void Serialize(Archive& ar) override;
    // Loads the row layout of the oldest reaction files: formula, molar mass and plain-double amounts.
    void SerializeV1(Archive& ar);
    // Whether the output description the file keeps (the kind and the fields of that kind) differs from the
    // other reagent's. Values apart by rounding alone, as a recomputation through other units leaves them,
    // are the same.
    bool OutputDescriptionDiffers(const CQELTReagent& other) const;

    CEditableDouble enteredMass;
    CEditableDouble enteredMoles;
    CEditableDouble inputConcentration;
    CEditableDouble inputVolume;
    CEditableDouble outputVolume;
    CEditableDouble inputPressure;
    CEditableDouble inputTemperature;
    CEditableDouble outputConcentration;
    CEditableDouble outputPressure;
    CEditableDouble outputTemperature;
    int inputKind = kPlainAmount;
    int outputKind = kPlainAmount;
    int inputVolumeUnit = 1;
    int outputVolumeUnit = 1;
    int inputConcentrationUnit = 0;
    int outputConcentrationUnit = 0;
    int inputPressureUnit = 0;
    int outputPressureUnit = 0;
    int inputTemperatureUnit = 0;
    int outputTemperatureUnit = 0;
    int inputGasVolumeUnit = 0;
    int outputGasVolumeUnit = 0;

    // The amount the last computation gave the reagent. The output description is made for it: a
    // computation that gives the same amount again keeps the description, any other resets it. Not stored.
    struct ComputedAmount {
        double moles = 0.0;
        double mass = 0.0;
        bool operator==(const ComputedAmount&) const = default;
    };
    std::optional<ComputedAmount> lastComputed;

private:
    enum class Direction { Input, Output };
    // The group of fields that describes one amount, by the given kind; doubles as plain values when
    // `plainDoubles` (the oldest layout).
    void SerializeGroup(Archive& ar, Direction direction, int kind, bool plainDoubles);
};
