#include "model/qelt_reagent.h"

#include "model/model_host.h"
#include "model/reaction_file_error.h"
#include "model/stp.h"
#include "model/unit_names.h"
#include "platform/core/archive.h"

#include <algorithm>
#include <string>

CQELTReagent::CQELTReagent() {
    const ModelHost& host = GetModelHost();
    const STP& standard = host.GetStandardConditions();
    inputPressure = CEditableDouble(standard.pressure, host.GetDisplayDigits());
    inputTemperature = CEditableDouble(standard.temperature, host.GetDisplayDigits());
    outputPressure = CEditableDouble(1.0, 4);
    inputPressureUnit = outputPressureUnit = standard.pressureUnit;
    inputTemperatureUnit = outputTemperatureUnit = standard.temperatureUnit;
}

CQELTReagent::CQELTReagent(const std::string& formula) {
    SetFormula(formula);
    inputPressure = CEditableDouble(1.0, 4);
    outputPressure = CEditableDouble(1.0, 4);
}

void CQELTReagent::ClearAmounts() {
    for (CEditableDouble* amount :
         {&enteredMass, &enteredMoles, &inputConcentration, &inputVolume, &outputVolume, &inputTemperature,
          &outputConcentration, &outputTemperature})
        *amount = 0.0;
    inputPressure = 1.0;
    outputPressure = 1.0;
    inputKind = outputKind = kPlainAmount;
    inputVolumeUnit = outputVolumeUnit = 1;
    inputConcentrationUnit = outputConcentrationUnit = 0;
    inputPressureUnit = outputPressureUnit = 0;
    inputTemperatureUnit = outputTemperatureUnit = 0;
    inputGasVolumeUnit = outputGasVolumeUnit = 0;
}

namespace {

void Amount(Archive& ar, CEditableDouble& amount, bool plainDouble) {
    if (!plainDouble) {
        amount.Serialize(ar);
    } else if (ar.IsStoring()) {
        ar << amount.value;
    } else {
        amount.value = ar.ReadDouble();
    }
}

void Unit(Archive& ar, int& unit, UnitNameTable table, const char* what) {
    if (ar.IsStoring()) {
        ar << std::int32_t{unit};
        return;
    }
    const std::int32_t code = ar.ReadInt32();
    if (!IsUnitIndex(table, code))
        throw ReactionFileError("The reaction file names a " + std::string(what) +
                                " unit that does not exist (" + std::to_string(code) + ").");
    unit = code;
}

// Kinds other than solution and gas carry no group; they all mean a plain amount.
int ReadKind(Archive& ar) {
    const std::int32_t kind = ar.ReadInt32();
    return kind == CQELTReagent::kSolution || kind == CQELTReagent::kGas ? kind : CQELTReagent::kPlainAmount;
}

} // namespace

void CQELTReagent::SerializeGroup(Archive& ar, Direction direction, int kind, bool plainDoubles) {
    const bool in = direction == Direction::Input;
    if (kind == kSolution) {
        // The unit written after the concentration is the volume's, the one after the volume the
        // concentration's.
        Amount(ar, in ? inputConcentration : outputConcentration, plainDoubles);
        Unit(ar, in ? inputVolumeUnit : outputVolumeUnit, VolumeUnitNames, "volume");
        Amount(ar, in ? inputVolume : outputVolume, plainDoubles);
        Unit(ar, in ? inputConcentrationUnit : outputConcentrationUnit, ConcentrationUnitNames,
             "concentration");
    } else if (kind == kGas) {
        Amount(ar, in ? inputPressure : outputPressure, plainDoubles);
        Unit(ar, in ? inputPressureUnit : outputPressureUnit, PressureUnitNames, "pressure");
        Amount(ar, in ? inputVolume : outputVolume, plainDoubles);
        Unit(ar, in ? inputGasVolumeUnit : outputGasVolumeUnit, GasVolumeUnitNames, "gas volume");
        Amount(ar, in ? inputTemperature : outputTemperature, plainDoubles);
        Unit(ar, in ? inputTemperatureUnit : outputTemperatureUnit, TemperatureUnitNames, "temperature");
    }
}

void CQELTReagent::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << kRecordVersion;
        CSubstance::Serialize(ar);
        enteredMass.Serialize(ar);
        enteredMoles.Serialize(ar);
        ar << std::int32_t{inputKind};
        SerializeGroup(ar, Direction::Input, inputKind, false);
        ar << std::int32_t{outputKind};
        SerializeGroup(ar, Direction::Output, outputKind, false);
        return;
    }
    // Read into a copy so that a damaged record changes nothing.
    CQELTReagent loaded = *this;
    const std::int32_t version = ar.ReadInt32();
    loaded.CSubstance::Serialize(ar);
    if (version == kRecordVersion || version == kRecordVersionPlainAmounts) {
        const bool plain = version == kRecordVersionPlainAmounts;
        Amount(ar, loaded.enteredMass, plain);
        Amount(ar, loaded.enteredMoles, plain);
    }
    loaded.inputKind = ReadKind(ar);
    loaded.SerializeGroup(ar, Direction::Input, loaded.inputKind, false);
    loaded.outputKind = ReadKind(ar);
    loaded.SerializeGroup(ar, Direction::Output, loaded.outputKind, false);
    *this = std::move(loaded);
}

void CQELTReagent::SerializeV1(Archive& ar) {
    CQELTReagent loaded = *this;
    std::string formula = ar.ReadString();
    loaded.SetFormulaText(std::move(formula));
    loaded.SetMolarMass(ar.ReadDouble());
    loaded.enteredMass.value = ar.ReadDouble();
    loaded.enteredMoles.value = ar.ReadDouble();
    loaded.inputKind = ReadKind(ar);
    loaded.SerializeGroup(ar, Direction::Input, loaded.inputKind, true);
    loaded.outputKind = ReadKind(ar);
    loaded.SerializeGroup(ar, Direction::Output, loaded.outputKind, true);
    *this = std::move(loaded);
}

bool CQELTReagent::OutputDescriptionDiffers(const CQELTReagent& other) const {
    if (outputKind != other.outputKind)
        return true;
    if (outputKind == kSolution)
        return !SameAmount(outputConcentration, other.outputConcentration) ||
               !SameAmount(outputVolume, other.outputVolume) || outputVolumeUnit != other.outputVolumeUnit ||
               outputConcentrationUnit != other.outputConcentrationUnit;
    if (outputKind == kGas)
        return !SameAmount(outputPressure, other.outputPressure) ||
               !SameAmount(outputVolume, other.outputVolume) ||
               !SameAmount(outputTemperature, other.outputTemperature) ||
               outputPressureUnit != other.outputPressureUnit ||
               outputGasVolumeUnit != other.outputGasVolumeUnit ||
               outputTemperatureUnit != other.outputTemperatureUnit;
    return false;
}

void CQELTReagent::EnterMass(const CEditableDouble& mass, int displayDigits) {
    const double molarMass = GetMolarMass();
    enteredMass = mass;
    enteredMoles = CEditableDouble(molarMass != 0.0 ? mass.value / molarMass : 0.0,
                                   std::max(mass.digits, displayDigits));
    inputKind = kPlainAmount;
}

void CQELTReagent::EnterMoles(const CEditableDouble& moles, int displayDigits) {
    enteredMoles = moles;
    enteredMass = CEditableDouble(moles.value * GetMolarMass(), std::max(moles.digits, displayDigits));
    inputKind = kPlainAmount;
}
