// Reading a formula's composition: a recursive reader over the formula stack, and the masses built on it.
#include "model/chemical_formula.h"

#include "model/composition_vector.h"
#include "model/element_table.h"
#include "model/formula_stack.h"
#include "model/model_host.h"
#include "model/molar_mass.h"
#include "model/text_utils.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <limits>

namespace {

// The middle dot of Windows-1252.
constexpr char kMiddleDot = '\xB7';

// Brackets and hydrate parts nest no deeper than the stack has levels.
constexpr int kMaxNesting = FormulaStack::kMaxDepth;

bool IsHydrateSeparator(char c) {
    return c == '&' || c == ',' || c == kMiddleDot;
}

bool AtEnd(std::string_view text, std::size_t cursor) {
    return cursor >= text.size();
}

bool At(std::string_view text, std::size_t cursor, char c) {
    return cursor < text.size() && text[cursor] == c;
}

// "(g)", "(s)", "[g)" or "[s)" at the cursor.
bool IsPhaseLabel(std::string_view text, std::size_t cursor) {
    return cursor + 2 < text.size() && (text[cursor + 1] == 'g' || text[cursor + 1] == 's') &&
           text[cursor + 2] == ')';
}

// A whole number used as a multiplier or a charge: a run of digits, or a lone sign (+1, -1). A number with
// a decimal point, a run too large for an int, or anything else is no count, and the formula does not parse.
bool ReadCount(std::string_view text, std::size_t& cursor, int& value) {
    if (At(text, cursor, '+') || At(text, cursor, '-')) {
        value = text[cursor] == '+' ? 1 : -1;
        ++cursor;
        return true;
    }
    std::size_t end = cursor;
    long long n = 0;
    while (end < text.size() && IsDigit(text[end])) {
        n = n * 10 + (text[end] - '0');
        if (n > INT_MAX)
            return false;
        ++end;
    }
    if (end == cursor || At(text, end, '.'))
        return false;
    value = static_cast<int>(n);
    cursor = end;
    return true;
}

bool FitsInt(long long n) {
    return n >= INT_MIN && n <= INT_MAX;
}

// The stack's folds, refused when a count would leave the range of an int.
bool PopAdd(FormulaStack& stack) {
    const int depth = stack.GetDepth();
    if (depth > 1) {
        const CompositionVector& below = stack.GetLevel(depth - 2);
        const CompositionVector& top = stack.GetLevel(depth - 1);
        const int size = std::max(below.GetSize(), top.GetSize());
        for (int i = 0; i < size; ++i) {
            if (!FitsInt(static_cast<long long>(below[i]) + top[i]))
                return false;
        }
    }
    stack.PopAdd();
    return true;
}

bool PopMultiply(FormulaStack& stack) {
    const int depth = stack.GetDepth();
    if (depth > 1) {
        const CompositionVector& below = stack.GetLevel(depth - 2);
        const CompositionVector& top = stack.GetLevel(depth - 1);
        for (int i = 0; i < below.GetSize(); ++i) {
            if (!FitsInt(static_cast<long long>(below[i]) * top[i]))
                return false;
        }
    }
    stack.PopMultiply();
    return true;
}

// Adds the levels above base into the level at base.
bool Fold(FormulaStack& stack, int base) {
    while (stack.GetDepth() > base) {
        if (!PopAdd(stack))
            return false;
    }
    return true;
}

} // namespace

double ChemicalFormula::ParseNumber(std::string_view text, int& length) {
    length = 0;
    if (text.empty())
        return 0.0;
    if (text[0] == '+' || text[0] == '-') {
        length = 1;
        return text[0] == '+' ? 1.0 : -1.0;
    }
    std::size_t end = 0;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    if (end == 0)
        return 0.0;
    if (At(text, end, '.')) {
        ++end;
        while (end < text.size() && IsDigit(text[end]))
            ++end;
    }
    length = static_cast<int>(end);
    double value = 0.0;
    const auto [ptr, error] = std::from_chars(text.data(), text.data() + end, value);
    (void)ptr;
    if (error == std::errc::result_out_of_range)
        value = std::numeric_limits<double>::infinity();
    return value;
}

int ChemicalFormula::MatchSymbol(std::string_view text, int& length) {
    return GetModelHost().GetElementTable().MatchSymbol(text, length);
}

bool ChemicalFormula::ParseGroup(std::string_view text, std::size_t& cursor, FormulaStack& stack, int nesting,
                                 const ElementTable& table) {
    if (nesting > kMaxNesting)
        return false;
    if (AtEnd(text, cursor)) {
        // An empty group is a zero vector.
        stack.PushMultiplier(0);
        return !stack.HasOverflowed();
    }
    const int base = stack.GetDepth() + 1;
    // A count multiplies the last item of its own group: an atom, a charge or a bracketed or hydrate part
    // with something in it. At the start of a group, after a phase label, the electron or an empty part
    // there is no such item, and the formula is in error: the top level would be what stands before the
    // bracket or the separator, or, with nothing there, a count of every element (as in _{12}C).
    bool countable = false;
    for (;;) {
        if (AtEnd(text, cursor))
            return Fold(stack, base);
        const char c = text[cursor];
        int n = 0;
        if (IsDigit(c)) {
            if (!countable || !ReadCount(text, cursor, n))
                return false;
            stack.PushMultiplier(n);
            if (stack.HasOverflowed() || !PopMultiply(stack))
                return false;
        } else if (IsHydrateSeparator(c)) {
            // The hydrate part runs to the end of the text or through the next closing bracket. A count
            // right after the separator, braced or not (&5H2O, &{5}H2O, drawn alike), multiplies that part,
            // which then must hold something.
            ++cursor;
            while (At(text, cursor, '{'))
                ++cursor;
            if (AtEnd(text, cursor))
                continue;
            const int depth = stack.GetDepth();
            if (IsDigit(text[cursor])) {
                if (!ReadCount(text, cursor, n) || AtEnd(text, cursor))
                    return false;
                stack.PushMultiplier(n);
                if (stack.HasOverflowed() || !ParseGroup(text, cursor, stack, nesting + 1, table) ||
                    stack.GetDepth() == depth + 1 || !PopMultiply(stack))
                    return false;
            } else if (!ParseGroup(text, cursor, stack, nesting + 1, table)) {
                return false;
            }
            countable = stack.GetDepth() > depth;
        } else if (c == '(' || c == '[') {
            if (IsPhaseLabel(text, cursor)) {
                cursor += 3;
                countable = false;
                continue;
            }
            if (!Fold(stack, base))
                return false;
            ++cursor;
            const int depth = stack.GetDepth();
            if (!ParseGroup(text, cursor, stack, nesting + 1, table))
                return false;
            countable = stack.GetDepth() > depth;
        } else if (c == ')' || c == ']') {
            // Either bracket closes either; at the outermost level it ends the formula.
            if (!Fold(stack, base))
                return false;
            ++cursor;
            return true;
        } else if (c == '^') {
            // A charge, on a level of its own: ^3+, ^{2-}, ^-, ^+2 ...
            ++cursor;
            if (AtEnd(text, cursor))
                continue;
            if (text[cursor] == '{') {
                ++cursor;
                if (AtEnd(text, cursor))
                    continue;
            }
            if (!ReadCount(text, cursor, n))
                return false;
            if (At(text, cursor, '+'))
                ++cursor;
            if (At(text, cursor, '-')) {
                n = -n;
                ++cursor;
            }
            if (At(text, cursor, '^'))
                ++cursor;
            stack.PushAtom(0, n);
            if (stack.HasOverflowed())
                return false;
            countable = true;
            if (At(text, cursor, '}'))
                ++cursor;
        } else if (c == '_' || c == '{' || c == '}') {
            ++cursor;
        } else {
            // A symbol: the previous atom joins its group first.
            if (stack.GetDepth() > base && !PopAdd(stack))
                return false;
            int length = 1;
            const int row = table.MatchSymbol(text.substr(cursor), length);
            if (row == -1)
                return false;
            // The electron adds nothing; a charge is written with "^".
            if (row != 0) {
                stack.PushAtom(row, 1);
                if (stack.HasOverflowed())
                    return false;
            }
            countable = row != 0;
            cursor += static_cast<std::size_t>(length);
        }
    }
}

CompositionVector ChemicalFormula::GetComposition() const {
    return GetCompositionIn(GetModelHost().GetElementTable());
}

CompositionVector ChemicalFormula::GetCompositionIn(const ElementTable& table) const {
    std::string text;
    text.reserve(m_source.size());
    for (char c : m_source) {
        if (c != '_')
            text += c;
    }
    // The leading coefficient counts for nothing here.
    std::size_t cursor = 0;
    if (!text.empty() && IsDigit(text[0])) {
        int length = 0;
        ParseNumber(text, length);
        cursor = static_cast<std::size_t>(length);
    }
    FormulaStack stack(table.GetCount() + 1);
    if (!ParseGroup(text, cursor, stack, 0, table)) {
        m_parseError = true;
        return CompositionVector(table.GetCount() + 1);
    }
    return stack.GetResult();
}

double ChemicalFormula::GetMolarMass() const {
    const CompositionVector composition = GetComposition();
    return m_parseError ? 0.0 : GetMolarMassOf(composition);
}

double ChemicalFormula::GetMixtureMolarMass() const {
    std::string rest = m_source;
    double sum = 0.0;
    for (;;) {
        char separator = 0;
        std::string part = SplitAtAny(rest, ",", &separator);
        if (!part.empty()) {
            int multiplier = TakeLeadingNumber(part);
            if (multiplier == 0)
                multiplier = 1;
            const ChemicalFormula formula(part);
            sum += multiplier * formula.GetMolarMass();
        }
        if (separator == 0)
            return sum;
    }
}
