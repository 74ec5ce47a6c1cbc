// Compares the matcher with the C library's POSIX extended regular expressions. Random patterns of the
// language both share are printed in both syntaxes and searched in random texts; the start and length of
// the leftmost-longest match must agree in every case.
//
// QELT_PATTERN_DIFF_CASES sets the number of (pattern, text) cases, QELT_PATTERN_DIFF_SEED the seed.
#include "pattern/rexi_charset.h"
#include "pattern/rexi_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <random>
#include <regex.h>
#include <string>
#include <utility>
#include <vector>

#include "search_helpers.h"

namespace {

// Bytes that patterns and texts are made of: a few letters often, so that matches happen, and now and
// then a byte that is special to one syntax or the other, a blank or a high byte.
const std::string kCommon = "abcAB";
const std::string kRare = "xX0.-$^()[]*+?|=\\{} \t\xB7\xE9";

struct Node {
    enum Kind { Char, Any, Bracket, Group, Seq, Alt };
    Kind kind = Char;
    unsigned char ch = 0;                                       // Char
    bool negate = false;                                        // Bracket
    std::vector<std::pair<unsigned char, unsigned char>> items; // Bracket: single bytes and ranges
    std::vector<Node> kids;                                     // Group (one), Seq, Alt
    char postfix = 0;                                           // '*', '+', '?' or 'i' (fold)
};

class Generator {
public:
    explicit Generator(unsigned seed) : m_rng(seed) {}

    Node Pattern() { return Expr(0); }

    std::string Text() {
        std::string text;
        const int length = Pick(11);
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(Byte());
        return text;
    }

    // The pattern in this matcher's syntax, with escapes and blanks varied at random.
    std::string Ours(const Node& node) {
        std::string out;
        switch (node.kind) {
        case Node::Char:
            out = Blanks() + OursChar(node.ch);
            break;
        case Node::Any:
            out = Blanks() + ".";
            break;
        case Node::Bracket:
            out = Blanks() + "[" + (node.negate ? "^" : "");
            for (const auto& [lo, hi] : node.items) {
                out += OursBracketChar(lo);
                if (lo != hi)
                    out += "-" + OursBracketChar(hi);
            }
            out += "]";
            break;
        case Node::Group:
            out = Blanks() + "(" + Ours(node.kids[0]) + Blanks() + ")";
            break;
        case Node::Seq:
            for (const Node& kid : node.kids)
                out += Ours(kid);
            break;
        case Node::Alt:
            for (std::size_t i = 0; i < node.kids.size(); ++i)
                out += (i ? Blanks() + "|" : "") + Ours(node.kids[i]);
            break;
        }
        if (node.postfix != 0)
            out += Blanks() + (node.postfix == 'i' ? std::string("\\i") : std::string(1, node.postfix));
        return out;
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool Chance(int percent) { return Pick(100) < percent; }

    unsigned char Byte() {
        const std::string& from = Chance(80) ? kCommon : kRare;
        return static_cast<unsigned char>(from[Pick(static_cast<int>(from.size()))]);
    }

    Node Expr(int depth) {
        Node node = Term(depth);
        const int branches = Chance(25) ? 2 + Pick(2) : 1;
        if (branches == 1)
            return node;
        Node alt;
        alt.kind = Node::Alt;
        alt.kids.push_back(std::move(node));
        for (int i = 1; i < branches; ++i)
            alt.kids.push_back(Term(depth));
        return alt;
    }

    Node Term(int depth) {
        const int count = 1 + Pick(depth == 0 ? 4 : 3);
        if (count == 1)
            return Factor(depth);
        Node seq;
        seq.kind = Node::Seq;
        for (int i = 0; i < count; ++i)
            seq.kids.push_back(Factor(depth));
        return seq;
    }

    Node Factor(int depth) {
        Node node = Atom(depth);
        static const char kPostfixes[] = {'*', '+', '?', 'i'};
        if (Chance(35))
            node.postfix = kPostfixes[Pick(4)];
        return node;
    }

    Node Atom(int depth) {
        Node node;
        const int roll = Pick(100);
        if (roll < 15 && depth < 3) {
            node.kind = Node::Group;
            node.kids.push_back(Expr(depth + 1));
        } else if (roll < 30) {
            node.kind = Node::Bracket;
            node.negate = Chance(25);
            const int items = 1 + Pick(3);
            for (int i = 0; i < items; ++i) {
                const unsigned char lo = Byte();
                const unsigned char hi = Chance(30) ? Byte() : lo;
                node.items.emplace_back(lo, hi);
            }
        } else if (roll < 36) {
            node.kind = Node::Any;
        } else {
            node.kind = Node::Char;
            node.ch = Byte();
        }
        return node;
    }

    std::string Blanks() {
        if (!Chance(10))
            return {};
        return Chance(50) ? " " : " \t ";
    }

    std::string Hex(unsigned char c) {
        static const char kUpper[] = "0123456789ABCDEF";
        static const char kLower[] = "0123456789abcdef";
        const char* digits = Chance(50) ? kUpper : kLower;
        return std::string("\\x") + digits[c >> 4] + digits[c & 15];
    }

    std::string OursChar(unsigned char c) {
        if (Chance(15))
            return Hex(c);
        if (c == '\t')
            return "\\t";
        if (c == ' ')
            return "\\x20";
        if (std::string(".[()*+?|=$\\").find(static_cast<char>(c)) != std::string::npos)
            return std::string("\\") + static_cast<char>(c);
        const bool punctuation = c < 0x80 && !std::isalnum(c);
        if (punctuation && Chance(50))
            return std::string("\\") + static_cast<char>(c);
        return std::string(1, static_cast<char>(c));
    }

    std::string OursBracketChar(unsigned char c) {
        if (Chance(15))
            return Hex(c);
        if (c == ']' || c == '-' || c == '^' || c == '\\')
            return std::string("\\") + static_cast<char>(c);
        if (c == '\t' && Chance(50))
            return "\\t";
        return std::string(1, static_cast<char>(c));
    }

    std::mt19937 m_rng;
};

// --- The same pattern as a POSIX extended regular expression ---------------------------------------

REXI_CharSet Folded(REXI_CharSet set) {
    for (unsigned c = 'A'; c <= 'Z'; ++c) {
        if (set.test(c))
            set.set(c - 'A' + 'a');
    }
    return set;
}

int Category(unsigned c) {
    if (c >= '0' && c <= '9')
        return 1;
    if (c >= 'A' && c <= 'Z')
        return 2;
    if (c >= 'a' && c <= 'z')
        return 3;
    return 0;
}

// The members of a bracket expression, placed so that none of `]`, `-`, `^`, `[` takes a special meaning.
std::string PosixMembers(const REXI_CharSet& set) {
    const bool close = set.test(']'), dash = set.test('-'), open = set.test('['), caret = set.test('^');
    std::string out;
    if (close)
        out += ']';
    if (dash && !close)
        out += '-';
    for (unsigned v = 1; v < 256; ++v) {
        if (!set.test(v) || v == ']' || v == '-' || v == '[' || v == '^')
            continue;
        unsigned end = v;
        while (Category(v) != 0 && end + 1 < 256 && set.test(end + 1) && Category(end + 1) == Category(v))
            ++end;
        if (end - v >= 2) {
            out += static_cast<char>(v);
            out += '-';
            out += static_cast<char>(end);
            v = end;
        } else {
            out += static_cast<char>(v);
        }
    }
    if (open)
        out += '[';
    if (caret)
        out += '^';
    if (dash && close)
        out += '-';
    return out;
}

std::string PosixSet(REXI_CharSet set) {
    set.reset(0);
    const std::size_t count = set.count();
    if (count == 255)
        return ".";
    if (count == 1) {
        unsigned c = 1;
        while (!set.test(c))
            ++c;
        if (std::isalnum(c))
            return std::string(1, static_cast<char>(c));
        if (c == '^' || c == '\\' || c == '[')
            return std::string("\\") + static_cast<char>(c);
        return std::string("[") + static_cast<char>(c) + "]";
    }
    if (count > 128) {
        REXI_CharSet rest = ~set;
        rest.reset(0);
        return "[^" + PosixMembers(rest) + "]";
    }
    return "[" + PosixMembers(set) + "]";
}

std::string Posix(const Node& node, bool fold) {
    fold = fold || node.postfix == 'i';
    std::string out;
    switch (node.kind) {
    case Node::Char: {
        REXI_CharSet set;
        set.set(node.ch);
        out = PosixSet(fold ? Folded(set) : set);
        break;
    }
    case Node::Any:
        out = ".";
        break;
    case Node::Bracket: {
        REXI_CharSet set;
        for (const auto& [a, b] : node.items) {
            for (unsigned v = std::min(a, b); v <= std::max(a, b); ++v)
                set.set(v);
        }
        if (node.negate)
            set.flip();
        out = PosixSet(fold ? Folded(set) : set);
        break;
    }
    case Node::Group:
        out = "(" + Posix(node.kids[0], fold) + ")";
        break;
    case Node::Seq:
        for (const Node& kid : node.kids)
            out += Posix(kid, fold);
        break;
    case Node::Alt:
        for (std::size_t i = 0; i < node.kids.size(); ++i)
            out += (i ? "|" : "") + Posix(node.kids[i], fold);
        break;
    }
    if (node.postfix != 0 && node.postfix != 'i')
        out += node.postfix;
    return out;
}

int EnvInt(const char* name, int fallback) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return fallback;
    return std::atoi(value);
}

TEST(PatternDifferential, AgreesWithPosixExtendedRegularExpressions) {
    const int cases = EnvInt("QELT_PATTERN_DIFF_CASES", 100000);
    const unsigned seed = static_cast<unsigned>(EnvInt("QELT_PATTERN_DIFF_SEED", 20240611));
    const int textsPerPattern = 16;
    std::setlocale(LC_ALL, "C");

    Generator generator(seed);
    int done = 0;
    int disagreements = 0;
    int found = 0;
    while (done < cases && disagreements < 20) {
        const Node pattern = generator.Pattern();
        const std::string ours = generator.Ours(pattern);
        const std::string posix = Posix(pattern, false);

        REXI_Search search(0);
        const REXI_Status status = search.SetPattern(ours);
        ASSERT_EQ(status.status, 0) << "\"" << Escaped(ours) << "\": " << status.message << " at "
                                    << status.position;
        regex_t re;
        ASSERT_EQ(regcomp(&re, posix.c_str(), REG_EXTENDED), 0) << "\"" << Escaped(posix) << "\"";

        for (int t = 0; t < textsPerPattern && done < cases; ++t, ++done) {
            const std::string text = generator.Text();
            Found expected;
            regmatch_t match;
            if (regexec(&re, text.c_str(), 1, &match, 0) == 0)
                expected = {static_cast<int>(match.rm_so), static_cast<int>(match.rm_eo - match.rm_so)};
            const Found actual = FindIn(search, text);
            if (actual.start >= 0)
                ++found;
            if (actual != expected) {
                ++disagreements;
                ADD_FAILURE() << "pattern \"" << Escaped(ours) << "\" (POSIX \"" << Escaped(posix)
                              << "\") in \"" << Escaped(text) << "\": " << actual << ", POSIX " << expected;
            }
        }
        regfree(&re);
    }
    // The generator is useful only if a fair share of the cases match.
    EXPECT_GT(found, done / 4);
    RecordProperty("cases", done);
}

// Patterns whose automata have thousands of states, which an automaton made whole at compile time could
// not hold: each must be answered as POSIX answers it, also in texts long enough to fill the row cache.
TEST(PatternDifferential, LargeAutomataAgree) {
    std::mt19937 rng(20261209);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const auto repeat = [](const std::string& text, int times) {
        std::string out;
        for (int i = 0; i < times; ++i)
            out += text;
        return out;
    };
    std::vector<std::string> words;
    while (words.size() < 280) {
        std::string word;
        for (int i = 3 + pick(5); i > 0; --i)
            word += static_cast<char>('a' + pick(6));
        if (std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(word);
    }
    std::string alternation;
    for (const std::string& word : words)
        alternation += (alternation.empty() ? "" : "|") + word;

    struct Case {
        std::string pattern; // the same in both syntaxes
        std::string alphabet;
    };
    const Case cases[] = {
        {".*a" + repeat(".", 10), "ab"},
        {".*a" + repeat(".", 20), "abc"},
        {"(a|b)*a" + repeat("(a|b)", 10), "ab"},
        {"(a|b)*a" + repeat("(a|b)", 12), "ab"},
        {alternation, "abcdef"},
    };
    std::setlocale(LC_ALL, "C");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern.substr(0, 40));
        REXI_Search search(0);
        ASSERT_EQ(search.SetPattern(c.pattern).status, 0);
        regex_t re;
        ASSERT_EQ(regcomp(&re, c.pattern.c_str(), REG_EXTENDED), 0);
        int disagreements = 0;
        for (int t = 0; t < 200 && disagreements < 5; ++t) {
            std::string text;
            const int length = t % 20 == 0 ? 1500 : pick(40);
            for (int i = 0; i < length; ++i)
                text += c.alphabet[pick(static_cast<int>(c.alphabet.size()))];
            Found expected;
            regmatch_t match;
            if (regexec(&re, text.c_str(), 1, &match, 0) == 0)
                expected = {static_cast<int>(match.rm_so), static_cast<int>(match.rm_eo - match.rm_so)};
            const Found actual = FindIn(search, text);
            if (actual != expected) {
                ++disagreements;
                ADD_FAILURE() << "in \"" << Escaped(text.substr(0, 60)) << "\": " << actual << ", POSIX "
                              << expected;
            }
        }
        regfree(&re);
    }
}

} // namespace
