// Compiles arbitrary bytes as a pattern and searches a text with it. Input layout: one byte choosing the
// terminator, the pattern up to the first NUL, then the text. Every match must lie inside the text, before
// its terminator, and searching on from a match must come to an end. The automaton's row cache, walked
// over the text from every position, must stay within its bound.
#include "pattern/rexa_exception.h"
#include "pattern/rexi_compiler.h"
#include "pattern/rexi_dfa.h"
#include "pattern/rexi_limits.h"
#include "pattern/rexi_search.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Walks both automata of the pattern from every start in the text, as searches do, and checks the cache.
void WalkEveryStart(const std::string& pattern, const std::string& text, unsigned char terminator) {
    REXI_Compiler compiler(terminator);
    std::shared_ptr<const REXI_MoveTable> table;
    try {
        REXI_State* piece = compiler.ParsePattern(pattern);
        table = std::make_shared<const REXI_MoveTable>(compiler.CollectStates(piece), terminator);
    } catch (const REXA_Exception&) {
        return;
    }
    for (bool unanchored : {false, true}) {
        REXI_Dfa dfa(table, unanchored);
        for (std::size_t start = 0; start < text.size(); ++start) {
            REXI_DfaRow* row = dfa.StartRow();
            for (std::size_t i = start; i < text.size(); ++i) {
                const unsigned char byte = static_cast<unsigned char>(text[i]);
                REXI_DfaRow* next = row->next[byte];
                if (next == &REXI_UnbuiltRow)
                    next = dfa.Step(row, byte);
                Check(next != nullptr && next != &REXI_UnbuiltRow);
                Check(dfa.RowCount() <= REXI_MaxCachedRows);
                if (next->stop && next->skip == nullptr)
                    break;
                row = next;
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // Mostly the NUL that the substance list uses; now and then another byte.
    const unsigned char terminator = (data[0] & 0x80) ? data[0] & 0x7F : 0;
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const std::size_t restSize = size - 1;
    const void* nul = std::memchr(rest, 0, restSize);
    const std::size_t patternSize = nul ? static_cast<const char*>(nul) - rest : restSize;
    const std::string pattern(rest, patternSize);
    std::string text = nul ? std::string(rest + patternSize + 1, restSize - patternSize - 1) : std::string();
    text += static_cast<char>(terminator);
    const std::size_t end = text.find(static_cast<char>(terminator));

    REXI_Search search(terminator);
    const REXI_Status status = search.SetPattern(pattern);
    Check(status.status == 0 || status.status == 2);
    Check((status.status == 0) == status.message.empty());
    Check(status.position >= 0 && static_cast<std::size_t>(status.position) <= pattern.size());

    // Every match, each search starting where the previous one stopped (one byte on after an empty match).
    const char* p = text.c_str();
    const char* const stop = text.c_str() + end;
    for (;;) {
        int length = -1;
        bool atTerminator = false;
        const bool found = search.Search(p, length, atTerminator);
        Check(p >= text.c_str() && p <= stop);
        Check(length >= 0 && p - length >= text.c_str());
        Check(atTerminator == (p == stop));
        if (!found || p == stop)
            break;
        if (length == 0)
            ++p;
    }

    // Every start is walked to the end: a short text keeps that quadratic walk quick.
    WalkEveryStart(pattern, text.substr(0, std::min<std::size_t>(end + 1, 256)), terminator);

    // A second pattern replaces the first automaton, or leaves it in force.
    search.SetPattern(pattern + "|x");
    p = text.c_str();
    int length = 0;
    bool atTerminator = false;
    search.Search(p, length, atTerminator);
    Check(p <= stop);
    return 0;
}
