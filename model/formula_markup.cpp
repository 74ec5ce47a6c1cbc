// The formula as text for other programs: HTML, RTF, UBBC and LaTeX of the display form, and the sorted
// plain formula of its composition.
#include "model/chemical_formula.h"

#include "model/composition_vector.h"
#include "model/element_table.h"
#include "model/model_host.h"

#include <array>
#include <string>

namespace {

// How one mark-up language writes a run of characters of each style (indexed by CharStyle).
struct MarkupSyntax {
    std::array<const char*, 4> open;
    std::array<const char*, 4> close;
    // A run of hydrate dots may stand for itself or be replaced by the opening alone.
    std::array<bool, 4> writeCharacters;
};

constexpr MarkupSyntax kHtml{
    {"", "<sub>", "<sup>", "&middot;"}, {"", "</sub>", "</sup>", ""}, {true, true, true, false}};
constexpr MarkupSyntax kRtf{
    {"", "{\\sub ", "{\\super ", "{\\super "}, {"", "}", "}", "}"}, {true, true, true, true}};
constexpr MarkupSyntax kUbbc{
    {"", "[sub]", "[sup]", "[sup]"}, {"", "[/sub]", "[/sup]", "[/sup]"}, {true, true, true, true}};
constexpr MarkupSyntax kLatex{
    {"\\textrm{", "_{", "^{", "\\cdot"}, {"}", "}", "}", ""}, {true, true, true, false}};

std::string RenderRuns(const std::string& text, const std::vector<CharStyle>& styles,
                       const MarkupSyntax& syntax) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const CharStyle style = styles[i];
        std::size_t end = i + 1;
        while (end < text.size() && styles[end] == style)
            ++end;
        const auto s = static_cast<std::size_t>(style);
        out += syntax.open[s];
        if (syntax.writeCharacters[s])
            out.append(text, i, end - i);
        out += syntax.close[s];
        i = end;
    }
    return out;
}

// Carbon, hydrogen, nitrogen, oxygen, sulfur and phosphorus lead a sorted formula.
constexpr std::array<int, 6> kLeadingRows{6, 1, 7, 8, 16, 15};

bool IsLeadingRow(int row) {
    for (int leading : kLeadingRows) {
        if (row == leading)
            return true;
    }
    return false;
}

} // namespace

std::string ChemicalFormula::ToHTML() const {
    return RenderRuns(m_display, m_styles, kHtml);
}

std::string ChemicalFormula::ToRTF() const {
    return RenderRuns(m_display, m_styles, kRtf);
}

std::string ChemicalFormula::ToUBBC() const {
    return RenderRuns(m_display, m_styles, kUbbc);
}

std::string ChemicalFormula::ToLaTeX() const {
    return RenderRuns(m_display, m_styles, kLatex);
}

std::string ChemicalFormula::ToSortedFormula() const {
    const CompositionVector composition = GetComposition();
    const ElementTable& table = GetModelHost().GetElementTable();
    const int rows = table.GetCount();
    std::string out;
    const auto append = [&](int row) {
        if (row >= rows)
            return;
        const int n = composition[row];
        if (n != 0)
            out += table[row].GetSymbol();
        if (n >= 2)
            out += std::to_string(n);
    };
    for (int row : kLeadingRows)
        append(row);
    // Row 0 is the electron, whose slot carries the charge: never written.
    for (int row = 2; row < rows; ++row) {
        if (!IsLeadingRow(row))
            append(row);
    }
    return out;
}
