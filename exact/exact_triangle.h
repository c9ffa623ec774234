// SPDX-License-Identifier: MIT
#pragma once

#include "exact_text.h"

#include <array>
#include <string>

// The exact area of the triangle by the formula the rule table picks for the
// same boxes (PickAreaRule on their decimal values), from the boxes' exact
// numbers. Found for rational sides with angles that are whole multiples of
// 15°, where the area has a canonical text; nothing otherwise (a 40° angle,
// sides that make no triangle exactly).
ExactText ExactTriangleArea(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);
