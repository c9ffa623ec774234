// SPDX-License-Identifier: MIT
#pragma once

// The worked steps of the calculators (exact_steps.h) and the words they are
// built from: formulas as trees, numbers as the textbook writes them.

#include "complex.h"
#include "exact_number.h"
#include "exact_steps.h"
#include "exact_types.h"
#include "exact_value_api.h"

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
WorkedSteps SolveSteps(const BoxRows& rows, const std::vector<std::string>& rhs);
WorkedSteps DeterminantSteps(const BoxRows& rows);
WorkedSteps InverseSteps(const BoxRows& rows);
WorkedSteps TriangleSteps(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);

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

// A number as it stands in a formula: a rational as Of, a non-real
// Gaussian rational as "2 + 3i", "-i", "1/2 - 3i/2" (a fraction's i over
// its bar, so the one-line text cannot read "3/2i" as 3/(2i)).
MathNode Of(const GaussianRational& z);
// The same in parentheses where it is put for a letter: negative, a
// fraction, or not real (but for "i", "2i").
MathNode Substituted(const GaussianRational& z);

// The polynomial c[0]·x^n + c[1]·x^(n−1) + … + c[n] as the textbook writes
// it: zero terms dropped, a coefficient 1 left out and −1 written as a minus
// alone (but not on the constant), a negative coefficient's minus joining
// the terms, a non-real coefficient in parentheses ("(1+2i)x²"); "0" when
// every coefficient is zero.
MathNode Polynomial(const std::vector<GaussianRational>& highestFirst, const std::string& variable = "x");

// c√m: the number 1 for m = 1 and c = 1, "√m" for c = 1, "3√2", "√2/2",
// "-3√5/4"; times i when `imaginary` ("√3 i" reads "√3i", "√2i/2").
MathNode Surd(const Rational& c, const Integer& m, bool imaginary = false);

// One root as the exact view writes its parts' texts (ExactLabelText), the
// way the screens' copied text reads it: the real part alone when the
// imaginary part is "0", the imaginary part alone (with i) when the real part
// is "0", else "re + im i" with the sign of the imaginary part joining them.
MathNode RootValue(const std::string& re, const std::string& im);

// The members joined by `relation` into one chain, a member equal to the one
// before it left out: "(3 ± √17)/4" is not written twice when putting the
// numbers in changed nothing.
MathNode Chain(const std::vector<MathNode>& members, const char* relation = "=");

// Formulas equal item by item, a row of one item taken as that item.
bool Same(const MathNode& a, const MathNode& b);

} // namespace Formula

// √q = c√m for a rational q ≥ 0 with an integer m ≥ 1 that holds no square
// found by cheap trial division (square-free whenever the numbers are of a
// size a short text needs; a larger m stays correct, only less reduced).
struct SurdParts {
    Rational c;
    Integer m;
};
SurdParts SquareRootParts(const Rational& q);

// What the exact view shows for a rational result: its canonical text, or
// "≈" and the true value to the screen's decimals (`pattern`, "0.000") where
// the text would be too long.
std::string ShownText(const Rational& q, const char* pattern);

// A step with its words and formula.
Step MakeStep(std::string rule, std::string caption, MathNode math, std::string remark = {});
