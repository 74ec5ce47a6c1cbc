#pragma once

#include <cstdint>

// Identifiers of the reaction form views: the per-row control kinds (id = kind base + row index, one block
// of 256 ids per kind), the controls of the forms, the commands the views handle and the update hints they
// exchange through their document.
namespace reaction_view {

// Rows: 0..127 reactants, 128..255 products; each side holds at most 126 rows.
inline constexpr int kRowCount = 256;
inline constexpr int kFirstProductRow = 128;
inline constexpr int kMaxRowsPerSide = 126;

inline bool IsProductRow(int row) {
    return row >= kFirstProductRow;
}

// The slots of one row of controls, in table order; a row exists while its formula edit (slot 0) does.
enum Slot {
    kFormulaSlot = 0,
    kRemoveSlot = 1,
    kDatabaseSlot = 2,
    kMolarMassSlot = 3,
    kMolesSlot = 4,
    kMassSlot = 5,
    kComputedMolesSlot = 6,
    kComputedMassSlot = 7,
    kCoefficientSlot = 8,
    kGasInputSlot = 9,
    kSolutionInputSlot = 10,
    kGasOutputSlot = 11,
    kSolutionOutputSlot = 12,
    kEquationSlot = 13,
    kMolarMassUnitSlot = 14,
    kMassUnitSlot = 15,
    kMolesUnitSlot = 16,
    kSlotCount = 18, // slot 17 holds no control
};

// Id bases of the per-row controls.
inline constexpr int kRemoveBase = 0x4000;
inline constexpr int kFormulaBase = 0x4100;
inline constexpr int kMolarMassBase = 0x4200;
inline constexpr int kMolesBase = 0x4300;
inline constexpr int kMassBase = 0x4400;
inline constexpr int kGasInputBase = 0x4600;
inline constexpr int kSolutionInputBase = 0x4700;
inline constexpr int kEquationBase = 0x4800;
inline constexpr int kComputedMolesBase = 0x4900;
inline constexpr int kComputedMassBase = 0x4A00;
inline constexpr int kMolarMassUnitBase = 0x4B00;
inline constexpr int kMassUnitBase = 0x4C00;
inline constexpr int kMolesUnitBase = 0x4D00;
inline constexpr int kGasOutputBase = 0x4E00;
inline constexpr int kSolutionOutputBase = 0x4F00;
inline constexpr int kCoefficientBase = 0x5000;
inline constexpr int kDatabaseBase = 0x5100;

// The id base of a slot's control kind; -1 for the empty slot.
inline constexpr int kSlotBase[kSlotCount] = {
    kFormulaBase,        kRemoveBase,        kDatabaseBase,
    kMolarMassBase,      kMolesBase,         kMassBase,
    kComputedMolesBase,  kComputedMassBase,  kCoefficientBase,
    kGasInputBase,       kSolutionInputBase, kGasOutputBase,
    kSolutionOutputBase, kEquationBase,      kMolarMassUnitBase,
    kMassUnitBase,       kMolesUnitBase,     -1,
};

// Forms and their fixed controls.
inline constexpr int kDefaultForm = 183;
inline constexpr int kAlternateForm = 184;
inline constexpr int kAddProductButton = 113;
inline constexpr int kAddReactantButton = 114;
inline constexpr int kClearAmountsButton = 120;
inline constexpr int kManualCoefficientsCheck = 143;
inline constexpr int kFormulaLabel = 167;
// Default form: the "Input" and "Output" group boxes and the markers of the second reactant column and of
// the first product column.
inline constexpr int kInputGroup = 215;
inline constexpr int kOutputGroup = 152;
inline constexpr int kSecondReactantMarker = 137;
inline constexpr int kFirstProductMarker = 138;
// Alternate form: the "Reactants" and "Products" group boxes and the marker of the second reactant line.
inline constexpr int kReactantsGroup = 135;
inline constexpr int kProductsGroup = 133;
inline constexpr int kSecondLineMarker = 136;

// Commands of the views and of their document.
inline constexpr int kDefaultUICommand = 118;
inline constexpr int kAlternateUICommand = 115;
inline constexpr int kPrintoutCommand = 165;
// Help context ids of the two view frames (their document templates).
inline constexpr int kDefaultViewHelpContext = 201;
inline constexpr int kAlternateViewHelpContext = 202;

// Update hints: the high part selects the action, the low 16 bits carry a control id.
inline constexpr std::uintptr_t kHintActionMask = 0xFF0000;
inline constexpr std::uintptr_t kHintReactantAdded = 0x10000;
inline constexpr std::uintptr_t kHintProductAdded = 0x20000;
inline constexpr std::uintptr_t kHintRowRemoved = 0x30000; // + the remove button's id
inline constexpr std::uintptr_t kHintRedraw = 0;

} // namespace reaction_view
