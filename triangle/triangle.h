// SPDX-License-Identifier: MIT
#pragma once

#include "outcome.h"

#include <array>
#include <exception>
#include <string>
#include <vector>

inline constexpr char kNoSideMessage[] = "辺の長さが一つ以上必要です";
inline constexpr char kTooFewMessage[] = "入力項目が足りません";
// Values the formulas cannot turn into an area: sides that break the triangle
// inequality, a sine that cannot be, a zero sine that divides (NoTriangle).
inline constexpr char kNoTriangleMessage[] = "この値では三角形になりません";

// π to ten decimals, the value the area formulas are built on.
inline constexpr double kPi = 3.1415926535;

// Raised by an area formula for values that describe no triangle: sides that
// break the triangle inequality, a sine beyond 1, a zero sine that divides.
// A number that merely leaves the double range is an ArithmeticFault instead.
class NoTriangle : public std::exception {
public:
    const char* what() const noexcept override { return "no triangle"; }
};

// The area formulas. Sides are lengths, angles in degrees; side i faces angle
// i. Each raises NoTriangle where its formula has no value for these data (a
// negative number under a square root, a zero sine as divisor) and
// ArithmeticFault where a step leaves the double range.
double HasamuKaku(double a, double b, double C); // sides a, b and the angle between them
double HasamanaiKaku(double a, double b, double A); // A faces a; the acute angle faces b
double RyoutanKaku(double c, double A, double B); // side c and the angles at its ends
double NotRyoutanKaku(double a, double A, double B); // side a, the angle A facing it, one more

// Which area formula the rule table picks and on which elements: the sides
// and angles (indices 0..2) in the order the formula takes them.
//   ThreeSides:     sides {0, 1, 2}
//   HasamuKaku:     sides {i, j}, angles {between}
//   HasamanaiKaku:  sides {facing, other}, angles {facing}
//   RyoutanKaku:    sides {side}, angles {i, j}
//   NotRyoutanKaku: sides {side}, angles {facing, other}
// None: no rule fits (the area is 0).
enum class AreaFormula { None, ThreeSides, HasamuKaku, HasamanaiKaku, RyoutanKaku, NotRyoutanKaku };
struct AreaRule {
    AreaFormula formula = AreaFormula::None;
    std::vector<int> sides;
    std::vector<int> angles;
};

// The first rule of the table that fits the known elements (those not exactly
// 0) of the sides and angles.
AreaRule PickAreaRule(const std::array<double, 3>& Hen, const std::array<double, 3>& Kaku);

// The area from the known elements (those not exactly 0) of the sides and
// angles, by the first rule of the table that fits; 0 when none fits.
double Keisan(const std::array<double, 3>& Hen, const std::array<double, 3>& Kaku);

// The area for the texts of the side boxes and angle boxes, or the first
// check they fail. A box is blank only when its text is exactly empty.
Outcome<double> Sankaku(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);
