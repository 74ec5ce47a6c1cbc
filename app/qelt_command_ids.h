#pragma once

// The program's own commands (menus 201-203, accelerator table 203, tool bar 203). The standard ones
// (File New, Save, Exit, ...) are in platform/ui/command_ids.h.
namespace qelt_cmd {
inline constexpr int MoietiesEditor = 100;
inline constexpr int NewFromClipboard = 102;
inline constexpr int NewFromString = 103;
inline constexpr int STPDefinition = 106;
inline constexpr int Tutorial = 108;
inline constexpr int AddProduct = 113;
inline constexpr int AddReactant = 114;
inline constexpr int AlternateUI = 115;
inline constexpr int DefaultUI = 118;
inline constexpr int SubstancesDatabase = 127;
inline constexpr int ElementalAnalysis = 129;
inline constexpr int ConcentrationCalculator = 149;
inline constexpr int Percentages = 154;
inline constexpr int IdealGasCalculator = 157;
inline constexpr int Printout = 165;
inline constexpr int CopyHtml = 193;
inline constexpr int CopyLatex = 194;
inline constexpr int CopyText = 195;
inline constexpr int CopyUbbc = 196;
inline constexpr int FormulaSort = 198;
inline constexpr int TipOfTheDay = 200;
inline constexpr int BalanceWithH = 216;
inline constexpr int BalanceWithOH = 217;
inline constexpr int Digits6 = 2034;
inline constexpr int Digits4 = 2036;
inline constexpr int DatabasePath = 2080;
inline constexpr int DatabasePassword = 2081;
inline constexpr int SaveDatabase = 2089;
inline constexpr int WindowWidthUp16 = 2090;
inline constexpr int WindowWidthDown16 = 2091;
inline constexpr int CycleWindowSize = 2092;
} // namespace qelt_cmd

// Resource ids: the two reaction templates (menu, icon, document strings) and the main frame.
namespace qelt_res {
inline constexpr int ReactionTemplate = 201;
inline constexpr int AlternateTemplate = 202;
inline constexpr int MainFrame = 203;
// Help contexts of the three views.
inline constexpr int DefaultViewHelp = 201;
inline constexpr int AlternateViewHelp = 202;
inline constexpr int PrintoutHelp = 182;
// Messages.
inline constexpr int CantCreateView = 205;  // "Can't create view."
inline constexpr int CantCreateFrame = 206; // "Can't create window frame."
} // namespace qelt_res
