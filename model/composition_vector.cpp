#include "model/composition_vector.h"

#include "model/element_table.h"
#include "model/model_host.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace {

// Two's-complement wrapping arithmetic without signed overflow.
int WrapAdd(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

int WrapSub(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

int WrapMul(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

} // namespace

CompositionVector::CompositionVector() : CompositionVector(GetModelHost().GetElementTable().GetCount() + 1) {}

CompositionVector::CompositionVector(int size) : m_counts(static_cast<std::size_t>(std::max(size, 0)), 0) {}

int CompositionVector::operator[](int index) const {
    if (index < 0 || index >= GetSize())
        return 0;
    return m_counts[static_cast<std::size_t>(index)];
}

void CompositionVector::Set(int index, int value) {
    if (index < 0)
        throw std::out_of_range("negative composition index");
    if (index >= GetSize())
        m_counts.resize(static_cast<std::size_t>(index) + 1, 0);
    m_counts[static_cast<std::size_t>(index)] = value;
}

void CompositionVector::Fill(int value) {
    std::fill(m_counts.begin(), m_counts.end(), value);
}

CompositionVector& CompositionVector::operator+=(const CompositionVector& other) {
    if (other.m_counts.size() > m_counts.size())
        m_counts.resize(other.m_counts.size(), 0);
    for (std::size_t i = 0; i < other.m_counts.size(); ++i)
        m_counts[i] = WrapAdd(m_counts[i], other.m_counts[i]);
    return *this;
}

CompositionVector& CompositionVector::operator-=(const CompositionVector& other) {
    if (other.m_counts.size() > m_counts.size())
        m_counts.resize(other.m_counts.size(), 0);
    for (std::size_t i = 0; i < other.m_counts.size(); ++i)
        m_counts[i] = WrapSub(m_counts[i], other.m_counts[i]);
    return *this;
}

CompositionVector& CompositionVector::MultiplyElementwise(const CompositionVector& other) {
    for (int i = 0; i < GetSize(); ++i)
        m_counts[static_cast<std::size_t>(i)] = WrapMul(m_counts[static_cast<std::size_t>(i)], other[i]);
    return *this;
}

bool CompositionVector::operator==(const CompositionVector& other) const {
    const int size = std::max(GetSize(), other.GetSize());
    for (int i = 0; i < size; ++i) {
        if ((*this)[i] != other[i])
            return false;
    }
    return true;
}

int CompositionVector::CountNonZero(bool skipCharge) const {
    const auto first = m_counts.begin() + (skipCharge && !m_counts.empty() ? 1 : 0);
    return static_cast<int>(std::count_if(first, m_counts.end(), [](int n) { return n != 0; }));
}

CompositionVector CompositionVector::Sum(const CompositionVector& a, const CompositionVector& b) {
    CompositionVector result = a;
    result += b;
    return result;
}

CompositionVector CompositionVector::Scale(int k, const CompositionVector& a) {
    CompositionVector result = a;
    for (int& n : result.m_counts)
        n = WrapMul(k, n);
    return result;
}
