#pragma once

#include <cstdint>

class Archive;

// A number together with the count of significant digits it deserves: the count comes from what the user
// typed and follows the value through multiplication and division. A count of 0 means none is known.
// There is no addition or subtraction: callers that add or subtract work on the plain values.
class CEditableDouble {
public:
    CEditableDouble() = default;
    CEditableDouble(double value, std::int32_t digits) : value(value), digits(digits) {}

    // A plain double carries no count.
    CEditableDouble& operator=(double x) {
        value = x;
        digits = 0;
        return *this;
    }

    // Plain floating-point comparisons of the value: a NaN is unequal to everything.
    bool operator==(const double& x) const { return value == x; }
    bool operator!=(const double& x) const { return value != x; }
    bool operator<(const double& x) const { return value < x; }

    // Between two counted values the result carries the smaller count, raised to the display digits
    // when below them.
    CEditableDouble operator*(const CEditableDouble& other) const;
    CEditableDouble operator/(const CEditableDouble& other) const;
    // By a plain number the count stays as it is, 0 included.
    CEditableDouble operator*(double x) const { return {value * x, digits}; }
    CEditableDouble operator/(double x) const { return {value / x, digits}; }
    CEditableDouble operator/(int x) const { return {value / static_cast<double>(x), digits}; }

    // The 16-byte record: 32-bit version 0x10000 (ignored when read), the value, the 32-bit count.
    // A count read back outside 0..17 (a damaged file) is brought into that range.
    void Serialize(Archive& ar);

    double value = 0.0;
    std::int32_t digits = 0;
};

// Whether two counted numbers stand for the same amount: the same count of digits and the same value, apart
// from the rounding a recomputation through other units leaves (a NaN is the same as a NaN).
bool SameAmount(const CEditableDouble& a, const CEditableDouble& b);
