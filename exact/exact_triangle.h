// SPDX-License-Identifier: MIT
#pragma once

#include "exact_number.h"
#include "exact_text.h"
#include "surd_form.h"
#include "triangle.h"

#include <array>
#include <string>
#include <variant>
#include <vector>

// The exact area of the triangle by the formula the rule table picks for the
// same boxes (PickAreaRule on their decimal values), from the boxes' exact
// numbers, for rational sides and any angle that is a rational number of
// degrees: 18°, 54°, 15°, 3°… When there is no text it says why: NoForm (a
// 40° angle), TooLong (sides 1e-90 and 15° between them), Stopped (angles
// whose sines are beyond the library's degree bounds, such as 7° and 11°
// together), NotFound (no triangle exactly, a box beyond reach). With or
// without a text, value_as_double is the true area (with π itself, not the
// decimal calculation's ten decimals), NaN where it is not a double.
ExactText ExactTriangleArea(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);

// The rule table's choice on the boxes (PickAreaRule on their decimal
// values) and the exact numbers of the elements it uses, in the rule's
// order: sides, and angles in degrees as typed. NotFound where a box's
// number is beyond reach.
struct TriangleReading {
    AreaRule rule;
    std::vector<Rational> sides;
    std::vector<Rational> degrees;
};
std::variant<TriangleReading, ExactGap> ReadTriangle(
    const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);

// The canonical text of scale times a unit of the given surd form; TooLong
// beyond kMaxExactLength.
ExactText ScaledText(const Rational& scale, const SurdForm& unitForm);
