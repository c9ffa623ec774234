// SPDX-License-Identifier: MIT
#pragma once

// The decimal roots an equation screen shows in its rows, for the tests of
// the exact answers and the steps, which take them as the screen does.

#include "complex.h"
#include "conversions.h"
#include "exact_types.h"
#include "outcome.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

// The roots of the decimal solver `solve` (Solve2ji, Solve3ji, Solve4ji) for
// the boxes' numbers; none where it refuses the equation, faults, or gives a
// root that is not finite.
template<std::size_t N, class Solver>
std::vector<Complex> ShownRoots(const std::vector<CoefficientBoxes>& boxes, Solver solve)
{
    try {
        std::array<Complex, N> keisuu;
        for (std::size_t k = 0; k < N; ++k)
            keisuu[k] = {ParseNumber(boxes[k].re), ParseNumber(boxes[k].im)};
        const auto solved = solve(keisuu);
        if (solved.index() != 0)
            return {};
        const auto& roots = std::get<0>(solved);
        if (!std::all_of(roots.begin(), roots.end(),
                [](const Complex& z) { return std::isfinite(z.re) && std::isfinite(z.im); }))
            return {};
        return {roots.begin(), roots.end()};
    } catch (const ArithmeticFault&) {
        return {};
    }
}
