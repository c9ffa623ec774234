// SPDX-License-Identifier: MIT
#pragma once

#include "complex.h"
#include "outcome.h"

#include <array>

inline constexpr char k3jiMessage[] = "３次の項の係数を０にしないでください";

// The three roots of Keisuu(0)·x³ + Keisuu(1)·x² + Keisuu(2)·x + Keisuu(3) = 0
// in display order, by Cardano's method on the normalised equation: u + v,
// ω·u + ω²·v and ω²·u + ω·v, each less b/3. a·x³ = 0 gives three zeros; a zero
// leading coefficient is refused.
Outcome<std::array<Complex, 3>> Solve3ji(std::array<Complex, 4> Keisuu);
