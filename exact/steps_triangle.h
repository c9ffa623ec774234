// SPDX-License-Identifier: MIT
#pragma once

#include "exact_steps.h"

#include <array>
#include <string>

// The working of the triangle's area from the boxes' texts as typed, by the
// formula the rule table picks for them, as the screen's calculation and its
// exact view do: ヘロンの公式 for three sides, S = ½ab sin C for two sides and
// the angle between them, the third angle and 正弦定理 for one side and two
// angles, 余弦定理 for two sides and an angle not between them. The sides are
// a, b, c and the angles A, B, C, each named with its box (a is the left side
// and faces A, the lower right corner). A sine without a form with square
// roots is said to be so, and what follows from it is given as a decimal.
// No steps where the screen shows a message instead of an area.
WorkedSteps TriangleSteps(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);
