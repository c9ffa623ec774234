// SPDX-License-Identifier: MIT
#pragma once

#include "complex.h"
#include "outcome.h"

#include <array>

inline constexpr char k4jiMessage[] = "４次の項の係数を０にしないでください";

// The four roots of Keisuu(0)·x⁴ + … + Keisuu(4) = 0 in display order, by
// Ferrari's method: a root of the resolvent cubic splits the normalised
// equation into two quadratic factors; rows 0 and 1 hold the roots of the
// first factor, rows 2 and 3 those of the second. Each root is then refined
// in its row on the normalised equation (PolishQuartic). a·x⁴ = 0 and
// a·x⁴ + b·x³ = 0 are answered directly; a zero leading coefficient is refused.
Outcome<std::array<Complex, 4>> Solve4ji(std::array<Complex, 5> Keisuu);
