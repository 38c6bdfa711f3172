#pragma once

#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"

#include <array>

namespace lumo {

// A fixed array indexed First..Last, as the program's lists are numbered (sections 1..22,
// profiles 1..9, months 1..12). Many indexes come from the settings file, so every access
// is checked: operator[] raises "Subscript out of range" (9) instead of reading past the
// end, and value() gives a fallback for callers that would rather go on.
template <typename T, int First, int Last> class IndexedArray {
    static_assert(First <= Last);

public:
    static constexpr int first() { return First; }
    static constexpr int last() { return Last; }
    static constexpr int size() { return Last - First + 1; }
    static constexpr bool contains(long i) { return i >= First && i <= Last; }

    T& operator[](long i) { return m_items[offset(i)]; }
    const T& operator[](long i) const { return m_items[offset(i)]; }

    // The entry i, or fallback when i is outside First..Last.
    T value(long i, const T& fallback = T{}) const { return contains(i) ? m_items[i - First] : fallback; }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    bool operator==(const IndexedArray&) const = default;

private:
    static std::size_t offset(long i) {
        if (!contains(i))
            err::Raise(err::errSubscript);
        return static_cast<std::size_t>(i - First);
    }

    std::array<T, Last - First + 1> m_items{};
};

} // namespace lumo
