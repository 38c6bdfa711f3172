#pragma once

#include <QtGlobal>

namespace lumo::data {

// A small deterministic generator: generated data must not change between builds.
class Lcg {
public:
    explicit Lcg(quint32 seed) : m_state(seed ? seed : 1u) {}
    double next() {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) / double(1u << 24);
    }
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }
    // A whole number in [lo, hi].
    int pick(int lo, int hi) { return lo + static_cast<int>(next() * (hi - lo + 1)); }

private:
    quint32 m_state;
};

} // namespace lumo::data
