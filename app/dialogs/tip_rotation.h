#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The order in which the tip of the day goes through its tips: current, current + increment,
// current + 2 x increment, ... modulo the number of tips. The increment is prime to the number of tips, so
// every tip comes once before any repeats. A stored position or increment that does not fit the tips (first
// use, a changed number of tips, a damaged setting) gives a new random start and increment.
class TipRotation {
public:
    // count: number of tips; current and increment as stored ("CurrentTip", "TipIncrement"; -1 when none);
    // seed: for the random start and increment.
    TipRotation(int count, int storedCurrent, int storedIncrement, std::uint32_t seed);

    int Count() const { return m_count; }
    // The tip the next Advance shows (what "CurrentTip" stores).
    int Current() const { return m_current; }
    int Increment() const { return m_increment; }
    // True when a new increment was drawn, which must then be stored.
    bool IncrementDrawn() const { return m_drawn; }

    // The tip to show now, after which the rotation moves on by the increment; -1 when there are no tips.
    int Advance();

private:
    int m_count = 0;
    int m_current = 0;
    int m_increment = 1;
    bool m_drawn = false;
};

// The tips are the strings from firstId upward, up to the one that holds exactly "*". The count also ends
// at the first string that does not exist and at limit strings, so a missing end marker cannot run on.
int CountTips(const std::function<std::optional<std::string>(int id)>& lookup, int firstId, int limit);

// Greatest common divisor of the magnitudes; Gcd(n, 0) is n.
int TipGcd(int a, int b);
