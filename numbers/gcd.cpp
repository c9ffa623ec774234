// SPDX-License-Identifier: MIT
#include "gcd.h"

#include "conversions.h"

#include <array>
#include <cassert>
#include <utility>

void Euclid(std::int32_t& x, std::int32_t& y, std::int32_t& g)
{
    assert(x >= y && y >= 1);
    // Both stay within 1 .. 2147483647, so the remainder never overflows.
    while (x % y != 0) {
        const std::int32_t r = x % y;
        x = y;
        y = r;
    }
    g = y;
}

Outcome<std::int32_t> Kouyaku(double first, double second)
{
    const std::array<double, 2> read{first, second};

    // Both boxes are converted before either is checked.
    std::array<std::int32_t, 2> Suu{};
    for (int i = 0; i < 2; ++i) {
        const auto rounded = RoundToInt32(read[i]);
        if (!rounded)
            return Rejection{kKouyakuRangeMessage, {}};
        Suu[i] = *rounded;
    }
    for (int i = 0; i < 2; ++i) {
        if (read[i] - Suu[i] != 0 || Suu[i] <= 0)
            return Rejection{kKouyakuMessage, {}};
    }
    if (Suu[0] < Suu[1])
        std::swap(Suu[0], Suu[1]);

    std::int32_t g = 0;
    Euclid(Suu[0], Suu[1], g);
    return g;
}
