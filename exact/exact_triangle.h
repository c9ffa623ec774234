// SPDX-License-Identifier: MIT
#pragma once

#include "exact_text.h"

#include <array>
#include <string>

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
