// Feeds arbitrary bytes to a chemical formula: display styles in both notations, colours, composition, the
// masses, the phase, every renderer and the drawing, shrunk or not. No input may crash, overflow or hang,
// and no formula that parses may count an element its text does not name.
#include "model/chemical_formula.h"

#include "model/composition_vector.h"
#include "model/element_table.h"
#include "model/model_host.h"
#include "support/named_rows.h"
#include "support/recording_surface.h"
#include "support/test_model_host.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The built-in table with a few moieties, so that longer symbols are matched too.
TestModelHost& Host() {
    static TestModelHost host;
    static const bool moieties = [] {
        ElementTable& table = host.GetElementTable();
        table.AddElement("Cit", "C6H5O7", "", 189.1, 1);
        table.AddElement("Ph", "C6H5", "", 77.1, 1);
        table.AddElement("Me", "CH3", "", 15.0, 1);
        return true;
    }();
    (void)moieties;
    return host;
}

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetModelHost(&Host());
    if (size < 2)
        return 0;
    const std::uint8_t options = data[0];
    const int maxWidth = static_cast<int>(data[1]) - 16;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    ChemicalFormula formula;
    formula.SetText(text, (options & 1) == 0);
    formula.SetCoefficientColor(0x008000);
    const std::size_t length = static_cast<std::size_t>(formula.GetLength());
    Check(formula.GetDisplayText().size() == length);
    Check(formula.GetStyles().size() == length && formula.GetColors().size() == length);

    const CompositionVector composition = formula.GetComposition();
    const double mass = formula.GetMolarMass();
    if (formula.HasParseError())
        Check(composition == CompositionVector() && mass == 0.0);
    else
        Check(NamesEveryRowItCounts(formula.GetSourceText(), composition, Host().GetElementTable()));
    formula.GetMixtureMolarMass();
    formula.GetPhase();

    const std::string html = formula.ToHTML();
    const std::string rtf = formula.ToRTF();
    const std::string ubbc = formula.ToUBBC();
    const std::string latex = formula.ToLaTeX();
    formula.ToSortedFormula();
    if (length == 0)
        Check(html.empty() && rtf.empty() && ubbc.empty() && latex.empty());

    RecordingSurface surface((options & 2) != 0);
    const FontSpec normal{"Arial", (options & 4) ? -20 : 20, 400, FontSpec::kVariableSwiss};
    const FontSpec small{"Arial", (options & 4) ? -12 : 12, 400, FontSpec::kVariableSwiss};
    // Left, right, centre, and a value that aligns nothing.
    constexpr int kAlignments[] = {TextAlign::Left, TextAlign::Right, TextAlign::Center, 4};
    const int alignment = kAlignments[(options >> 3) & 3];
    formula.Draw(surface, normal, small, 100, 100, alignment, (options & 0x40) != 0,
                 (options & 0x80) ? maxWidth : 0, 40);
    Check(surface.SaveDepth() == 0);
    Check(surface.texts.size() == (length <= ChemicalFormula::kMaxDrawnLength ? length : 0));
    formula.DrawInControl(surface, SurfaceRect{0, 0, 200, 40}, 0xF0F0F0, normal, small, alignment);
    Check(surface.SaveDepth() == 0);
    return 0;
}
