// SPDX-License-Identifier: MIT
#pragma once

// The pieces the equation screens' steps are made of: the quadratic solved
// by its discriminant and formula, the factor theorem with 組立除法, and the
// 答 line. RootSteps (worked_steps.h) picks the builder by the degree.

#include "exact_value_api.h"
#include "worked_steps.h"

#include <optional>
#include <string>
#include <vector>

// The steps of each degree, from the boxes as typed (keisuu highest power
// first, `shown` the decimal roots in the screen's rows).
WorkedSteps QuadraticSteps(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);
WorkedSteps CubicSteps(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);
WorkedSteps QuarticSteps(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);

// a·v² + b·v + c = 0 (a ≠ 0) solved for the unknown `v` as the quadratic
// screen solves it — the equation, a, b and c, the discriminant, its sign,
// a factorization, the formula — for use as substeps; and its roots, each
// once.
struct QuadraticWork {
    std::vector<Step> steps;
    std::vector<Algebraic> roots;
};
QuadraticWork SolveQuadratic(
    const GaussianRational& a, const GaussianRational& b, const GaussianRational& c, const std::string& v = "x");

// The factor theorem on the polynomial p (highest power first, degree ≥ 2)
// named `name` ("P"): the candidates ±(divisors of the constant)/(divisors
// of the leading coefficient), the trial that gives 0, 組立除法 as a table
// and the factorization. Nothing when p has no rational (or, for complex
// coefficients, Gaussian rational) root.
struct FactorWork {
    std::vector<Step> steps;
    GaussianRational root;
    std::vector<GaussianRational> quotient; // highest power first
};
std::optional<FactorWork> FactorOutRoot(const std::vector<GaussianRational>& p, const std::string& name = "P");

// Where the working was cut short at its time limit: a line saying so,
// before the 答 the exact view gives.
Step StoppedStep();

// 答: every root in the screen's rows as the exact view writes it, a
// repeated root once with 「（重解）」, 「（3重解）」 or 「（4重解）」.
Step AnswerStep(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);
