// The help pages show how to type formulas and reactions and how they then look. Every typed text on them is
// marked (see resources/help/README.md), and every formula and reaction among them is read here through the
// formula and reaction code, so that an edit of the pages cannot promise what the program does not do.
#include "model/chemical_formula.h"
#include "model/composition_vector.h"
#include "model/element_table.h"
#include "model/float_numbers_string.h"
#include "model/ion_balancing.h"
#include "model/qelt_doc.h"
#include "model/qelt_reagent.h"
#include "model/reaction_export.h"
#include "model/reaction_string.h"
#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Example {
    std::string page;
    std::string kind;  // "formula" (a formula box) or "reaction" (a reaction typed as one line)
    std::string typed; // as the user types it
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// Typed text as the page writes it: the only entities are those of "&", "<" and ">".
std::string Unescape(std::string text) {
    ReplaceAll(text, "&lt;", "<");
    ReplaceAll(text, "&gt;", ">");
    ReplaceAll(text, "&amp;", "&");
    return text;
}

// Line breaks inside a rendering are blanks, as the browser shows them.
std::string Collapse(const std::string& html) {
    return std::regex_replace(html, std::regex(R"(\s+)"), " ");
}

std::string FormulaHtml(const std::string& text, const std::string& where) {
    ChemicalFormula formula(text);
    formula.GetComposition();
    EXPECT_FALSE(formula.HasParseError()) << where << ": \"" << text << "\" does not parse";
    return formula.ToHTML();
}

// The document of a reaction example, balanced as it opens.
bool OpenReaction(const Example& example, CQELTDoc& document) {
    const std::string where = example.page + ": " + example.typed;
    if (!document.SetFromString(example.typed)) {
        ADD_FAILURE() << where << ": not read as a reaction";
        return false;
    }
    for (int row = 0; row < 256; ++row) {
        if (const CQELTReagent* reagent = document.GetReagent(row))
            FormulaHtml(reagent->GetFormula(), where);
    }
    document.BalanceReaction();
    return true;
}

bool IsWholeReaction(const Example& example) {
    const std::vector<ReactionTerm> terms = SplitReactionTerms(NormalizeReactionString(example.typed));
    return std::any_of(terms.begin(), terms.end(), [](const ReactionTerm& term) { return term.isSeparator; });
}

// What the program shows for the example; "acidic" after balancing with hydrogen ions and water.
std::string Rendering(const Example& example, bool acidic) {
    const std::string where = example.page + ": " + example.typed;
    if (example.kind == "formula")
        return FormulaHtml(example.typed, where);
    if (!IsWholeReaction(example)) // one substance written as in a reaction line
        return FormulaHtml(NormalizeReactionString(example.typed), where);
    CQELTDoc document;
    if (!OpenReaction(example, document))
        return {};
    if (acidic) {
        EXPECT_TRUE(ion_balancing::BalanceWithIon(document, ion_balancing::kHydrogenIon)) << where;
    }
    std::string html = ReactionText(document, ReactionSyntax::Html);
    ReplaceAll(html, "&rarr;", "="); // the views draw the sides apart with "="
    return html;
}

// An example the page shows no look of: it must read, and a reaction must balance as it opens.
void CheckAlone(const Example& example) {
    if (example.kind == "reaction" && IsWholeReaction(example)) {
        CQELTDoc document;
        if (OpenReaction(example, document)) {
            EXPECT_TRUE(document.HasBalancedCoefficients()) << example.page << ": " << example.typed;
        }
        return;
    }
    Rendering(example, false);
}

// A walk-through with a reaction: the masses (g) given to its reactants in order, and then what the views
// and the printout report: the limiting reagent, the mass left of the reagent in excess.
struct WalkThrough {
    std::vector<double> given;

    void Check(const Example& example, const std::string& claim, const std::string& shown) {
        const std::string where = example.page + ": " + example.typed + ": " + claim + " " + shown;
        CQELTDoc document;
        ASSERT_TRUE(example.kind == "reaction" && OpenReaction(example, document)) << where;
        ASSERT_LE(given.size(), static_cast<std::size_t>(document.GetReactantCount())) << where;
        for (std::size_t row = 0; row < given.size(); ++row) {
            CQELTReagent& reagent = *document.GetReagent(static_cast<int>(row));
            reagent.enteredMass = given[row];
            reagent.enteredMoles = given[row] / reagent.GetMolarMass();
        }
        document.Recalculate();
        std::string reported = "(none)";
        for (int row = 0; row < document.GetReactantCount(); ++row) {
            const CQELTReagent& reagent = *document.GetReagent(row);
            if (claim == "limiting" && document.IsLimiting(row))
                reported = FormulaHtml(reagent.GetFormula(), where);
            if (claim == "left-over" && document.IsInExcess(row)) {
                CFloatNumbersString left;
                left.FormatFixed(reagent.enteredMass.value - document.GetComputedMass(row));
                reported = left;
            }
        }
        EXPECT_EQ(reported, shown) << where;
    }
};

// What may stand between examples that share the look after them: "A and B both become ...".
bool JoinsExamples(const std::string& between) {
    return std::regex_match(between, std::regex(R"((\s|,|\band\b|\bor\b)*)"));
}

TEST(HelpPages, EveryTypedFormulaAndReactionReadsAndLooksAsThePageShowsIt) {
    ScopedTestModelHost host;
    // The pages' example of a moiety of the user's own.
    ASSERT_GE(GetModelHost().GetElementTable().AddElement("Citrate", "C6H5O7", "", 189.1, 1), 104);
    // Typed text is written in <tt> or <pre> (and <code>, <kbd>, <samp> would be); the looks and the
    // walk-throughs' claims in <span>.
    const std::regex mark(
        R"re(<(tt|pre|code|kbd|samp)\b([^>]*)>([\s\S]*?)</\1>|<span class="(shown|shown-acidic|given|limiting|left-over)">([\s\S]*?)</span>)re");
    const std::regex typedClass(R"re(^\s+class="(formula|reaction|text)"$)re");
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(QELT_HELP_PAGES)) {
        if (entry.path().extension() != ".htm")
            continue;
        const std::string page = entry.path().filename().string();
        const std::string text = ReadFile(entry.path());
        // Examples joined by "and" or commas share the looks that follow them; an example followed by no
        // look of its own is read alone.
        std::vector<Example> group;
        bool lookSeen = false;
        WalkThrough walk;
        const auto closeGroup = [&] {
            if (!lookSeen) {
                for (const Example& example : group)
                    CheckAlone(example);
                checked += static_cast<int>(group.size());
            }
            group.clear();
            lookSeen = false;
            walk = {};
        };
        std::size_t lastEnd = 0;
        for (std::sregex_iterator it(text.begin(), text.end(), mark), end; it != end; ++it) {
            const std::smatch& m = *it;
            const std::string between =
                text.substr(lastEnd, static_cast<std::size_t>(m.position()) - lastEnd);
            lastEnd = static_cast<std::size_t>(m.position() + m.length());
            if (m[1].matched) {
                std::smatch kind;
                const std::string attributes = m[2].str();
                const std::string typed = m[3].str();
                if (!std::regex_match(attributes, kind, typedClass) || typed.find('<') != std::string::npos) {
                    ADD_FAILURE() << page << ": typed text \"" << typed
                                  << "\" is not marked as a formula, a reaction or other text";
                    continue;
                }
                const Example example{page, kind[1].str(), Unescape(typed)};
                if (example.kind == "text") {
                    ChemicalFormula formula(example.typed);
                    EXPECT_TRUE(formula.GetComposition().CountNonZero(false) == 0 || formula.HasParseError())
                        << page << ": \"" << example.typed << "\" is a formula marked as other text";
                    continue;
                }
                if (lookSeen || group.empty() || !JoinsExamples(between))
                    closeGroup();
                group.push_back(example);
                continue;
            }
            ASSERT_FALSE(group.empty()) << page << ": " << m[4] << " with no example before it: " << m[5];
            const std::string shown = Collapse(m[5].str());
            if (m[4] == "given") {
                walk.given.push_back(std::stod(shown));
            } else if (m[4] == "limiting" || m[4] == "left-over") {
                ASSERT_EQ(group.size(), 1u) << page << ": a walk-through follows one reaction";
                walk.Check(group.front(), m[4].str(), shown);
            } else {
                lookSeen = true;
                for (const Example& example : group) {
                    EXPECT_EQ(Rendering(example, m[4] == "shown-acidic"), shown)
                        << page << ": " << example.typed;
                    ++checked;
                }
            }
        }
        closeGroup();
    }
    EXPECT_GE(checked, 30) << "the pages lost their examples";
}

} // namespace
