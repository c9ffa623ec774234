// SPDX-License-Identifier: MIT
#pragma once

#include "complex.h"
#include "outcome.h"

#include <array>

inline constexpr char k2jiMessage[] = "２次の項の係数を０にしないでください";

// The two roots of Keisuu(0)·x² + Keisuu(1)·x + Keisuu(2) = 0 in display
// order: (−b + s)/(2a) first and (−b − s)/(2a) second, where s is the square
// root of the discriminant with its argument in [0, π). A zero leading
// coefficient is refused.
Outcome<std::array<Complex, 2>> Solve2ji(std::array<Complex, 3> Keisuu);
