#include "pattern/rexi_move_table.h"

#include "pattern/rexi_limits.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <iterator>
#include <type_traits>

namespace {

// A class as four words of 64 byte values each, for quick whole-class operations.
using Words = std::array<std::uint64_t, 4>;

Words ToWordsBitByBit(const REXI_CharSet& set) {
    Words words{};
    for (std::size_t b = 0; b < set.size(); ++b) {
        if (set[b])
            words[b / 64] |= std::uint64_t{1} << (b % 64);
    }
    return words;
}

Words ToWords(const REXI_CharSet& set) {
    if constexpr (sizeof(REXI_CharSet) == sizeof(Words) && std::is_trivially_copyable_v<REXI_CharSet>) {
        // The standard library keeps the bits as words, byte value b at bit b % 64 of word b / 64, as far
        // as every library at hand goes; a probe makes sure before the words are taken as they are.
        static const bool sameLayout = [] {
            REXI_CharSet probe;
            for (std::size_t b : {3, 70, 141, 255})
                probe.set(b);
            return std::bit_cast<Words>(probe) == ToWordsBitByBit(probe);
        }();
        if (sameLayout)
            return std::bit_cast<Words>(set);
    }
    return ToWordsBitByBit(set);
}

bool Empty(const Words& words) {
    return (words[0] | words[1] | words[2] | words[3]) == 0;
}

std::size_t SmallestMember(const Words& words) {
    std::size_t k = 0;
    while (words[k] == 0)
        ++k;
    return 64 * k + static_cast<std::size_t>(std::countr_zero(words[k]));
}

} // namespace

REXI_MoveTable::REXI_MoveTable(const std::vector<REXI_State*>& states, unsigned char terminatorByte)
    : terminator(terminatorByte) {
    // State numbers follow the order of the list; ids of one compile are close together.
    int lowId = states.front()->id, highId = lowId;
    std::size_t transitionCount = 0;
    for (const REXI_State* s : states) {
        lowId = std::min(lowId, s->id);
        highId = std::max(highId, s->id);
        transitionCount += s->transitions.size();
    }
    std::vector<int> numberOf(static_cast<std::size_t>(highId - lowId) + 1);
    for (std::size_t i = 0; i < states.size(); ++i)
        numberOf[states[i]->id - lowId] = static_cast<int>(i);
    const auto number = [&](const REXI_State* s) { return numberOf[s->id - lowId]; };

    // A transition is kept only when it consumes a byte and leads to a state from which a match can
    // still end: the others can never take part in a match, and would only make the sets larger.
    // The sources of the transitions into each state, state after state.
    const std::size_t n = states.size();
    std::vector<int> firstSource(n + 1, 0);
    for (const REXI_State* s : states) {
        for (const REXI_Transition& t : s->transitions) {
            if (t.charSet.any())
                ++firstSource[static_cast<std::size_t>(number(t.target)) + 1];
        }
    }
    for (std::size_t i = 0; i < n; ++i)
        firstSource[i + 1] += firstSource[i];
    std::vector<int> sources(static_cast<std::size_t>(firstSource[n]));
    std::vector<int> filled(firstSource.begin(), firstSource.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        for (const REXI_Transition& t : states[i]->transitions) {
            if (t.charSet.any())
                sources[static_cast<std::size_t>(filled[static_cast<std::size_t>(number(t.target))]++)] =
                    static_cast<int>(i);
        }
    }
    std::vector<char> live(n, 0);
    std::vector<int> work;
    for (std::size_t i = 0; i < n; ++i) {
        if (states[i]->accepting) {
            live[i] = 1;
            work.push_back(static_cast<int>(i));
        }
    }
    while (!work.empty()) {
        const int s = work.back();
        work.pop_back();
        for (int k = firstSource[s]; k < firstSource[s + 1]; ++k) {
            const int source = sources[static_cast<std::size_t>(k)];
            if (!live[source]) {
                live[source] = 1;
                work.push_back(source);
            }
        }
    }
    const auto kept = [&](const REXI_Transition& t) { return t.charSet.any() && live[number(t.target)]; };
    MakeAlphabet(states, transitionCount, kept);

    // Transitions of one state to one target merge into one move that any of their classes takes. A
    // transition class holds every byte of an alphabet class or none, so one byte of each tells.
    const int classCount = ClassCount();
    accepting.reserve(states.size());
    firstMove.reserve(states.size() + 1);
    moves.reserve(transitionCount);
    std::vector<int> moveTo(states.size(), -1);
    for (const REXI_State* s : states) {
        accepting.push_back(s->accepting);
        const int first = static_cast<int>(moves.size());
        firstMove.push_back(first);
        for (const REXI_Transition& t : s->transitions) {
            if (!kept(t))
                continue;
            const int target = number(t.target);
            if (moveTo[target] < first) {
                moveTo[target] = static_cast<int>(moves.size());
                moves.push_back({target, {}});
            }
            std::bitset<256>& classes = moves[moveTo[target]].classes;
            for (int c = 0; c < classCount; ++c) {
                if (t.charSet[*ClassBegin(c)])
                    classes.set(static_cast<std::size_t>(c));
            }
        }
    }
    firstMove.push_back(static_cast<int>(moves.size()));

    FindFirstBytes();
    FindWhetherLaterStartsAreCovered();
    FindWhetherPassedStartsAreCovered();
    FindCommonSuffix();
    FindLiteral();
}

void REXI_MoveTable::FindLiteral() {
    // A chain of single bytes from the start to an accepting state that moves no further.
    std::string text;
    for (int s = 0; text.size() <= accepting.size();) {
        if (accepting[s]) {
            if (firstMove[s] == firstMove[s + 1])
                literal = text;
            return;
        }
        if (firstMove[s + 1] - firstMove[s] != 1)
            return;
        const Move& move = moves[firstMove[s]];
        const int c = SoleClass(move.classes);
        if (c < 0 || classStart[c + 1] - classStart[c] != 1)
            return;
        text += static_cast<char>(*ClassBegin(c));
        s = move.target;
    }
}

int REXI_MoveTable::SoleClass(const std::bitset<256>& classes) const {
    int sole = -1;
    for (int c = 0; c < ClassCount(); ++c) {
        if (!classes.test(static_cast<std::size_t>(c)))
            continue;
        if (sole >= 0)
            return -1;
        sole = c;
    }
    return sole;
}

void REXI_MoveTable::FindCommonSuffix() {
    // Every match ends in an accepting state; the state before it is a source of a move into one, and
    // so on back. As long as every move into the states found takes one and the same single byte, and
    // the start is not among them (a match could end there), that byte comes before what is found.
    // A few bytes are all a search looks for.
    constexpr std::size_t kMaxSuffix = 32;
    std::vector<char> in(accepting.begin(), accepting.end());
    std::string reversed;
    while (!in[0] && reversed.size() < kMaxSuffix) {
        int only = -1;
        std::vector<char> sources(accepting.size(), 0);
        for (std::size_t s = 0; s < accepting.size(); ++s) {
            for (int m = firstMove[s]; m < firstMove[s + 1]; ++m) {
                if (!in[static_cast<std::size_t>(moves[m].target)])
                    continue;
                const int c = SoleClass(moves[m].classes);
                if (c < 0 || classStart[c + 1] - classStart[c] != 1 || (only >= 0 && c != only)) {
                    only = -2;
                    break;
                }
                only = c;
                sources[s] = 1;
            }
            if (only == -2)
                break;
        }
        if (only < 0)
            break;
        reversed += static_cast<char>(*ClassBegin(only));
        in = std::move(sources);
    }
    commonSuffix.assign(reversed.rbegin(), reversed.rend());
}

void REXI_MoveTable::CollectTargets(std::span<const int> from, int alphabetClass, std::vector<unsigned>& mark,
                                    unsigned stamp, std::vector<int>& targets) const {
    for (int s : from) {
        for (int m = firstMove[s]; m < firstMove[s + 1]; ++m) {
            const Move& move = moves[m];
            if (move.classes.test(static_cast<std::size_t>(alphabetClass)) && mark[move.target] != stamp) {
                mark[move.target] = stamp;
                targets.push_back(move.target);
            }
        }
    }
}

void REXI_MoveTable::FindWhetherLaterStartsAreCovered() {
    // Sought: states Q that every first byte leads to, that every byte keeps, and that move with every
    // byte at least where the start moves. Then any walk holds Q after its first byte, and from there
    // on every state a fresh start would hold. (An accepting start never fails an attempt anyway.)
    // The search narrows Q down round by round; a pattern that needs many rounds or has a large table
    // goes without (the answer only spares work).
    constexpr std::size_t kMaxWork = 1 << 16;
    constexpr int kMaxRounds = 8;
    const int classCount = ClassCount();
    if (accepting[0] || classCount == 0 || moves.size() * static_cast<std::size_t>(classCount) > kMaxWork)
        return;
    for (int b = 0; b < 256; ++b) {
        if (b != terminator && classOf[b] < 0)
            return;
    }
    std::vector<unsigned> mark(accepting.size(), 0);
    unsigned stamp = 0;
    const auto targetsOf = [&](const std::vector<int>& from, int c) {
        std::vector<int> targets;
        CollectTargets(from, c, mark, ++stamp, targets);
        std::sort(targets.begin(), targets.end());
        return targets;
    };
    const auto intersect = [](const std::vector<int>& a, const std::vector<int>& b) {
        std::vector<int> both;
        std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
        return both;
    };
    const auto includes = [](const std::vector<int>& a, const std::vector<int>& b) {
        return std::includes(a.begin(), a.end(), b.begin(), b.end());
    };
    const std::vector<int> start{0};
    std::vector<int> kept = targetsOf(start, 0);
    for (int c = 1; c < classCount; ++c)
        kept = intersect(kept, targetsOf(start, c));
    bool changed = true;
    for (int round = 0; changed && !kept.empty(); ++round) {
        if (round == kMaxRounds)
            return;
        changed = false;
        for (int c = 0; c < classCount; ++c) {
            std::vector<int> next = intersect(kept, targetsOf(kept, c));
            if (next.size() != kept.size())
                changed = true;
            kept = std::move(next);
        }
    }
    if (kept.empty())
        return;
    for (int c = 0; c < classCount; ++c) {
        if (!includes(targetsOf(kept, c), targetsOf(start, c)))
            return;
    }
    laterStartsCovered = true;
}

void REXI_MoveTable::FindWhetherPassedStartsAreCovered() {
    // Sets of states are words of bits here, so small tables only (the answer only spares work).
    constexpr std::size_t kMaxStates = 64;
    constexpr std::size_t kMaxWork = 1 << 11;
    const std::size_t n = accepting.size();
    const std::size_t classCount = static_cast<std::size_t>(ClassCount());
    if (accepting[0] || classCount == 0 || n > kMaxStates || n * n * classCount > kMaxWork)
        return;
    using States = std::uint64_t;
    // The states each state moves to with a byte of each class.
    std::vector<States> next(n * classCount, 0);
    for (std::size_t s = 0; s < n; ++s) {
        for (int m = firstMove[s]; m < firstMove[s + 1]; ++m) {
            for (std::size_t c = 0; c < classCount; ++c) {
                if (moves[m].classes.test(c))
                    next[s * classCount + c] |= States{1} << moves[m].target;
            }
        }
    }
    // The simulation: u simulates t when u accepts wherever t does, and every state t moves to with a
    // byte is simulated by one that u moves to with it. The greatest such relation is found by striking
    // out pairs until none fails; simulators[t] holds the states that simulate t.
    States acceptingStates = 0;
    for (std::size_t s = 0; s < n; ++s)
        acceptingStates |= States{accepting[s] != 0} << s;
    const States all = n == kMaxStates ? ~States{0} : (States{1} << n) - 1;
    // A state can only simulate one whose every class it moves with as well: pairs that fail that
    // are struck out at once, which leaves the rounds little to do.
    std::vector<std::bitset<256>> movesWith(n);
    for (std::size_t s = 0; s < n; ++s) {
        for (int m = firstMove[s]; m < firstMove[s + 1]; ++m)
            movesWith[s] |= moves[m].classes;
    }
    std::vector<States> simulators(n);
    for (std::size_t t = 0; t < n; ++t) {
        simulators[t] = accepting[t] ? acceptingStates : all;
        for (std::size_t u = 0; u < n; ++u) {
            if ((movesWith[t] & ~movesWith[u]).any())
                simulators[t] &= ~(States{1} << u);
        }
    }
    // Whether every state in `targets` has a simulator among `answers`.
    const auto simulated = [&](States targets, States answers) {
        for (; targets != 0; targets &= targets - 1) {
            if ((simulators[static_cast<std::size_t>(std::countr_zero(targets))] & answers) == 0)
                return false;
        }
        return true;
    };
    // A chain of states can take a round per state to settle: the work is bounded, and a pattern that
    // needs more goes without.
    std::size_t checks = 0;
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t t = 0; t < n; ++t) {
            for (States us = simulators[t]; us != 0; us &= us - 1) {
                const std::size_t u = static_cast<std::size_t>(std::countr_zero(us));
                checks += classCount;
                if (checks > kMaxWork)
                    return;
                for (std::size_t c = 0; c < classCount; ++c) {
                    if (!simulated(next[t * classCount + c], next[u * classCount + c])) {
                        simulators[t] &= ~(States{1} << u);
                        changed = true;
                        break;
                    }
                }
            }
        }
    }
    // Then every state but the start (which no move leads back to): where it goes on with a byte, the
    // states a fresh start reaches with that byte are simulated by those it reaches. An attempt then
    // holds, from any byte it passes on, a simulator of each state of a fresh start there.
    for (std::size_t s = 1; s < n; ++s) {
        for (std::size_t c = 0; c < classCount; ++c) {
            const States reached = next[s * classCount + c];
            if (reached != 0 && !simulated(next[c], reached))
                return;
        }
    }
    passedStartsCovered = true;
}

void REXI_MoveTable::FindFirstBytes() {
    const int classCount = ClassCount();
    firstIndex.fill(-1);
    std::bitset<256> first;
    std::size_t count = 0;
    for (int m = firstMove[0]; m < firstMove[1]; ++m)
        first |= moves[m].classes;
    for (int c = 0; c < classCount; ++c) {
        if (first.test(static_cast<std::size_t>(c)))
            count += static_cast<std::size_t>(classStart[c + 1] - classStart[c]);
    }
    // Only a few first bytes are worth jumping to.
    if (count > REXI_MaxJumpBytes)
        return;
    for (int c = 0; c < classCount; ++c) {
        if (!first.test(static_cast<std::size_t>(c)))
            continue;
        // The states a match is in after a first byte of the class, and what may follow there.
        std::bitset<256> next;
        bool matchEnds = false;
        for (int m = firstMove[0]; m < firstMove[1]; ++m) {
            if (!moves[m].classes.test(static_cast<std::size_t>(c)))
                continue;
            const int s = moves[m].target;
            matchEnds = matchEnds || accepting[s];
            for (int n = firstMove[s]; n < firstMove[s + 1]; ++n)
                next |= moves[n].classes;
        }
        REXI_CharSet second;
        if (matchEnds)
            second.set();
        for (int d = 0; d < classCount; ++d) {
            if (next.test(static_cast<std::size_t>(d))) {
                for (const unsigned char* b = ClassBegin(d); b != ClassEnd(d); ++b)
                    second.set(*b);
            }
        }
        for (const unsigned char* b = ClassBegin(c); b != ClassEnd(c); ++b) {
            firstIndex[*b] = static_cast<short>(firstBytes.size());
            firstBytes += static_cast<char>(*b);
            secondBytes.push_back(second);
        }
    }
    jumpable = true;
}

void REXI_MoveTable::MakeAlphabet(const std::vector<REXI_State*>& states, std::size_t transitionCount,
                                  const std::function<bool(const REXI_Transition&)>& kept) {
    std::vector<Words> classes;
    classes.reserve(transitionCount);
    for (const REXI_State* s : states) {
        for (const REXI_Transition& t : s->transitions) {
            if (kept(t))
                classes.push_back(ToWords(t.charSet));
        }
    }
    std::sort(classes.begin(), classes.end());
    classes.erase(std::unique(classes.begin(), classes.end()), classes.end());

    // Split the bytes that some class holds until every part lies wholly inside or wholly outside each
    // class. No class holds the terminator; should one ever do, its byte is left out here, so that its
    // entry stays what the rows give it.
    Words all{};
    for (const Words& set : classes) {
        for (std::size_t k = 0; k < all.size(); ++k)
            all[k] |= set[k];
    }
    all[terminator / 64] &= ~(std::uint64_t{1} << (terminator % 64));
    // Room for the usual number of parts; there may be more.
    std::vector<Words> parts, split;
    parts.reserve(classes.size() + 1);
    split.reserve(classes.size() + 1);
    if (!Empty(all))
        parts.push_back(all);
    for (const Words& set : classes) {
        split.clear();
        for (const Words& part : parts) {
            Words inside, outside;
            for (std::size_t k = 0; k < part.size(); ++k) {
                inside[k] = part[k] & set[k];
                outside[k] = part[k] & ~set[k];
            }
            if (!Empty(inside))
                split.push_back(inside);
            if (!Empty(outside))
                split.push_back(outside);
        }
        parts.swap(split);
    }

    // Alphabet classes are numbered in the order of their smallest byte.
    std::sort(parts.begin(), parts.end(),
              [](const Words& a, const Words& b) { return SmallestMember(a) < SmallestMember(b); });
    classOf.fill(-1);
    classBytes.fill(0);
    classStart.clear();
    classStart.reserve(parts.size() + 1);
    short next = 0;
    for (std::size_t c = 0; c < parts.size(); ++c) {
        classStart.push_back(next);
        for (std::size_t k = 0; k < parts[c].size(); ++k) {
            for (std::uint64_t w = parts[c][k]; w != 0; w &= w - 1) {
                const std::size_t b = 64 * k + static_cast<std::size_t>(std::countr_zero(w));
                classOf[b] = static_cast<short>(c);
                classBytes[static_cast<std::size_t>(next++)] = static_cast<unsigned char>(b);
            }
        }
    }
    classStart.push_back(next);
    char other[256];
    std::size_t otherCount = 0;
    for (int b = 1; b < 256; ++b) {
        if (classOf[b] < 0 && b != terminator)
            other[otherCount++] = static_cast<char>(b);
    }
    otherBytes.assign(other, otherCount);
    classesBySize.resize(static_cast<std::size_t>(ClassCount()));
    for (int c = 0; c < ClassCount(); ++c)
        classesBySize[static_cast<std::size_t>(c)] = c;
    // Classes of one size keep their order.
    std::sort(classesBySize.begin(), classesBySize.end(), [this](int a, int b) {
        const int sizeA = classStart[a + 1] - classStart[a], sizeB = classStart[b + 1] - classStart[b];
        return sizeA != sizeB ? sizeA > sizeB : a < b;
    });
}
