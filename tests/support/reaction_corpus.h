#pragma once

#include <array>
#include <string_view>

// Published equations that are hard to balance by hand, written as a user types them. An equation that
// balances is given in its balanced form: the leading numbers are the known smallest coefficients (none means
// 1). One that cannot be balanced carries the message the balancing must give instead.
struct CorpusReaction {
    std::string_view name;
    std::string_view equation;
    std::string_view message; // empty: the equation balances with its written coefficients
};

inline constexpr std::array<CorpusReaction, 44> kReactionCorpus = {{
    // Redox in molecular form.
    {"permanganate and hydrochloric acid", "2KMnO4 + 16HCl = 2KCl + 2MnCl2 + 8H2O + 5Cl2", ""},
    {"dichromate and hydrochloric acid", "K2Cr2O7 + 14HCl = 2KCl + 2CrCl3 + 7H2O + 3Cl2", ""},
    {"copper in dilute nitric acid", "3Cu + 8HNO3 = 3Cu(NO3)2 + 2NO + 4H2O", ""},
    {"copper in concentrated nitric acid", "Cu + 4HNO3 = Cu(NO3)2 + 2NO2 + 2H2O", ""},
    {"permanganate and iron(II) sulfate", "2KMnO4 + 10FeSO4 + 8H2SO4 = K2SO4 + 2MnSO4 + 5Fe2(SO4)3 + 8H2O",
     ""},
    {"hexacyanoferrate and permanganate",
     "10K4Fe(CN)6 + 122KMnO4 + 299H2SO4 = 162KHSO4 + 5Fe2(SO4)3 + 122MnSO4 + 60HNO3 + 60CO2 + 188H2O", ""},
    {"arsenic sulfide and nitric acid", "3As2S3 + 28HNO3 + 4H2O = 6H3AsO4 + 9H2SO4 + 28NO", ""},
    {"white phosphorus disproportionation", "P4 + 3NaOH + 3H2O = 3NaH2PO2 + PH3", ""},
    {"zinc and very dilute nitric acid", "4Zn + 10HNO3 = 4Zn(NO3)2 + NH4NO3 + 3H2O", ""},
    {"copper(I) sulfide and nitric acid", "Cu2S + 12HNO3 = Cu(NO3)2 + CuSO4 + 10NO2 + 6H2O", ""},
    {"ammonium perchlorate and aluminium", "3NH4ClO4 + 3Al = Al2O3 + AlCl3 + 3NO + 6H2O", ""},
    {"sulfuric acid and hydrogen iodide", "H2SO4 + 8HI = H2S + 4I2 + 4H2O", ""},
    {"toluene oxidised by permanganate", "5C7H8 + 6KMnO4 + 9H2SO4 = 5C7H6O2 + 3K2SO4 + 6MnSO4 + 14H2O", ""},
    {"phosphorus from phosphate rock", "2Ca3(PO4)2 + 6SiO2 + 10C = 6CaSiO3 + P4 + 10CO", ""},
    {"sugar and saltpetre", "5C12H22O11 + 48KNO3 = 24K2CO3 + 36CO2 + 24N2 + 55H2O", ""},
    {"protein oxidised by permanganate",
     "5C254H377N65O75S6 + 1604KMnO4 + 2376H2SO4 = 802K2SO4 + 1604MnSO4 + 1270CO2 + 325HNO3 + 3156H2O", ""},
    // Ionic, with charges.
    {"permanganate and iron(II) ions", "MnO4^- + 5Fe^2+ + 8H^+ = Mn^2+ + 5Fe^3+ + 4H2O", ""},
    {"dichromate and iron(II) ions", "Cr2O7^2- + 6Fe^2+ + 14H^+ = 2Cr^3+ + 6Fe^3+ + 7H2O", ""},
    {"permanganate and oxalate", "2MnO4^- + 5C2O4^2- + 16H^+ = 2Mn^2+ + 10CO2 + 8H2O", ""},
    {"dichromate and iodide", "Cr2O7^2- + 6I^- + 14H^+ = 2Cr^3+ + 3I2 + 7H2O", ""},
    {"permanganate and sulfite in base", "2MnO4^- + 3SO3^2- + H2O = 2MnO2 + 3SO4^2- + 2OH^-", ""},
    {"copper and nitrate in acid", "3Cu + 2NO3^- + 8H^+ = 3Cu^2+ + 2NO + 4H2O", ""},
    {"ethanol and dichromate", "3C2H5OH + 2Cr2O7^2- + 16H^+ = 3CH3COOH + 4Cr^3+ + 11H2O", ""},
    {"thiosulfate and iodine", "2S2O3^2- + I2 = S4O6^2- + 2I^-", ""},
    {"iron(III) reduced by an electron", "Fe^{3+} + e^- = Fe^{2+}", ""},
    {"silver chloride precipitation", "Ag^+ + Cl^- = AgCl", ""},
    {"copper displacing silver", "Cu + 2Ag^+ = Cu^2+ + 2Ag", ""},
    // Hydrates.
    {"copper sulfate pentahydrate", "CuSO4.5H2O = CuSO4 + 5H2O", ""},
    {"washing soda and hydrochloric acid", "Na2CO3.10H2O + 2HCl = 2NaCl + CO2 + 11H2O", ""},
    {"cobalt chloride hexahydrate", "CoCl2&6H2O = CoCl2 + 6H2O", ""},
    {"Epsom salt", "MgSO4.7H2O = MgSO4 + 7H2O", ""},
    // Complexes.
    {"tetraamminecopper(II) sulfate", "CuSO4 + 4NH3 = [Cu(NH3)4]SO4", ""},
    {"diamminesilver(I)", "Ag^+ + 2NH3 = [Ag(NH3)2]^+", ""},
    {"iron(III) thiocyanate", "Fe^3+ + SCN^- = [Fe(SCN)]^2+", ""},
    {"hexaamminecobalt(III) chloride", "4CoCl2 + 4NH4Cl + 20NH3 + O2 = 4[Co(NH3)6]Cl3 + 2H2O", ""},
    // Large organic molecules.
    {"glucose combustion", "C6H12O6 + 6O2 = 6CO2 + 6H2O", ""},
    {"octane combustion", "2C8H18 + 25O2 = 16CO2 + 18H2O", ""},
    {"tristearin combustion", "2C57H110O6 + 163O2 = 114CO2 + 110H2O", ""},
    {"benzoic acid combustion", "2C6H5COOH + 15O2 = 14CO2 + 6H2O", ""},
    // No solution, or infinitely many.
    {"hydrogen peroxide on the wrong side", "H2O2 + O2 = H2O",
     "Can't balance without negative coefficients."},
    {"two independent reactions", "H2 + O2 = H2O + H2O2", "Can't balance - too many substances."},
    {"alkenes in any proportion", "C2H4 + C3H6 = C5H10", "Can't balance - singular matrix."},
    {"only the zero solution", "KOH = K2O + H2O2", "Can't balance - inconsistent system of equations."},
    {"electron against positron", "e^- = e^+", "Can't balance without negative coefficients."},
}};
