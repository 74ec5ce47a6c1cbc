#include "app/formula_copy.h"

#include "model/chemical_formula.h"
#include "platform/ui/clipboard.h"

namespace formula_copy {

std::string Render(const std::string& formula, Syntax syntax) {
    if (syntax == Syntax::Text)
        return formula;
    const ChemicalFormula rendered(formula);
    switch (syntax) {
    case Syntax::Html:
        return rendered.ToHTML();
    case Syntax::Ubbc:
        return rendered.ToUBBC();
    case Syntax::LaTeX:
        return rendered.ToLaTeX();
    case Syntax::Text:
        break;
    }
    return formula;
}

std::string RichText(const std::string& formula) {
    return "{\\rtf1\\ansi{" + ChemicalFormula(formula).ToRTF() + "}}";
}

void Copy(const std::string& formula, Syntax syntax) {
    ui::PutOnClipboard(Render(formula, syntax), ui::ClipboardFormat::Text, false);
    if (syntax == Syntax::Text || syntax == Syntax::Html)
        ui::PutOnClipboard(RichText(formula), ui::ClipboardFormat::RichText, true);
}

} // namespace formula_copy
