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

// Reads a formula's groups onto the stack: a group, from the cursor to the end of the text or past its
// closing bracket, is left as one level (none when it holds nothing). Each kind of item has its own step,
// which moves the cursor past it and answers false when the formula does not parse.
class GroupReader {
public:
    GroupReader(std::string_view text, std::size_t& cursor, FormulaStack& stack, const ElementTable& table)
        : m_text(text), m_cursor(cursor), m_stack(stack), m_table(table) {}

    bool ReadGroup(int nesting) {
        if (nesting > kMaxNesting)
            return false;
        if (AtEnd()) {
            // An empty group is a zero vector.
            m_stack.PushMultiplier(0);
            return !m_stack.HasOverflowed();
        }
        Group group{nesting, m_stack.GetDepth() + 1};
        while (!AtEnd()) {
            const char c = m_text[m_cursor];
            bool read = true;
            if (IsDigit(c)) {
                read = ReadMultiplier(group);
            } else if (IsHydrateSeparator(c)) {
                read = ReadHydratePart(group);
            } else if (c == '(' || c == '[') {
                read = ReadBracketedPart(group);
            } else if (c == ')' || c == ']') {
                // Either bracket closes either; at the outermost level it ends the formula.
                if (!Fold(m_stack, group.base))
                    return false;
                ++m_cursor;
                return true;
            } else if (c == '^') {
                read = ReadCharge(group);
            } else if (c == '_' || c == '{' || c == '}') {
                ++m_cursor;
            } else {
                read = ReadAtom(group);
            }
            if (!read)
                return false;
        }
        return Fold(m_stack, group.base);
    }

private:
    // What one group keeps while it is read.
    struct Group {
        int nesting;
        // The level of the group's first item: the levels above it are added into it when the group ends.
        int base;
        // Whether a count has an item of this group to multiply: an atom, a charge or a bracketed or hydrate
        // part with something in it. At the start of a group, after a phase label, the electron or an empty
        // part there is no such item, and the formula is in error: the top level would be what stands before
        // the bracket or the separator, or, with nothing there, a count of every element (as in _{12}C).
        bool countable = false;
    };

    // A count: it multiplies the group's last item.
    bool ReadMultiplier(const Group& group) {
        int n = 0;
        return group.countable && ReadCount(m_text, m_cursor, n) && PushMultiplier(n) && PopMultiply(m_stack);
    }

    // A hydrate part: it runs to the end of the text or through the next closing bracket. A count right
    // after the separator, braced or not (&5H2O, &{5}H2O, drawn alike), multiplies that part, which then
    // must hold something.
    bool ReadHydratePart(Group& group) {
        ++m_cursor;
        while (At(m_text, m_cursor, '{'))
            ++m_cursor;
        if (AtEnd())
            return true;
        const int depth = m_stack.GetDepth();
        if (IsDigit(m_text[m_cursor])) {
            int n = 0;
            if (!ReadCount(m_text, m_cursor, n) || AtEnd() || !PushMultiplier(n) ||
                !ReadGroup(group.nesting + 1) || m_stack.GetDepth() == depth + 1 || !PopMultiply(m_stack))
                return false;
        } else if (!ReadGroup(group.nesting + 1)) {
            return false;
        }
        group.countable = m_stack.GetDepth() > depth;
        return true;
    }

    // A bracketed part, after the group's items so far are added together; or a phase label ("(g)", "(s)",
    // "[g)", "[s)"), which is passed over and leaves nothing to count.
    bool ReadBracketedPart(Group& group) {
        if (IsPhaseLabel(m_text, m_cursor)) {
            m_cursor += 3;
            group.countable = false;
            return true;
        }
        if (!Fold(m_stack, group.base))
            return false;
        ++m_cursor;
        const int depth = m_stack.GetDepth();
        if (!ReadGroup(group.nesting + 1))
            return false;
        group.countable = m_stack.GetDepth() > depth;
        return true;
    }

    // A charge, on a level of its own: ^3+, ^{2-}, ^-, ^+2 ...
    bool ReadCharge(Group& group) {
        ++m_cursor;
        Skip('{');
        if (AtEnd())
            return true;
        int n = 0;
        if (!ReadCount(m_text, m_cursor, n))
            return false;
        Skip('+');
        if (Skip('-'))
            n = -n;
        Skip('^');
        m_stack.PushAtom(0, n);
        if (m_stack.HasOverflowed())
            return false;
        group.countable = true;
        Skip('}');
        return true;
    }

    // An element or moiety symbol: the previous atom joins its group first. The electron adds nothing (a
    // charge is written with "^") and leaves nothing to count.
    bool ReadAtom(Group& group) {
        if (m_stack.GetDepth() > group.base && !PopAdd(m_stack))
            return false;
        int length = 1;
        const int row = m_table.MatchSymbol(m_text.substr(m_cursor), length);
        if (row == -1)
            return false;
        if (row != 0) {
            m_stack.PushAtom(row, 1);
            if (m_stack.HasOverflowed())
                return false;
        }
        group.countable = row != 0;
        m_cursor += static_cast<std::size_t>(length);
        return true;
    }

    bool PushMultiplier(int n) {
        m_stack.PushMultiplier(n);
        return !m_stack.HasOverflowed();
    }

    bool AtEnd() const { return m_cursor >= m_text.size(); }

    // Moves past the character when it stands at the cursor.
    bool Skip(char c) {
        if (!At(m_text, m_cursor, c))
            return false;
        ++m_cursor;
        return true;
    }

    std::string_view m_text;
    std::size_t& m_cursor;
    FormulaStack& m_stack;
    const ElementTable& m_table;
};

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
    return GroupReader(text, cursor, stack, table).ReadGroup(nesting);
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
