// SPDX-License-Identifier: MIT
#pragma once

#include "complex.h"

// The fractions of Cardano's formula as the solvers write them: fifteen
// threes for one third (also the cube-root exponent), and fixed decimals for
// 2/27 and 1/27. They are never computed to full precision; the small shifts
// they cause decide the sign test where q vanishes on paper.
inline constexpr double kOneThird = 0.333333333333333;
inline constexpr double kTwoTwentySevenths = 0.0740740740740741;
inline constexpr double kOneTwentySeventh = 0.0370370370370374;

// A modulus below this fraction of |q|/2 marks a radicand that has cancelled
// away; its cube root would carry no correct digit.
inline constexpr double kCancelled = 1e-6;

// The depressed cubic y³ + p·y + q = 0 of x³ + b·x² + c·x + d = 0 (x = y − b/3),
// its discriminant q²/4 + p³/27 and the two Cardano terms u and v = −p/(3u),
// with u³ = −q/2 ± √Hanbetusiki.
struct CardanoTerms {
    Complex p;
    Complex q;
    Complex Hanbetusiki;
    Complex u;
    Complex v;
};

// Cardano's step for the monic cubic x³ + b·x² + c·x + d = 0. The sign in u³
// follows the real part of q; when the radicand it picks has cancelled to
// almost nothing while the other sign's has not, the other sign is taken.
// u = 0 (p and q both zero in the rounded arithmetic) leaves v = 0.
CardanoTerms Cardano(Complex b, Complex c, Complex d);

// One root of y³ + SanjiA·y² + SanjiB·y + SanjiC = 0: u + (v − SanjiA/3), the
// same root the cubic solver puts in its first row; with u = 0 it is −SanjiA/3.
Complex Cardan(Complex SanjiA, Complex SanjiB, Complex SanjiC);
