// SPDX-License-Identifier: MIT
#pragma once

// The exact values behind each calculator's texts, before they are written
// as canonical texts: the files of the library compute them, the public
// functions (exact_equations.h, exact_linalg.h, exact_sigma.h,
// exact_triangle.h) write them, and the tests check them against a second
// calculation.

#include "exact_deadline.h"
#include "exact_equations.h"
#include "exact_linalg.h"
#include "exact_number.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The determinant of the boxes' numbers; nothing when a number is absurd.
std::optional<Rational> ExactDeterminantValue(const BoxRows& rows);

std::optional<Rational> ExactSigmaValue(std::int32_t first, std::int32_t last, const std::array<Rational, 4>& a);

// The area by the rule the decimal values pick; nothing where the exact
// formula has no value or the bounds of exact_triangle.cpp refuse the work.
std::optional<Algebraic> ExactTriangleValue(
    const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);

// The exact roots of the polynomial with Gaussian-rational coefficients
// (re, im) highest power first, each as often as its multiplicity, with the
// canonical texts of their parts and where they lie (for matching them with
// the decimal roots); nothing when they cannot be found within the size
// guards and the safety net. A root that is only counted has no position,
// and its parts say why they have no text: Stopped for a factor of degree 6
// or 8, whose parts are not searched, TooLong for a factor whose roots are
// too large or too far apart for any short form.
struct GaussianRational {
    Rational re;
    Rational im;
};
struct ExactRootValue {
    std::optional<Complex> position;
    ExactRoot parts;
};
std::optional<std::vector<ExactRootValue>> ExactRootValues(
    const std::vector<GaussianRational>& keisuu, const Deadline& deadline);
