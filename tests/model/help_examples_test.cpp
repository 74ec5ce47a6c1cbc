// The help pages show how to type formulas and reactions and how they then look. Every example they mark
// (see resources/help/README.md) is read here through the formula and reaction code, so that an edit of the
// pages cannot promise what the program does not do.
#include "model/chemical_formula.h"
#include "model/composition_vector.h"
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

// What the program shows for the example; "acidic" after balancing with hydrogen ions and water.
std::string Rendering(const Example& example, bool acidic) {
    const std::string where = example.page + ": " + example.typed;
    if (example.kind == "formula")
        return FormulaHtml(example.typed, where);
    const std::string normalized = NormalizeReactionString(example.typed);
    const std::vector<ReactionTerm> terms = SplitReactionTerms(normalized);
    const bool wholeReaction =
        std::any_of(terms.begin(), terms.end(), [](const ReactionTerm& term) { return term.isSeparator; });
    if (!wholeReaction) // one substance written as in a reaction line
        return FormulaHtml(normalized, where);
    CQELTDoc document;
    if (!document.SetFromString(example.typed)) {
        ADD_FAILURE() << where << ": not read as a reaction";
        return {};
    }
    for (int row = 0; row < 256; ++row) {
        if (const CQELTReagent* reagent = document.GetReagent(row))
            FormulaHtml(reagent->GetFormula(), where);
    }
    document.BalanceReaction();
    if (acidic) {
        EXPECT_TRUE(ion_balancing::BalanceWithIon(document, ion_balancing::kHydrogenIon)) << where;
    }
    std::string html = ReactionText(document, ReactionSyntax::Html);
    ReplaceAll(html, "&rarr;", "="); // the views draw the sides apart with "="
    return html;
}

TEST(HelpPages, EveryExampleLooksAsThePageShowsIt) {
    ScopedTestModelHost host;
    const std::regex mark(
        R"re(<(tt|pre) class="(formula|reaction)">([^<]*)</\1>|<span class="(shown|shown-acidic)">([\s\S]*?)</span>)re");
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(QELT_HELP_PAGES)) {
        if (entry.path().extension() != ".htm")
            continue;
        const std::string page = entry.path().filename().string();
        const std::string text = ReadFile(entry.path());
        // Examples written one after the other share the renderings that follow them.
        std::vector<Example> pending;
        bool renderingSeen = false;
        for (std::sregex_iterator it(text.begin(), text.end(), mark), end; it != end; ++it) {
            const std::smatch& m = *it;
            if (m[2].matched) {
                if (renderingSeen)
                    pending.clear();
                renderingSeen = false;
                pending.push_back({page, m[2].str(), Unescape(m[3].str())});
                continue;
            }
            ASSERT_FALSE(pending.empty()) << page << ": a rendering with no example before it: " << m[5];
            renderingSeen = true;
            for (const Example& example : pending) {
                EXPECT_EQ(Rendering(example, m[4] == "shown-acidic"), Collapse(m[5].str()))
                    << page << ": " << example.typed;
                ++checked;
            }
        }
        EXPECT_TRUE(pending.empty() || renderingSeen)
            << page << ": \"" << pending.back().typed << "\" is shown with no rendering after it";
    }
    EXPECT_GE(checked, 15) << "the pages lost their marked examples";
}

} // namespace
