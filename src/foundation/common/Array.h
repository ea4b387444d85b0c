#pragma once
// The product's growable array: a thin layer over std::vector with the classic interface.
// Copies are deep (assignment and pass by value). An index outside the array shows
// "Attempted to access array member out-of-bounds" and throws std::out_of_range; it never
// reads or writes outside the elements.

#include <algorithm>
#include <initializer_list>
#include <vector>

// Shows the out-of-bounds message, then throws std::out_of_range.
[[noreturn]] void ReportArrayOutOfBounds(long index, long size);

template <typename T> class Array {
public:
    Array() = default;
    Array(std::initializer_list<T> values) : m_items(values) {}

    long GetSize() const { return long(m_items.size()); }
    long GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }

    // Appends a copy of the value and returns its index.
    long Add(const T& value)
    {
        m_items.push_back(value);
        return GetSize() - 1;
    }

    void Append(const Array& other)
    {
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    }

    // Inserts before index; index == GetSize() appends.
    void InsertAt(long index, const T& value)
    {
        if (index < 0 || index > GetSize())
            ReportArrayOutOfBounds(index, GetSize());
        m_items.insert(m_items.begin() + index, value);
    }

    T& operator[](long index) { return m_items[checked(index)]; }
    const T& operator[](long index) const { return m_items[checked(index)]; }
    T& ElementAt(long index) { return (*this)[index]; }
    const T& GetAt(long index) const { return (*this)[index]; }
    void SetAt(long index, const T& value) { (*this)[index] = value; }

    // Index of the first element equal to value, or -1.
    long Find(const T& value) const
    {
        const auto at = std::find(m_items.begin(), m_items.end(), value);
        return at == m_items.end() ? -1 : long(at - m_items.begin());
    }
    bool Contains(const T& value) const { return Find(value) >= 0; }

    void RemoveAt(long index, long count = 1)
    {
        if (count < 0 || index < 0 || index + count > GetSize())
            ReportArrayOutOfBounds(index + std::max(count, 1L) - 1, GetSize());
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }
    void RemoveAll() { m_items.clear(); }

    bool operator==(const Array& other) const = default;

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    const std::vector<T>& items() const { return m_items; }

private:
    size_t checked(long index) const
    {
        if (index < 0 || index >= GetSize())
            ReportArrayOutOfBounds(index, GetSize());
        return size_t(index);
    }

    std::vector<T> m_items;
};
