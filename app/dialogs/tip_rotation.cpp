#include "app/dialogs/tip_rotation.h"

#include <random>

int TipGcd(int a, int b) {
    // Magnitudes as unsigned, so that INT_MIN cannot overflow.
    unsigned x = a < 0 ? 0u - static_cast<unsigned>(a) : static_cast<unsigned>(a);
    unsigned y = b < 0 ? 0u - static_cast<unsigned>(b) : static_cast<unsigned>(b);
    while (y != 0) {
        const unsigned r = x % y;
        x = y;
        y = r;
    }
    return static_cast<int>(x);
}

TipRotation::TipRotation(int count, int storedCurrent, int storedIncrement, std::uint32_t seed)
    : m_count(count > 0 ? count : 0) {
    if (m_count == 0) {
        m_current = -1;
        m_increment = 0;
        return;
    }
    if (m_count == 1) {
        m_current = 0;
        m_increment = 1;
        m_drawn = storedIncrement != 1;
        return;
    }
    const bool fits = storedCurrent >= 0 && storedCurrent < m_count && storedIncrement > 0 &&
                      storedIncrement < m_count && TipGcd(m_count, storedIncrement) == 1;
    if (fits) {
        m_current = storedCurrent;
        m_increment = storedIncrement;
        return;
    }
    std::mt19937 random(seed);
    m_current = static_cast<int>(random() % static_cast<unsigned>(m_count));
    // A random increment between 1 and count - 1; when it shares a divisor with the count, the next one up
    // (wrapping to 1, which always fits) is taken, so the choice ends after at most count - 1 steps.
    int increment = static_cast<int>(random() % static_cast<unsigned>(m_count - 1)) + 1;
    while (TipGcd(m_count, increment) != 1)
        increment = increment % (m_count - 1) + 1;
    m_increment = increment;
    m_drawn = true;
}

int TipRotation::Advance() {
    if (m_count == 0)
        return -1;
    const int shown = m_current;
    m_current = static_cast<int>((static_cast<long long>(m_current) + m_increment) % m_count);
    return shown;
}

int CountTips(const std::function<std::optional<std::string>(int id)>& lookup, int firstId, int limit) {
    int count = 0;
    while (count < limit) {
        const std::optional<std::string> text = lookup(firstId + count);
        if (!text || *text == "*")
            break;
        ++count;
    }
    return count;
}
