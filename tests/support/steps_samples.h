// SPDX-License-Identifier: MIT
#pragma once

// Worked steps built by hand, written the way the calculators' steps are, to
// lay out and look at before and apart from the exact module: the window's
// tests and the screenshot tool's preview use them.

#include "exact_steps.h"

#include <initializer_list>
#include <string>

namespace Samples {

// Short makers of a formula's nodes.
MathNode Num(const std::string& digits);
MathNode Name(const std::string& letter);
MathNode Op(const std::string& sign);
MathNode Words(const std::string& text);
MathNode Value(const std::string& text);
MathNode Row(std::initializer_list<MathNode> items);
MathNode Frac(MathNode top, MathNode bottom);
MathNode Sqrt(MathNode inside);
MathNode Pow(MathNode base, MathNode exponent);
MathNode Paren(MathNode inside, const std::string& brackets = "()");
MathNode Sigma(MathNode from, MathNode to, MathNode body);
MathNode Matrix(int columns, int bar, std::initializer_list<MathNode> entries);
MathNode Table(int columns, int bar, std::initializer_list<MathNode> cells);

Step MakeStep(
    const std::string& caption, MathNode math, const std::string& remark = {}, const std::string& rule = "sample");

// 1071 and 462 by the Euclidean algorithm.
WorkedSteps Gcd();
// 2x² - 3x - 1 = 0 by the discriminant and the formula.
WorkedSteps Quadratic();
// Σ from K = 1 to 10 of (K³ + 2K² + 0.5K - 3) by the sum formulas.
WorkedSteps Sigma();
// An augmented matrix, a synthetic division table and substeps.
WorkedSteps Shapes();
// One chain of `members` sums, each of `terms` fractions: far too wide for
// one line.
WorkedSteps LongChain(int members, int terms);

} // namespace Samples
