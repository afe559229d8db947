// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An array indexed from 1, as every question, option and student number of the program is.

#include <array>
#include <cassert>
#include <cstddef>

namespace sondrel {

template <typename T, int N> class Tablica1 {
public:
    T& operator[](int i) {
        assert(i >= 1 && i <= N);
        return dane[static_cast<std::size_t>(i - 1)];
    }
    const T& operator[](int i) const {
        assert(i >= 1 && i <= N);
        return dane[static_cast<std::size_t>(i - 1)];
    }
    static constexpr int rozmiar() { return N; }
    auto begin() { return dane.begin(); }
    auto end() { return dane.end(); }
    auto begin() const { return dane.begin(); }
    auto end() const { return dane.end(); }
    void fill(const T& wartosc) { dane.fill(wartosc); }

private:
    std::array<T, N> dane{};
};

} // namespace sondrel
