// SPDX-License-Identifier: MIT
#pragma once

#include "complex.h"

#include <array>

// Roots of the monic quartic x⁴ + a[0]·x³ + a[1]·x² + a[2]·x + a[3] = 0 made
// as accurate as its double coefficients allow, each row kept where it was:
//
// - every root is refined by Newton's method on the quartic itself, evaluated
//   in long double, as long as a step lowers |f(x)|;
// - roots that gather around one point where f and its first m − 1
//   derivatives vanish within the rounding of the coefficients are one root
//   of multiplicity m (m = 2 to 4); each of them becomes the simple root of
//   f^(m−1) there, which double coefficients determine well, whereas the
//   roots of f themselves scatter in the rounding noise.
//
// A row whose refinement would land on another row's simple root keeps its
// value as given. Nothing here raises ArithmeticFault: every result is finite
// and lies near a given finite root.
std::array<Complex, 4> PolishQuartic(const std::array<Complex, 4>& a, std::array<Complex, 4> roots);
