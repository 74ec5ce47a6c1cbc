#pragma once

#include "pattern/rexi_state.h"

#include <array>
#include <bitset>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The nondeterministic automaton of one compiled pattern, in the compact form that the deterministic
// rows are worked out from. It holds no pointer into the compiler's states, which may be freed once it is
// made.
//
// Only transitions that can take part in a match are kept. The bytes they consume are split into alphabet
// classes: two bytes share a class exactly when every transition class holds both or neither. Overlapping
// classes such as [^a] and [a-c] then never share an alphabet class, so every byte follows exactly the
// transitions whose class holds it, and all bytes of one alphabet class lead everywhere alike.
struct REXI_MoveTable {
    // The moves of one state to one target, with every alphabet class (by number) that takes them.
    struct Move {
        int target;
        std::bitset<256> classes;
    };

    // states: every state of the piece, its start first (as REXI_Compiler::CollectStates gives them).
    REXI_MoveTable(const std::vector<REXI_State*>& states, unsigned char terminator);

    // Appends to targets, in no order, every state that a state of `from` moves to with a byte of the
    // alphabet class and that `mark` does not hold at `stamp` yet, and marks it so.
    void CollectTargets(std::span<const int> from, int alphabetClass, std::vector<unsigned>& mark,
                        unsigned stamp, std::vector<int>& targets) const;

    int ClassCount() const { return static_cast<int>(classStart.size()) - 1; }
    // The bytes of an alphabet class, in ascending order.
    const unsigned char* ClassBegin(int c) const { return classBytes.data() + classStart[c]; }
    const unsigned char* ClassEnd(int c) const { return classBytes.data() + classStart[c + 1]; }

    unsigned char terminator;
    std::array<short, 256> classOf;            // the alphabet class of each byte value, -1 for none
    std::array<unsigned char, 256> classBytes; // the bytes of every class, class after class
    std::vector<short> classStart;             // where each class begins in classBytes, and the end
    std::vector<char> accepting;               // by state number; the start is number 0
    std::vector<int> firstMove;                // where each state's moves begin, and the end
    std::vector<Move> moves;
    // The bytes that some move of the start consumes, when they are few enough for a search to jump from
    // one to the next (REXI_MaxJumpBytes).
    bool jumpable = false;
    std::string firstBytes;
    std::string otherBytes; // the bytes no class holds, but NUL and the terminator
    // For each of the first bytes (by its place in firstBytes), the bytes that may follow it in a match,
    // the terminator included when the first byte alone is a match; the place of each byte value in
    // firstBytes, or -1.
    std::vector<REXI_CharSet> secondBytes;
    std::array<short, 256> firstIndex;
    // After its first byte, every walk holds the states of a fresh start as well (as after a leading
    // `.*`): an attempt that reads to the end of the text without a match settles every later start.
    bool laterStartsCovered = false;
    // Whatever a fresh start reaches with a byte, an attempt that goes on with that byte reaches as well
    // or more (in the sense of a simulation): an attempt that fails settles every start it passed.
    bool passedStartsCovered = false;
    // The bytes every match ends with, as far as they are fixed (empty when the last byte is not).
    std::string commonSuffix;
    // The one text that the pattern matches, when it matches one text only and that is not empty.
    std::string literal;
    std::vector<int> classesBySize; // the alphabet classes, the largest first

private:
    void FindFirstBytes();
    void FindWhetherLaterStartsAreCovered();
    void FindWhetherPassedStartsAreCovered();
    void FindCommonSuffix();
    void FindLiteral();
    // The one alphabet class in the set, or -1.
    int SoleClass(const std::bitset<256>& classes) const;
    // transitionCount: how many transitions the states have in all.
    void MakeAlphabet(const std::vector<REXI_State*>& states, std::size_t transitionCount,
                      const std::function<bool(const REXI_Transition&)>& kept);
};
