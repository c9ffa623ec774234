// SPDX-License-Identifier: MIT
#pragma once

// The worked steps of the calculators (exact_steps.h) and the words they are
// built from: formulas as trees, numbers as the textbook writes them.

#include "complex.h"
#include "exact_number.h"
#include "exact_steps.h"
#include "exact_types.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// The steps of each calculator, from the boxes' texts as typed (the module's
// table gives them to the screens).
WorkedSteps GcdSteps(const std::array<std::string, 2>& txtNum);
WorkedSteps RootSteps(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);
WorkedSteps SigmaSteps(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu);

namespace Formula {

MathNode Number(std::string digits); // unsigned: "17"
MathNode Number(long n); // a minus in front when negative
MathNode Name(std::string name); // "x", "b'"
MathNode Op(std::string op); // "=", "+", "-", "±", "×", ","
MathNode Word(std::string words);
MathNode Value(std::string text); // canonical text, or "≈" and a decimal
MathNode Row(std::vector<MathNode> items);
MathNode Fraction(MathNode numerator, MathNode denominator);
MathNode Root(MathNode radicand);
MathNode Power(MathNode base, MathNode exponent);
MathNode Power(MathNode base, long exponent);
MathNode Group(MathNode inside, const char* brackets = "()");
MathNode Sigma(MathNode lower, MathNode upper, MathNode summand);

// Appends the items of a row (or the node itself) to `row`.
void Append(std::vector<MathNode>& row, MathNode node);

// A rational as the textbook writes it: "3", "-3" (a minus, then 3), "2/3"
// as a fraction, "-2/3" with the minus in front of the bar.
MathNode Of(const Rational& q);
// The same in parentheses where it is negative or a fraction: what is put
// for a letter in a product or a power, "4×2×(-1)", "(1/2)²".
MathNode Substituted(const Rational& q);
// An integer of any size, as Of.
MathNode Of(const Integer& n);

// The canonical text of an exact value as a Value node, or "≈" and the
// decimal (three places) where it has none.
MathNode ValueOf(const Algebraic& x);

} // namespace Formula

// A step with its words and formula.
Step MakeStep(std::string rule, std::string caption, MathNode math, std::string remark = {});
