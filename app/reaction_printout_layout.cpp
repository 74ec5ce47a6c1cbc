#include "app/reaction_printout_layout.h"

#include "model/chemical_formula.h"
#include "model/float_numbers_string.h"
#include "model/model_host.h"
#include "model/qelt_doc.h"
#include "model/unit_names.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace printout {
namespace {

// Column places in 0.1 mm.
constexpr int kHeadingY = -200;
constexpr int kInputHeadingX = 830;
constexpr int kOutputHeadingX = 1530;
constexpr int kSideHeadingX = 110;
constexpr int kReactantsY = -300;
constexpr int kHeadsAboveRow = 50;
constexpr int kProductsGap = 60;
constexpr int kCoefficientRight = 150;
constexpr int kFormulaLeft = 170;
constexpr int kMolarMassRight = 680;
constexpr int kEnteredMassRight = 930;
constexpr int kEnteredMolesRight = 1180;
constexpr int kLimitingMarkX = 1190;
constexpr int kComputedMassRight = 1530;
constexpr int kComputedMolesRight = 1780;
constexpr int kInputConditionsX = 630;
constexpr int kExcessX = 1310;
constexpr int kOutputConditionsX = 1430;
constexpr int kFootnoteX = 110;

constexpr int kLeftTop = TextAlign::Left | TextAlign::Top;
constexpr int kRightTop = TextAlign::Right | TextAlign::Top;

// A unit's name by its code; a code outside the table (a damaged file can hold any) shows as "???".
std::string_view UnitText(UnitNameTable table, int code) {
    return IsUnitIndex(table, code) ? UnitName(table, code) : std::string_view("???");
}

std::string Fixed(double value) {
    CFloatNumbersString text;
    text.FormatFixed(value);
    return text;
}

std::string Counted(double value) {
    CFloatNumbersString text;
    text.Format(value, GetModelHost().GetDisplayDigits());
    return text;
}

// A value and its unit as the condition lines write them: "0.5mol/L".
std::string Quantity(const CEditableDouble& value, UnitNameTable table, int unit) {
    std::string text = Fixed(value.value);
    text += UnitText(table, unit);
    return text;
}

// The description of an amount: "C=...  V=..." for a solution, "V=...  p=...  T=..." for a gas, nothing
// for a plain amount.
std::string Conditions(int kind, const CEditableDouble& concentration, int concentrationUnit,
                       const CEditableDouble& volume, int volumeUnit, int gasVolumeUnit,
                       const CEditableDouble& pressure, int pressureUnit, const CEditableDouble& temperature,
                       int temperatureUnit) {
    if (kind == CQELTReagent::kSolution)
        return "C=" + Quantity(concentration, ConcentrationUnitNames, concentrationUnit) +
               "  V=" + Quantity(volume, VolumeUnitNames, volumeUnit);
    if (kind == CQELTReagent::kGas)
        return "V=" + Quantity(volume, GasVolumeUnitNames, gasVolumeUnit) +
               "  p=" + Quantity(pressure, PressureUnitNames, pressureUnit) +
               "  T=" + Quantity(temperature, TemperatureUnitNames, temperatureUnit);
    return {};
}

// "%.*lfg": the molar mass with two decimals fewer than the display digits.
std::string MolarMassText(double molarMass) {
    const int decimals = std::clamp(GetModelHost().GetDisplayDigits() - 2, 0, 17);
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, molarMass, std::chars_format::fixed, decimals);
    std::string text = error == std::errc() ? std::string(buffer, end) : std::string("???");
    return text + "g";
}

void Text(DrawingSurface& dc, int align, int x, int y, std::string_view text) {
    dc.SetTextAlign(align);
    dc.TextOut(x, y, text);
}

// The coefficient a row is printed with: manual in manual mode, else balanced, else none (-1).
int PrintedCoefficient(const CQELTDoc& document, int row) {
    if (document.IsManualCoefficients())
        return document.GetManualCoefficient(document.PackedIndex(row));
    if (document.HasBalancedCoefficients())
        return document.GetCoefficient(row);
    return -1;
}

// Draws the rows of one side from y down; returns the y below the last row. A limiting row gets its mark
// and sets the footnote.
int DrawSide(DrawingSurface& dc, const Fonts& fonts, const CQELTDoc& document, bool reactants, int y,
             std::string& footnote) {
    const int count = reactants ? document.GetReactantCount() : document.GetProductCount();
    const int firstRow = reactants ? 0 : CQELTDoc::kFirstProductRow;
    for (int k = 0; k < count; ++k) {
        const int row = firstRow + k;
        DrawReagentRow(dc, fonts, row, PrintedCoefficient(document, row), y, document);
        if (document.IsLimiting(row)) {
            footnote = reactants ? "*limiting reagent" : "*limits reactant amounts";
            dc.SelectFont(fonts.small);
            Text(dc, kLeftTop, kLimitingMarkX, y, "*");
        }
        y -= kRowPitch;
    }
    return y;
}

} // namespace

FontSpec PointFont(int tenthsOfPoint, int weight) {
    // One point is 254/72 tenths of a millimetre.
    const int height = static_cast<int>(std::lround(tenthsOfPoint * 254.0 / 720.0));
    return FontSpec{"Arial", -height, weight, FontSpec::kVariableSwiss};
}

Fonts MakeFonts() {
    return Fonts{PointFont(75, 400), PointFont(100, 400), PointFont(100, 700)};
}

void DrawColumnHeads(DrawingSurface& dc, const FontSpec& small, int y, bool resultsExist) {
    dc.SelectFont(small);
    dc.SetTextAlign(kLeftTop);
    dc.TextOut(580, y, "MW");
    dc.TextOut(810, y, "mass");
    dc.TextOut(1040, y, "moles");
    if (resultsExist) {
        dc.TextOut(1460, y, "mass");
        dc.TextOut(1680, y, "moles");
    }
}

void DrawReagentRow(DrawingSurface& dc, const Fonts& fonts, int row, int coefficient, int y,
                    const CQELTDoc& document) {
    const CQELTReagent* reagent = document.GetReagent(row);
    if (reagent == nullptr)
        return;
    const bool results = document.HasComputedAmounts();

    if (coefficient > 0) {
        dc.SelectFont(fonts.bold);
        Text(dc, kRightTop, kCoefficientRight, y, std::to_string(coefficient));
    }

    ChemicalFormula formula;
    formula.SetText(reagent->GetFormula(), true);
    formula.DrawAt(dc, fonts.normal, fonts.small, kFormulaLeft, y, TextAlign::Left, false);

    dc.SelectFont(fonts.normal);
    Text(dc, kRightTop, kMolarMassRight, y, MolarMassText(reagent->GetMolarMass()));
    if (reagent->enteredMass != 0.0) {
        Text(dc, kRightTop, kEnteredMassRight, y, Counted(reagent->enteredMass.value) + "g");
        Text(dc, kRightTop, kEnteredMolesRight, y, Counted(reagent->enteredMoles.value) + "m");
    }
    if (results) {
        Text(dc, kRightTop, kComputedMassRight, y, Counted(document.GetComputedMass(row)) + "g");
        Text(dc, kRightTop, kComputedMolesRight, y, Counted(document.GetComputedMoles(row)) + "m");
    }

    dc.SelectFont(fonts.small);
    const int below = y - kConditionsDrop;
    const std::string input = Conditions(
        reagent->inputKind, reagent->inputConcentration, reagent->inputConcentrationUnit,
        reagent->inputVolume, reagent->inputVolumeUnit, reagent->inputGasVolumeUnit, reagent->inputPressure,
        reagent->inputPressureUnit, reagent->inputTemperature, reagent->inputTemperatureUnit);
    if (!input.empty())
        Text(dc, kLeftTop, kInputConditionsX, below, input);
    const std::string output =
        Conditions(reagent->outputKind, reagent->outputConcentration, reagent->outputConcentrationUnit,
                   reagent->outputVolume, reagent->outputVolumeUnit, reagent->outputGasVolumeUnit,
                   reagent->outputPressure, reagent->outputPressureUnit, reagent->outputTemperature,
                   reagent->outputTemperatureUnit);
    if (!output.empty())
        Text(dc, kLeftTop, kOutputConditionsX, below, output);
    if (reagent->outputKind == CQELTReagent::kPlainAmount && results && reagent->enteredMass != 0.0 &&
        document.IsInExcess(row)) {
        const std::string excess =
            "excess left: " + Fixed(reagent->enteredMass.value - document.GetComputedMass(row)) + "g   " +
            Fixed(reagent->enteredMoles.value - document.GetComputedMoles(row)) + "m";
        Text(dc, kLeftTop, kExcessX, below, excess);
    }
}

void DrawReaction(DrawingSurface& dc, const CQELTDoc& document) {
    const Fonts fonts = MakeFonts();
    const bool results = document.HasComputedAmounts();

    dc.SelectFont(fonts.bold);
    dc.TextOut(kInputHeadingX, kHeadingY, "Input");
    dc.TextOut(kOutputHeadingX, kHeadingY, "Output");
    dc.SetTextAlign(kLeftTop);
    dc.TextOut(kSideHeadingX, kReactantsY, "Reactants");

    std::string footnote;
    int y = kReactantsY - kRowPitch;
    DrawColumnHeads(dc, fonts.small, y + kHeadsAboveRow, results);
    y = DrawSide(dc, fonts, document, true, y, footnote);

    y -= kProductsGap;
    dc.SelectFont(fonts.bold);
    dc.SetTextAlign(kLeftTop);
    dc.TextOut(kSideHeadingX, y, "Products");
    y -= kRowPitch;
    DrawColumnHeads(dc, fonts.small, y + kHeadsAboveRow, results);
    y = DrawSide(dc, fonts, document, false, y, footnote);

    if (!footnote.empty()) {
        dc.SelectFont(fonts.small);
        dc.SetTextAlign(kLeftTop);
        dc.TextOut(kFootnoteX, y, footnote);
    }
}

} // namespace printout
