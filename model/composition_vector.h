#pragma once

#include <vector>

// Counts of atoms indexed by element-table row, and the electric charge. Index 0 carries the charge (row 0
// of the table is the electron, which formulas never count); index i > 0 counts the element or moiety of row
// i. A vector has one slot more than the table had rows when it was made; the last slot has no row.
//
// A vector made before the table grew is shorter than newer ones. Every operation treats a slot a vector does
// not have as 0, so vectors of different sizes can be combined and compared safely. Counts wrap on overflow.
class CompositionVector {
public:
    // Sized for the installed host's element table (count + 1), all counts 0.
    CompositionVector();
    // Sized explicitly, all counts 0.
    explicit CompositionVector(int size);

    int GetSize() const { return static_cast<int>(m_counts.size()); }

    // The count at an index; 0 for an index the vector does not have.
    int operator[](int index) const;
    // Sets the count at an index, growing the vector when the index lies beyond it. Throws std::out_of_range
    // for a negative index.
    void Set(int index, int value);
    // Sets every slot to the same value.
    void Fill(int value);
    void Clear() { Fill(0); }

    // Entry by entry; the result covers the longer of the two vectors.
    CompositionVector& operator+=(const CompositionVector& other);
    CompositionVector& operator-=(const CompositionVector& other);
    // Entry by entry; a slot the other vector lacks multiplies by 0.
    CompositionVector& MultiplyElementwise(const CompositionVector& other);

    // Equal when every count, the charge included, is equal (missing slots being 0).
    bool operator==(const CompositionVector& other) const;
    bool operator!=(const CompositionVector& other) const { return !(*this == other); }

    // Non-zero entries, from index 1 when the charge is skipped.
    int CountNonZero(bool skipCharge) const;

    static CompositionVector Sum(const CompositionVector& a, const CompositionVector& b);
    static CompositionVector Scale(int k, const CompositionVector& a);

private:
    std::vector<int> m_counts;
};
