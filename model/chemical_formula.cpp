#include "model/chemical_formula.h"

#include "model/text_utils.h"

namespace {

constexpr std::string_view kTrailingBlanks = " \t\r\n";

std::string_view TrimRight(std::string_view text) {
    const std::size_t end = text.find_last_not_of(kTrailingBlanks);
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The marks of the extended notation; a character after a removed mark takes its style unseen, unless it
// is itself a mark.
bool IsMark(char c) {
    return c == '{' || c == '^' || c == '_' || c == '&' || c == '}';
}

bool IsExtendedText(std::string_view text) {
    return text.find_first_of("_^&,") != std::string_view::npos;
}

} // namespace

ChemicalFormula::ChemicalFormula() = default;

ChemicalFormula::ChemicalFormula(std::string_view text) {
    SetText(text, true);
}

void ChemicalFormula::SetText(std::string_view text, bool extended) {
    m_display = std::string(TrimRight(text));
    m_source = m_display;
    ComputeDisplayStyles(extended);
    m_parseError = false;
}

void ChemicalFormula::ComputeDisplayStyles(bool extended) {
    m_styles.clear();
    m_colors.clear();
    const std::size_t n = m_display.size();
    if (n == 0)
        return;

    if (!extended) {
        m_styles.assign(n, CharStyle::Normal);
    } else if (!IsExtendedText(m_display)) {
        // Plain notation: after an optional "?" and the leading coefficient, digits are subscripts.
        m_styles.assign(n, CharStyle::Normal);
        std::size_t i = m_display[0] == '?' ? 1 : 0;
        while (i < n && IsDigit(m_display[i]))
            ++i;
        for (; i < n; ++i) {
            if (IsDigit(m_display[i]))
                m_styles[i] = CharStyle::Subscript;
        }
    } else {
        // Extended notation: strip the marks while walking the text once.
        std::string shown;
        shown.reserve(n);
        m_styles.reserve(n);
        CharStyle style = CharStyle::Normal;
        bool inBraces = false;
        bool passNext = false;
        // Only the dot itself is drawn as the hydrate dot: a count braced after it (&{5}H2O) is shown and
        // written as a count of the hydrate, not hidden in the dot's run.
        const auto show = [&](char c) {
            if (style == CharStyle::HydrateDot)
                style = CharStyle::Normal;
            shown += c;
            m_styles.push_back(style);
        };
        for (char c : m_display) {
            if (passNext && !IsMark(c)) {
                passNext = false;
                show(c);
                continue;
            }
            passNext = false;
            switch (c) {
            case '&':
                style = CharStyle::HydrateDot;
                shown += '.';
                m_styles.push_back(style);
                break;
            case '^':
                style = CharStyle::Superscript;
                passNext = true;
                break;
            case '_':
                style = CharStyle::Subscript;
                passNext = true;
                break;
            case '{':
                inBraces = true;
                passNext = true;
                break;
            case '}':
                inBraces = false;
                style = CharStyle::Normal;
                passNext = true;
                break;
            default:
                if (!inBraces)
                    style = CharStyle::Normal;
                show(c);
                break;
            }
        }
        m_display = std::move(shown);
    }
    m_colors.assign(m_display.size(), kDefaultTextColor);
}

void ChemicalFormula::SetCoefficientColor(ColorRef color) {
    if (m_display.empty())
        return;
    if (m_display[0] == '?') {
        m_colors[0] = kUnknownCoefficientColor;
        return;
    }
    for (std::size_t i = 0; i < m_display.size() && IsDigit(m_display[i]); ++i)
        m_colors[i] = color;
}

int ChemicalFormula::GetPhase() const {
    if (m_source.find("(s)") != std::string::npos)
        return kPhaseSolid;
    if (m_source.find("(g)") != std::string::npos)
        return kPhaseGas;
    if (m_source.find("(a)") != std::string::npos)
        return kPhaseAqueous;
    return kPhaseNone;
}
